// The face's opacity, from the settings file: a plain skin's window becomes
// layered with a constant alpha and keeps its region, an alpha skin takes it
// in the blend of its frames.
#pragma once

#include "frame/paint.h"
#include "system/win32.h"

// For a new window, before its first frame.
void applyOpacity(HWND hwnd, FrameState& frame, const Skin& skin);
