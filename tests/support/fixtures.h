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

// Rectangles compared and printed, as regions and shapes are checked.
using Rects = std::vector<RECT>;
inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}
