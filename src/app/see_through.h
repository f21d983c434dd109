// Out of the way while the user works: the face's opacity, from the settings
// file (a plain skin's window becomes layered with a constant alpha and keeps
// its region, an alpha skin takes it in the blend of its frames), and
// click-through, where clicks pass to what is under the face, the face fades
// to a quarter of its opacity while the pointer is over it, and takes clicks
// again while Ctrl is held there.
#pragma once

#include "frame/paint.h"
#include "system/win32.h"

// For a new window, before its first frame.
void applySeeThrough(HWND hwnd, FrameState& frame, const Skin& skin);
// On each tick of the eyes' timer, so it wakes nothing of its own.
void seeThroughTicked(HWND hwnd, FrameState& frame, const Skin& skin);
bool isClickThrough();
// Turns click-through on or off for the window now, and stores it.
void setClickThrough(HWND hwnd, FrameState& frame, const Skin& skin, bool on);
