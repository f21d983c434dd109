// Frames on a display of a whole-number scale: each pixel of the face a square
// block of screen pixels, nearest-neighbour, so pixel art stays crisp.
#pragma once

#include <allegro.h>

#include "system/win32.h"

// Copies the area (in `from`'s pixels) into `to`, which is factor times as large
// and of the same 32-bit depth, each pixel a factor x factor block.
void enlargeArea(const BITMAP* from, BITMAP* to, int factor, const RECT& area);

// The area in the enlarged bitmap's pixels.
RECT enlargedRect(const RECT& area, int factor);
