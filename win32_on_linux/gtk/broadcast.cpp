// Registered messages between programs on one X display: a client message on
// the root window whose type is the message's name, sent to every client that
// watches the root window's properties, as each of ours does. No program
// wakes for it unless one is sent.
#include <gdk/gdkx.h>

#include "core/backend.h"
#include "gtk/gtk_backend.h"

namespace {

GdkFilterReturn onEvent(GdkXEvent* native, GdkEvent*, gpointer)
{
    const auto* event = static_cast<XEvent*>(native);
    Display* display = gtk_backend::xDisplay();
    if (event->type != ClientMessage || event->xclient.window != DefaultRootWindow(display) ||
        event->xclient.format != 32)
        return GDK_FILTER_CONTINUE;
    GdkDisplay* gdkDisplay = gdk_x11_lookup_xdisplay(display);
    gdk_x11_display_error_trap_push(gdkDisplay);
    char* name = XGetAtomName(display, event->xclient.message_type);
    gdk_x11_display_error_trap_pop_ignored(gdkDisplay);
    if (name) {
        core::broadcastHeard(name, WPARAM(event->xclient.data.l[0]), LPARAM(event->xclient.data.l[1]));
        XFree(name);
    }
    return GDK_FILTER_CONTINUE;
}

}  // namespace

void gtk_backend::hearBroadcasts()
{
    gdk_window_add_filter(nullptr, onEvent, nullptr);
}

void backend::broadcast(const char* name, WPARAM wParam, LPARAM lParam)
{
    Display* display = gtk_backend::xDisplay();
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = DefaultRootWindow(display);
    event.xclient.format = 32;
    event.xclient.message_type = XInternAtom(display, name, False);
    event.xclient.data.l[0] = long(wParam);
    event.xclient.data.l[1] = long(lParam);
    XSendEvent(display, DefaultRootWindow(display), False, PropertyChangeMask, &event);
    XFlush(display);
}
