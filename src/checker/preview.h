// One frame of a skin, composed by the program's own painter with the pointer
// at a point of the window, without a window.
#pragma once

#include <cstdint>
#include <vector>

#include "system/win32.h"

class Skin;

struct Frame {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row; empty when nothing could be painted
    bool alpha = false;  // the pixels are premultiplied 0xAARRGGBB, as an alpha skin composes them
};

Frame paintFrame(Skin& skin, POINT pointer);
