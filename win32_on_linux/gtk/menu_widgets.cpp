#include <cstdint>

#include "core/backend.h"
#include "gtk/gtk_backend.h"

namespace {

// Deeper nesting can only come from a menu that contains itself.
constexpr int maxDepth = 16;

struct Popup {
    GMainLoop* loop = nullptr;
    GtkWidget* menu = nullptr;
    UINT_PTR chosen = 0;
};

void onActivate(GtkMenuItem* item, gpointer popup)
{
    static_cast<Popup*>(popup)->chosen = UINT_PTR(g_object_get_data(G_OBJECT(item), "command"));
}

void onDeactivate(GtkMenuShell*, gpointer popup)
{
    g_main_loop_quit(static_cast<Popup*>(popup)->loop);
}

gboolean serviceWhileOpen(gpointer popup)
{
    core::serviceModalLoop();
    // The program is asked to end (a log-out): the menu must not hold it up.
    if (core::quitPending())
        gtk_menu_shell_deactivate(GTK_MENU_SHELL(static_cast<Popup*>(popup)->menu));
    return G_SOURCE_CONTINUE;
}

GtkWidget* labelledItem(const MenuItem& item)
{
    // Folder names need not be UTF-8; labels must be.
    gchar* label = g_utf8_make_valid(item.text.c_str(), -1);
    const bool checkable = item.checked || item.radio;
    GtkWidget* widget = checkable ? gtk_check_menu_item_new_with_label(label) : gtk_menu_item_new_with_label(label);
    g_free(label);
    if (item.radio)
        gtk_check_menu_item_set_draw_as_radio(GTK_CHECK_MENU_ITEM(widget), TRUE);
    if (item.checked)
        gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(widget), TRUE);
    return widget;
}

GtkWidget* buildMenu(const Menu& menu, Popup& popup, int depth)
{
    GtkWidget* gtkMenu = gtk_menu_new();
    for (const MenuItem& item : menu.items) {
        GtkWidget* widget;
        if (item.flags & MF_SEPARATOR) {
            widget = gtk_separator_menu_item_new();
        } else if (item.flags & MF_POPUP) {
            widget = labelledItem(item);
            if (item.submenu && depth < maxDepth)
                gtk_menu_item_set_submenu(GTK_MENU_ITEM(widget), buildMenu(*item.submenu, popup, depth + 1));
        } else {
            widget = labelledItem(item);
            g_object_set_data(G_OBJECT(widget), "command", reinterpret_cast<gpointer>(item.id));
            g_signal_connect(widget, "activate", G_CALLBACK(onActivate), &popup);
        }
        gtk_menu_shell_append(GTK_MENU_SHELL(gtkMenu), widget);
    }
    return gtkMenu;
}

}  // namespace

UINT_PTR backend::popupMenu(Native* window, const Menu& menu, int x, int y)
{
    if (!window)
        return 0;
    Popup popup;
    popup.loop = g_main_loop_new(nullptr, FALSE);
    GtkWidget* gtkMenu = popup.menu = buildMenu(menu, popup, 0);
    g_signal_connect(gtkMenu, "deactivate", G_CALLBACK(onDeactivate), &popup);
    gtk_widget_show_all(gtkMenu);
    // GTK places it in its own pixels.
    const int factor = backend::scaleFactor();
    GdkRectangle at{x / factor, y / factor, 1, 1};
    gtk_menu_popup_at_rect(GTK_MENU(gtkMenu), gdk_get_default_root_window(), &at, GDK_GRAVITY_NORTH_WEST,
                           GDK_GRAVITY_NORTH_WEST, gtk_backend::lastPress());
    // GTK gives up without showing the menu when it cannot grab the pointer.
    if (gtk_widget_get_visible(gtkMenu)) {
        guint service = g_timeout_add(10, serviceWhileOpen, &popup);
        g_main_loop_run(popup.loop);
        g_source_remove(service);
    }
    gtk_widget_destroy(gtkMenu);
    g_main_loop_unref(popup.loop);
    gtk_backend::wake();
    return popup.chosen;
}
