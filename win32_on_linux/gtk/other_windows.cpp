// Other programs' windows as the window manager announces them: the active one
// (_NET_ACTIVE_WINDOW on the root window), its place and its state
// (_NET_WM_STATE). Each answer is kept until a property or structure change
// says it is stale, so a question at rest costs no round trip and watching
// wakes nobody while nothing changes.
#include <X11/Xatom.h>
#include <gdk/gdkx.h>

#include <algorithm>
#include <vector>

#include "core/backend.h"
#include "gtk/gtk_backend.h"

namespace {

Display* display = nullptr;
Atom activeAtom, stateAtom, fullScreenAtom, maximizedVertAtom, maximizedHorzAtom, typeAtom, desktopTypeAtom;

Window active = 0;        // its changes are watched
bool activeRead = false;  // since _NET_ACTIVE_WINDOW last changed
Window desktop = 0;       // the desktop's own window, once it was active
bool described = false;   // since the active window last changed
bool gone = false;
backend::OtherWindow description;

std::vector<Atom> atomsOf(Window window, Atom property, Atom type)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<Atom> atoms;
    if (XGetWindowProperty(display, window, property, 0, 64, False, type, &actualType, &format, &count, &after,
                           &data) == Success &&
        data && format == 32)
        atoms.assign(reinterpret_cast<Atom*>(data), reinterpret_cast<Atom*>(data) + count);
    if (data)
        XFree(data);
    return atoms;
}

bool holds(const std::vector<Atom>& atoms, Atom atom)
{
    return std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
}

// Whether GDK made the window: its event mask is GDK's, never to be replaced.
bool isOurs(Window window)
{
    return gdk_x11_window_lookup_for_display(gdk_x11_lookup_xdisplay(display), window) != nullptr;
}

// Another window to watch; the last one is let go (it may be gone already).
void follow(Window window)
{
    GdkDisplay* gdkDisplay = gdk_x11_lookup_xdisplay(display);
    gdk_x11_display_error_trap_push(gdkDisplay);
    if (active && !isOurs(active))
        XSelectInput(display, active, NoEventMask);
    gdk_x11_display_error_trap_pop_ignored(gdkDisplay);
    gdk_x11_display_error_trap_push(gdkDisplay);
    if (window && !isOurs(window))
        XSelectInput(display, window, PropertyChangeMask | StructureNotifyMask);
    // One already gone, though still named, is not watched: no event would
    // ever come from it, nor from the next client that gets its id.
    active = gdk_x11_display_error_trap_pop(gdkDisplay) == 0 ? window : 0;
    described = false;
}

void readActive()
{
    if (activeRead)
        return;
    std::vector<Atom> ids = atomsOf(DefaultRootWindow(display), activeAtom, XA_WINDOW);
    activeRead = true;
    const Window now = ids.empty() ? 0 : ids.front();
    if (now != active)
        follow(now);
}

// The client area's place on the root window, which full screen makes the monitor's.
void describe()
{
    GdkDisplay* gdkDisplay = gdk_x11_lookup_xdisplay(display);
    gdk_x11_display_error_trap_push(gdkDisplay);
    Window root = 0, child = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(display, active, &root, &x, &y, &width, &height, &border, &depth);
    XTranslateCoordinates(display, active, root, 0, 0, &x, &y, &child);
    const std::vector<Atom> state = atomsOf(active, stateAtom, XA_ATOM);
    const std::vector<Atom> types = atomsOf(active, typeAtom, XA_ATOM);
    gone = gdk_x11_display_error_trap_pop(gdkDisplay) != 0;
    described = true;
    description.frame = {x, y, LONG(x + int(width)), LONG(y + int(height))};
    description.maximized = holds(state, maximizedVertAtom) && holds(state, maximizedHorzAtom) &&
                            !holds(state, fullScreenAtom);
    if (!gone && holds(types, desktopTypeAtom))
        desktop = active;
}

bool changesDescription(const XEvent& event)
{
    if (event.type == PropertyNotify)
        return event.xproperty.atom == stateAtom || event.xproperty.atom == typeAtom;
    return event.type == ConfigureNotify;
}

GdkFilterReturn onEvent(GdkXEvent* native, GdkEvent*, gpointer)
{
    const auto* event = static_cast<XEvent*>(native);
    if (event->type == PropertyNotify && event->xproperty.window == DefaultRootWindow(display) &&
        event->xproperty.atom == activeAtom)
        activeRead = false;
    else if (active && event->xany.window == active && event->type == DestroyNotify)
        // Forgotten, not let go: the window manager may keep naming the dead
        // window, and the next client that gets its id must be watched anew.
        active = 0;
    else if (active && event->xany.window == active && changesDescription(*event))
        described = false;
    return GDK_FILTER_CONTINUE;
}

}  // namespace

void gtk_backend::watchOtherWindows()
{
    display = xDisplay();
    activeAtom = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    stateAtom = XInternAtom(display, "_NET_WM_STATE", False);
    fullScreenAtom = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    maximizedVertAtom = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False);
    maximizedHorzAtom = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False);
    typeAtom = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    desktopTypeAtom = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
    // Added to what GDK selects there; GDK's own call would select its XInput 2
    // events on the root window again, over the raw motion raw input selects.
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, root, &attributes);
    XSelectInput(display, root, attributes.your_event_mask | PropertyChangeMask);
    gdk_window_add_filter(nullptr, onEvent, nullptr);
}

uint64_t backend::activeWindow()
{
    if (!display)
        return 0;
    readActive();
    return active;
}

uint64_t backend::desktopWindow()
{
    if (display && active && !described)
        describe();
    return desktop;
}

bool backend::describeWindow(uint64_t id, OtherWindow* window)
{
    if (!display || id != active || id == 0)
        return false;
    if (!described)
        describe();
    *window = description;
    return !gone;
}
