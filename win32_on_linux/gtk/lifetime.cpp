// The end of a session: signals end the loop as "Exit" does; a display that is
// gone ends the process at once, each window storing what it must first.
#include <glib-unix.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>

#include "core/backend.h"
#include "gtk/gtk_backend.h"
#include "os/translation.h"

namespace {

// Runs from the main loop, never inside the signal handler (GLib's self-pipe).
gboolean onEndSignal(gpointer)
{
    PostQuitMessage(0);
    gtk_backend::wake();
    return G_SOURCE_CONTINUE;
}

// Events read together with the end of the connection are queued but never
// dispatched. A window manager tells where a move ended only when it ends, so
// the last move may be among them; the queue alone is read, nothing is asked.
void takeQueuedMoves(Display* display)
{
    while (XEventsQueued(display, QueuedAlready) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        // Only a window manager's own notice is sure to be in screen coordinates.
        if (event.type == ConfigureNotify && event.xconfigure.send_event)
            gtk_backend::movedTo(event.xconfigure.window, {event.xconfigure.x, event.xconfigure.y});
    }
}

// Xlib calls this once the connection is broken; it must not return. Nothing
// here may speak to X again, so the windows only store their state.
int onDisplayLost(Display* display)
{
    takeQueuedMoves(display);
    core::endSession();
}

const char* programName()
{
    const char* name = g_get_prgname();
    return name ? name : "glimora";
}

}  // namespace

void gtk_backend::watchSession()
{
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        g_unix_signal_add(signal, onEndSignal, nullptr);
    XSetIOErrorHandler(onDisplayLost);
}

void gtk_backend::reportNoDisplay()
{
    const char* display = g_getenv("DISPLAY");
    const std::string problem =
        // Translators: the X display's name, such as :0
        display && *display        ? translateWith("cannot open the X display \"%s\" named by DISPLAY", {display})
        // Translators: the program's name, glimora or glimora-check
        : g_getenv("WAYLAND_DISPLAY") ? translateWith("DISPLAY is not set: %s needs X11, or XWayland on a Wayland "
                                                      "desktop",
                                                      {programName()})
                                      : std::string(translate("no X display: DISPLAY is not set"));
    std::fprintf(stderr, "%s: %s\n", programName(), problem.c_str());
}

void gtk_backend::reportNoVisual()
{
    std::fprintf(stderr, "%s: %s\n", programName(),
                 // Translators: the X display's name, such as :0
                 translateWith("the X display \"%s\" has no 24-bit true-colour visual", {DisplayString(xDisplay())})
                     .c_str());
}
