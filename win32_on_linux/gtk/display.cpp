#include <gdk/gdkx.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <ctime>
#include <vector>

#include "core/backend.h"
#include "gtk/gtk_backend.h"
#include "wayland_pointer/pointer_source.h"
#include "gtk/raw_motion.h"

namespace {

Display* display = nullptr;
GMainContext* context = nullptr;

// What GLib asked to watch at its last iteration, and when it wants to run next.
std::vector<GPollFD> watched(8);
int watchedCount = 0;
uint64_t deadline = 0;

bool requestsHeld = false;

// Held requests go out in one write before the program looks for input or sleeps.
void sendHeldRequests()
{
    if (requestsHeld)
        XFlush(display);
    requestsHeld = false;
}

bool inputWaiting()
{
    if (XEventsQueued(display, QueuedAlready) > 0)
        return true;
    return watchedCount > 0 && g_poll(watched.data(), watchedCount, 0) > 0;
}

}  // namespace

Display* gtk_backend::xDisplay()
{
    return display;
}

void gtk_backend::iterate()
{
    gint priority = 0;
    gint timeout = -1;
    g_main_context_prepare(context, &priority);
    int count;
    while ((count = g_main_context_query(context, priority, &timeout, watched.data(), int(watched.size()))) >
           int(watched.size()))
        watched.resize(count);
    watchedCount = count;
    g_poll(watched.data(), count, 0);
    bool dispatched = g_main_context_check(context, priority, watched.data(), count);
    if (dispatched)
        g_main_context_dispatch(context);
    // Whatever ran may have added work, so only an idle pass may trust the timeout.
    deadline = dispatched ? 0 : timeout < 0 ? UINT64_MAX : backend::now() + uint64_t(timeout);
}

void gtk_backend::drain()
{
    iterate();
    // Bounded: a source that is always ready must not hang the caller.
    for (int pass = 0; pass < 100 && deadline <= backend::now(); ++pass)
        iterate();
}

void gtk_backend::wake()
{
    deadline = 0;
}

void gtk_backend::holdRequests()
{
    requestsHeld = true;
}

void gtk_backend::waitForInput(unsigned milliseconds)
{
    sendHeldRequests();
    if (XEventsQueued(display, QueuedAlready) > 0)
        return;
    // A long pause must not hold up GLib's own timers.
    uint64_t start = backend::now();
    uint64_t wait = std::min<uint64_t>(milliseconds, deadline > start ? deadline - start : 1);
    g_poll(watched.data(), watchedCount, int(std::min<uint64_t>(wait, INT_MAX)));
}

bool backend::open()
{
    static const bool opened = [] {
        gdk_set_allowed_backends("x11");
        // Frames go out as plain images; probing OpenGL on a fresh server would load 50 MB of drivers.
        g_setenv("GDK_GL", "disable", FALSE);
        if (!g_get_prgname())
            g_set_prgname(program_invocation_short_name);
        if (!gtk_init_check(nullptr, nullptr)) {
            gtk_backend::reportNoDisplay();
            return false;
        }
        display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
        context = g_main_context_default();
        g_main_context_acquire(context);
        gtk_backend::readScale();
        gtk_backend::watchSession();
        gtk_backend::watchOtherWindows();
        gtk_backend::hearBroadcasts();
        pointer_source::start();
        raw_motion::start(display);
        return true;
    }();
    return opened;
}

void backend::screenSize(int* width, int* height)
{
    *width = display ? DisplayWidth(display, DefaultScreen(display)) : 0;
    *height = display ? DisplayHeight(display, DefaultScreen(display)) : 0;
}

bool backend::pointer(POINT* screenPoint)
{
    if (!display)
        return false;
    if (!pointer_source::helperPosition(screenPoint)) {
        // The core request: one round trip and one reply buffer, where XInput's adds several.
        Window root, child;
        int windowX, windowY;
        unsigned buttons;
        int x = 0, y = 0;
        XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX, &windowY, &buttons);
        *screenPoint = {x, y};
    }
    return true;
}

// On Wayland the compositor's helper reports every move; XInput 2 sees only those over X windows.
bool backend::watchRawMotion(bool on)
{
    const bool helper = pointer_source::watchMoves(on);
    const bool raw = raw_motion::watch(on && !helper);
    return helper || raw;
}

// Called at every PeekMessageA, so it costs one poll(2) on the watched
// descriptors and a clock read: GLib runs only when there is input or one of
// its sources is due.
void backend::poll()
{
    if (!display)
        return;
    sendHeldRequests();
    if (deadline <= now() || inputWaiting())
        gtk_backend::drain();
}

uint64_t backend::now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return uint64_t(t.tv_sec) * 1000 + uint64_t(t.tv_nsec) / 1000000;
}

void backend::sleep(unsigned milliseconds)
{
    if (display) {
        gtk_backend::waitForInput(milliseconds);
        return;
    }
    timespec t{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000};
    while (nanosleep(&t, &t) == -1 && errno == EINTR) {
    }
}
