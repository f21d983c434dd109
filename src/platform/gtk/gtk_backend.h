// What the desktop backend's files share: the display connection and a main
// loop that only runs GLib when there is something for it to do.
#pragma once

#include <X11/Xlib.h>
#include <gtk/gtk.h>

namespace gtk_backend {

// Null until backend::open() succeeds.
Display* xDisplay();

// One pass of the GLib main context that never blocks.
void iterate();
// Runs GLib until nothing is left to do right now.
void drain();
// Something changed that GLib must act on soon: the next poll iterates.
void wake();
// Waits until a watched descriptor has input or the time is up.
void waitForInput(unsigned milliseconds);

// The button press that started the current move or menu, or null.
GdkEvent* lastPress();

}  // namespace gtk_backend
