// Reads a BMP file itself, after checking it: every form Windows writes or
// reads, at the full precision of its palette or channel masks.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <vector>

#include "skin/bmp_refusal.h"

// The alpha, or the otherwise unused bits, of a 16- or 32-bit file. Only a file
// whose header declares an alpha mask has alpha; Windows ignores the spare bits
// of any other file, and so do we.
struct FourthBytes {
    std::vector<uint8_t> alpha;  // one per pixel, top row first; empty without alpha
    bool ignored = false;  // some spare bits of a 32-bit file were not zero, yet are not read as alpha
};

// The file as a 32-bit bitmap, or null when it is missing, unreadable, broken
// or in a form not read, and then why in `refusal`, when given. The palette,
// when given, is zeroed first, then filled as Allegro fills one (6 bits a
// channel). The bitmap's pixels never carry alpha; it goes to `fourth`, when given.
BITMAP* loadBitmapFile(const char* path, RGB* palette, FourthBytes* fourth = nullptr, BmpRefusal* refusal = nullptr);
