// What Allegro's winalleg.h brings a Windows program, served by this layer on
// Linux: the Win32 declarations, and Allegro's output to device contexts, by
// which the canvas, or one area of it, reaches the window after the skin's palette.
#pragma once

#include <allegro.h>
#include <win32_api.h>

void set_palette_to_hdc(HDC dc, const RGB* palette);
void draw_to_hdc(HDC dc, BITMAP* bitmap, int x, int y);
void blit_to_hdc(BITMAP* bitmap, HDC dc, int srcX, int srcY, int destX, int destY, int w, int h);
