// Bringing the face into view when the user asks for it from elsewhere (a
// second start, the notification-area icon).
#pragma once

#include "system/win32.h"

// Above the other windows, and whole on the nearest monitor when it was off every one.
void bringIntoView(HWND hwnd);
