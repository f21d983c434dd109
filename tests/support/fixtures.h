// Helpers shared by the program's tests: BMP files on disk, a fresh display, rectangles
// compared and printed; the file helpers come from os/tests.
#pragma once

#include <allegro.h>

#include <ostream>
#include <string>
#include <vector>

#include "os/tests/files.h"
#include "system/win32.h"

// A display with no windows, boxes or timers left by an earlier test: the
// headless one reset on Linux; Windows' own needs nothing.
void freshDisplay();

// A 32-bit bitmap filled with one colour; the caller destroys it.
BITMAP* makeBitmap(int width, int height, int colour);
// Saves as a plain 24-bit BMP with the 40-byte header.
void saveBmp(const std::string& path, BITMAP* bitmap);

int magenta();

// A 32-bit BMP with alpha, as GIMP, Krita and ImageMagick write one: a header of
// headerSize bytes (124 by default; 40 carries the masks after it), the masks
// with alphaMask, rows bottom-up. `argb` holds straight 0xAARRGGBB pixels, top row first.
struct AlphaBmp {
    int width = 0, height = 0;
    std::vector<uint32_t> argb;
    uint32_t headerSize = 124;
    uint32_t compression = 3;  // BI_BITFIELDS; 6 is BI_ALPHABITFIELDS, 0 BI_RGB
    uint32_t alphaMask = 0xff000000;
};
std::string alphaBmpBytes(const AlphaBmp& bmp);
// The bitmap's colours with one alpha for each pixel, top row first, saved as above.
void saveAlphaBmp(const std::string& path, BITMAP* colours, const std::vector<uint8_t>& alpha);

// Rectangles compared and printed, as regions and shapes are checked.
using Rects = std::vector<RECT>;
inline bool operator==(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}
