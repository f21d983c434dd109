#include "gtk/raw_motion.h"

#include <X11/extensions/XInput2.h>
#include <gdk/gdkx.h>

#include "core/backend.h"

namespace raw_motion {

namespace {

Display* display = nullptr;
int inputOpcode = 0;
bool available = false;
bool watching = false;

void select(bool on)
{
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on)
        XISetMask(bits, XI_RawMotion);
    XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    // Sent now: the program sleeps next, and a move must not wait in the request buffer.
    XFlush(display);
    watching = on;
}

GdkFilterReturn onEvent(GdkXEvent* native, GdkEvent*, gpointer)
{
    auto* event = static_cast<XEvent*>(native);
    if (event->type != GenericEvent || event->xcookie.extension != inputOpcode ||
        event->xcookie.evtype != XI_RawMotion)
        return GDK_FILTER_CONTINUE;
    // Events already on their way when the watch ended are not told.
    if (watching)
        core::rawMotion();
    return GDK_FILTER_REMOVE;
}

}  // namespace

void start(Display* connection)
{
    display = connection;
    int event = 0, error = 0;
    if (!XQueryExtension(display, "XInputExtension", &inputOpcode, &event, &error))
        return;
    // GDK has asked for its own XInput 2 version on this connection, if any; asking again is refused
    // where the numbers differ, while the selection works the same.
    GdkDisplay* gdkDisplay = gdk_x11_lookup_xdisplay(display);
    gdk_x11_display_error_trap_push(gdkDisplay);
    int major = 2, minor = 0;
    XIQueryVersion(display, &major, &minor);
    gdk_x11_display_error_trap_pop_ignored(gdkDisplay);
    gdk_x11_display_error_trap_push(gdkDisplay);
    select(false);
    XSync(display, False);
    available = gdk_x11_display_error_trap_pop(gdkDisplay) == 0;
    if (available)
        gdk_window_add_filter(nullptr, onEvent, nullptr);
}

bool watch(bool on)
{
    if (available && on != watching)
        select(on);
    return available && on;
}

}  // namespace raw_motion
