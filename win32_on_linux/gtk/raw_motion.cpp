#include "gtk/pointer_rest.h"

#include <X11/extensions/XInput2.h>
#include <gdk/gdkx.h>

#include "core/backend.h"

namespace pointer_rest {

namespace {

// A warp is followed within this; the eyes otherwise show the pointer within a tick.
constexpr uint64_t lookAtRestEveryMs = 1000;

Display* display = nullptr;
int inputOpcode = 0;
bool available = false;
bool watching = false;  // raw motion is selected
bool moved = true;      // since the last look, or no look since watching began
POINT last{};
bool known = false;
uint64_t lastLook = 0;

void watch(bool on)
{
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on)
        XISetMask(bits, XI_RawMotion);
    XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    watching = on;
}

GdkFilterReturn onEvent(GdkXEvent* native, GdkEvent*, gpointer)
{
    auto* event = static_cast<XEvent*>(native);
    if (event->type != GenericEvent || event->xcookie.extension != inputOpcode ||
        event->xcookie.evtype != XI_RawMotion)
        return GDK_FILTER_CONTINUE;
    moved = true;
    if (watching)
        watch(false);
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
    watch(true);
    XSync(display, False);
    available = gdk_x11_display_error_trap_pop(gdkDisplay) == 0;
    watching = available;
    if (available)
        gdk_window_add_filter(nullptr, onEvent, nullptr);
}

void lookedAt(POINT point)
{
    const bool still = known && point.x == last.x && point.y == last.y;
    // A look after the selection sees every motion before it; the events tell of any after.
    if (watching)
        moved = false;
    else if (still && available)
        watch(true);  // the next look confirms the rest
    last = point;
    known = true;
    lastLook = backend::now();
}

uint64_t restsFor()
{
    if (!watching || moved)
        return 0;
    const uint64_t since = backend::now() - lastLook;
    return since < lookAtRestEveryMs ? lookAtRestEveryMs - since : 0;
}

}  // namespace pointer_rest
