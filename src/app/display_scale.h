// The whole-number scale the face is drawn at, from the display's DPI: crisp
// pixel art at every display scale, where the system would blur a stretched one.
#pragma once

#include "system/win32.h"

// The nearest whole number to dpi / 96, halves up: at least 1, at most 8.
int scaleForDpi(unsigned dpi);
// The screen's DPI as the system tells a DPI-aware program, 96 when it tells none.
unsigned screenDpi();
