#include <cstdio>

#include "core/backend.h"
#include "gtk/gtk_backend.h"

namespace {

// Without a window manager nothing gives a new window the keyboard.
gboolean takeFocus(GtkWidget* dialog, GdkEvent*, gpointer)
{
    gdk_window_focus(gtk_widget_get_window(dialog), GDK_CURRENT_TIME);
    return FALSE;
}

// The program is asked to end (a log-out, Ctrl+C): the box must not hold it up.
// It goes as if answered, and the caller ends as it would after the answer.
gboolean closeOnQuit(gpointer dialog)
{
    if (core::quitPending())
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_DELETE_EVENT);
    return G_SOURCE_CONTINUE;
}

}  // namespace

void backend::messageBox(const char* text, const char* caption)
{
    text = text ? text : "";
    caption = caption ? caption : "";
    if (!open()) {
        std::fprintf(stderr, "%s: %s\n", caption, text);
        return;
    }
    gchar* message = g_utf8_make_valid(text, -1);
    gchar* title = g_utf8_make_valid(caption, -1);
    GtkWidget* dialog =
        gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_OTHER, GTK_BUTTONS_OK, "%s", message);
    gtk_window_set_title(GTK_WINDOW(dialog), title);
    g_free(message);
    g_free(title);
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
    gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
    g_signal_connect(dialog, "map-event", G_CALLBACK(takeFocus), nullptr);
    guint quitWatch = g_timeout_add(50, closeOnQuit, dialog);
    gtk_dialog_run(GTK_DIALOG(dialog));
    g_source_remove(quitWatch);
    gtk_widget_destroy(dialog);
    gtk_backend::wake();
    gtk_backend::drain();
}
