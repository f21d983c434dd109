// Reads a BMP file through Allegro, but only after checking it: Allegro 4.4
// overflows, spins or allocates gigabytes on some broken files, and refuses
// valid modern ones (large headers, top-down rows), which are normalised first.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <vector>

// The fourth bytes of a 32-bit file. Only a file whose header declares them an
// alpha mask has alpha; Windows ignores them in any other file, and so do we.
struct FourthBytes {
    std::vector<uint8_t> alpha;  // one per pixel, top row first; empty without alpha
    bool ignored = false;  // some were not zero, yet are not read as alpha
};

// The file as a bitmap at the current colour depth, or null when it is missing,
// unreadable or broken. The palette, when given, is zeroed first, then filled.
// The bitmap's pixels never carry alpha; it goes to `fourth`, when given.
BITMAP* loadBitmapFile(const char* path, RGB* palette, FourthBytes* fourth = nullptr);
