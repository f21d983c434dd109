// Raw input on X11: XInput 2 raw motion on the root window, which tells of
// every move of a pointing device wherever the pointer is, and of no warp (a
// program moving the pointer). Selected only while raw input is asked for, so
// a moving pointer costs nothing when nobody listens.
#pragma once

#include <X11/Xlib.h>

namespace raw_motion {

// Learns whether the server has XInput 2; selects nothing yet.
void start(Display* display);
// Selects raw motion or stops; false when the server cannot tell it.
bool watch(bool on);

}  // namespace raw_motion
