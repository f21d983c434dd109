// Out of the way of full-screen apps (video, a game, a presentation): the face
// hides while one is in front on its monitor, and comes back when it ends.
#pragma once

#include "system/win32.h"

// Looked at on each tick of the eyes' timer, so it wakes nothing of its own: a
// change shows within a tick, or within a look while the pointer rests.
void stepAsideForFullScreen(HWND hwnd);
// A new window starts shown.
void forgetFullScreen();
