// A masked sprite blit: pixels in the mask colour (magenta) are skipped.
#pragma once

#include <allegro.h>

// Pixel for pixel what Allegro's draw_sprite gives, clipped to the target's
// clipping rectangle; 32-bit memory bitmaps take a loop the compiler vectorises.
void drawSprite(BITMAP* target, BITMAP* sprite, int x, int y);
