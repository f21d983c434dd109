// Whether the pointer rests, learnt from XInput 2 raw motion on the root
// window, so that a resting face asks the X server nothing. Raw motion is
// watched only while the pointer rests: its first event says enough, and a
// moving pointer is looked at every tick anyway. A warp (a program moving the
// pointer) makes no raw motion, so a resting pointer is still looked at now
// and then.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

#include <win32_api.h>

namespace pointer_rest {

// Watches where the server has XInput 2; elsewhere restsFor() stays 0.
void start(Display* display);
// The X server was just asked where the pointer is.
void lookedAt(POINT screenPoint);
// Milliseconds until the pointer must be looked at again; 0 when it may have moved.
uint64_t restsFor();

}  // namespace pointer_rest
