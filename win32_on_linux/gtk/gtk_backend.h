// What the desktop backend's files share: the display connection and a main
// loop that only runs GLib when there is something for it to do.
#pragma once

#include <X11/Xlib.h>
#include <gtk/gtk.h>

namespace gtk_backend {

// Null until backend::open() succeeds.
Display* xDisplay();

// The desktop's scale, read once the display is open. The program draws at it;
// only what goes through GTK (a window's size and place, a menu's place, a
// click in a window) is in GTK's pixels, the screen's divided by it.
void readScale();
// A window's corner, in screen pixels, from an event that was never dispatched.
void movedTo(Window xid, POINT screenPixels);

// Follows the window manager's active window (gtk/other_windows.cpp).
void watchOtherWindows();
// Registered messages other programs broadcast (gtk/broadcast.cpp); after
// watchOtherWindows, which selects the root window's events they come by.
void hearBroadcasts();
// Signals and the loss of the display end the program as a log-out does.
void watchSession();
// One line on stderr saying why no window can be made.
void reportNoDisplay();
void reportNoVisual();

// One pass of the GLib main context that never blocks.
void iterate();
// Runs GLib until nothing is left to do right now.
void drain();
// Something changed that GLib must act on soon: the next poll iterates.
void wake();
// Requests just made may wait in Xlib's buffer until the program next polls
// for messages or sleeps: a frame's areas then leave in one write, not one each.
void holdRequests();
// Waits until a watched descriptor has input or the time is up.
void waitForInput(unsigned milliseconds);

// The button press that started the current move or menu, or null.
GdkEvent* lastPress();

}  // namespace gtk_backend
