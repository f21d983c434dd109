// The eyes' timer: a tick every 100 ms while the pointer moves, one look a
// second while it rests and the face shows the last tick's frame, and a tick
// at once on the first raw input from the mouse.
#pragma once

#include "system/win32.h"

// Starts the timer of a new window at its full pace.
void startEyesTimer(HWND hwnd);
void stopEyesTimer(HWND hwnd);
// After a tick: slows the timer once ticks find nothing to change, which a
// moved pointer would (the one look a tick costs asks where it is).
void eyesTimerTicked(HWND hwnd, bool faceChanged);
// On WM_INPUT: true when the timer was slowed and the face should follow now.
bool mouseRawInput(HWND hwnd);
