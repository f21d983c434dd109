// What stands in for Allegro's Windows-only device-context output:
// the canvas reaches the window in one transfer, after the skin's palette.
#pragma once

#include <allegro.h>

#include "win32.h"

void set_palette_to_hdc(HDC dc, const RGB* palette);
void draw_to_hdc(HDC dc, BITMAP* bitmap, int x, int y);
