// Reads a BMP file through Allegro, but only after checking it: Allegro 4.4
// overflows, spins or allocates gigabytes on some broken files, and refuses
// valid modern ones (large headers, top-down rows), which are normalised first.
#pragma once

#include <allegro.h>

// The file as a bitmap at the current colour depth, or null when it is missing,
// unreadable or broken. The palette, when given, is zeroed first, then filled.
BITMAP* loadBitmapFile(const char* path, RGB* palette);
