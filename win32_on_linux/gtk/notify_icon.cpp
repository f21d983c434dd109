// The notification-area icon on Linux desktops: a StatusNotifierItem on the
// session bus while a watcher takes them (KDE Plasma, GNOME's AppIndicator
// extension), else an XEmbed icon in a system tray (GTK's status icon, which
// docks itself whenever a tray appears), else nothing. Both only wait for
// events: no wake-up while nothing happens.
#include <cstdlib>
#include <string>

#include "core/backend.h"
#include "gtk/gtk_backend.h"
#include "gtk/icon_pixels.h"
#include "os/executable.h"

namespace {

constexpr char watcherName[] = "org.kde.StatusNotifierWatcher";
constexpr char itemPath[] = "/StatusNotifierItem";
constexpr char itemId[] = "glimora";
constexpr char iconName[] = "org.glimora.Glimora";
constexpr char itemInterface[] = R"xml(<node><interface name="org.kde.StatusNotifierItem">
  <property name="Category" type="s" access="read"/>
  <property name="Id" type="s" access="read"/>
  <property name="Title" type="s" access="read"/>
  <property name="Status" type="s" access="read"/>
  <property name="IconName" type="s" access="read"/>
  <property name="IconThemePath" type="s" access="read"/>
  <property name="ToolTip" type="(sa(iiay)ss)" access="read"/>
  <property name="ItemIsMenu" type="b" access="read"/>
  <property name="Menu" type="o" access="read"/>
  <method name="Activate"><arg type="i" direction="in"/><arg type="i" direction="in"/></method>
  <method name="SecondaryActivate"><arg type="i" direction="in"/><arg type="i" direction="in"/></method>
  <method name="ContextMenu"><arg type="i" direction="in"/><arg type="i" direction="in"/></method>
  <method name="Scroll"><arg type="i" direction="in"/><arg type="s" direction="in"/></method>
  <signal name="NewToolTip"/>
  <signal name="NewStatus"><arg type="s"/></signal>
</interface></node>)xml";

std::string tooltip;
bool wanted = false;
GDBusConnection* bus = nullptr;
std::string busName;  // the item's, which the watcher is told
bool hosted = false;  // a watcher holds the item
GtkStatusIcon* trayIcon = nullptr;

POINT pointerNow()
{
    POINT at{};
    backend::pointer(&at);
    return at;
}

void showInTray()
{
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    if (wanted && !hosted && !trayIcon) {
        // The build tree's copy of the icons, where the program runs uninstalled.
        const std::string icons = nearestShareFolder("icons");
        if (!icons.empty())
            gtk_icon_theme_append_search_path(gtk_icon_theme_get_default(), icons.c_str());
        // Scaled down by GTK to the tray's size.
        GdkPixbuf* pixels = loadIconPixels(iconName, 48);
        trayIcon = pixels ? gtk_status_icon_new_from_pixbuf(pixels) : gtk_status_icon_new();
        if (pixels)
            g_object_unref(pixels);
        g_signal_connect(trayIcon, "activate",
                         G_CALLBACK(+[](GtkStatusIcon*, gpointer) { core::notifyIconClicked(false, pointerNow()); }),
                         nullptr);
        g_signal_connect(trayIcon, "popup-menu", G_CALLBACK(+[](GtkStatusIcon*, guint, guint, gpointer) {
                             core::notifyIconClicked(true, pointerNow());
                         }),
                         nullptr);
    }
    if (trayIcon) {
        gtk_status_icon_set_tooltip_text(trayIcon, tooltip.c_str());
        gtk_status_icon_set_visible(trayIcon, wanted && !hosted);
    }
    G_GNUC_END_IGNORE_DEPRECATIONS
    gtk_backend::wake();
}

GVariant* itemProperty(GDBusConnection*, const char*, const char*, const char*, const char* name, GError**,
                       gpointer)
{
    const std::string property = name;
    if (property == "Category")
        return g_variant_new_string("ApplicationStatus");
    if (property == "Id")
        return g_variant_new_string(itemId);
    if (property == "Title")
        return g_variant_new_string(tooltip.c_str());
    // A removed icon stays on the bus until the program ends, passive: hosts hide it.
    if (property == "Status")
        return g_variant_new_string(wanted ? "Active" : "Passive");
    if (property == "IconName")
        return g_variant_new_string(iconName);
    if (property == "IconThemePath")
        return g_variant_new_string(nearestShareFolder("icons").c_str());
    if (property == "ItemIsMenu")
        return g_variant_new_boolean(FALSE);
    // The menu is the program's own, shown on ContextMenu: no dbusmenu, said
    // as Qt's items say it. GNOME's AppIndicator extension drops an item
    // that lacks the property altogether.
    if (property == "Menu")
        return g_variant_new_object_path("/NO_DBUSMENU");
    if (property == "ToolTip")
        return g_variant_new("(s@a(iiay)ss)", iconName, g_variant_new_array(G_VARIANT_TYPE("(iiay)"), nullptr, 0),
                             tooltip.c_str(), "");
    return nullptr;
}

void itemCall(GDBusConnection*, const char*, const char*, const char*, const char* method, GVariant* parameters,
              GDBusMethodInvocation* invocation, gpointer)
{
    const std::string name = method;
    if (name == "Activate" || name == "ContextMenu") {
        gint32 x = 0, y = 0;
        g_variant_get(parameters, "(ii)", &x, &y);
        core::notifyIconClicked(name == "ContextMenu", POINT{x, y});
    }
    g_dbus_method_invocation_return_value(invocation, nullptr);
}

void onWatcherAppeared(GDBusConnection* connection, const char*, const char*, gpointer)
{
    g_dbus_connection_call(connection, watcherName, "/StatusNotifierWatcher", watcherName,
                           "RegisterStatusNotifierItem", g_variant_new("(s)", busName.c_str()), nullptr,
                           G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
    hosted = true;
    showInTray();
}

void onWatcherVanished(GDBusConnection*, const char*, gpointer)
{
    hosted = false;
    showInTray();
}

// Without a session bus named in the environment there is none to ask for:
// GLib would otherwise start one of its own.
void offerOnBus()
{
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (bus || !address || !*address || !(bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr)))
        return;
    static GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(itemInterface, nullptr);
    static const GDBusInterfaceVTable table{itemCall, itemProperty, nullptr, {}};
    g_dbus_connection_register_object(bus, itemPath, node->interfaces[0], &table, nullptr, nullptr,
                                                     nullptr);
    // The connection's own name, which the watcher can reach at once: a
    // well-known name could still be on its way when the watcher looks.
    busName = g_dbus_connection_get_unique_name(bus);
    g_bus_watch_name_on_connection(bus, watcherName, G_BUS_NAME_WATCHER_FLAGS_NONE, onWatcherAppeared,
                                   onWatcherVanished, nullptr, nullptr);
}

}  // namespace

void backend::notifyIcon(const char* text)
{
    const bool wasWanted = wanted;
    wanted = text != nullptr;
    if (wanted && tooltip != text) {
        tooltip = text;
        if (bus)
            g_dbus_connection_emit_signal(bus, nullptr, itemPath, "org.kde.StatusNotifierItem", "NewToolTip",
                                          nullptr, nullptr);
    }
    if (bus && wanted != wasWanted)
        g_dbus_connection_emit_signal(bus, nullptr, itemPath, "org.kde.StatusNotifierItem", "NewStatus",
                                      g_variant_new("(s)", wanted ? "Active" : "Passive"), nullptr);
    if (wanted)
        offerOnBus();
    showInTray();
}
