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
};

Frame paintFrame(Skin& skin, POINT pointer);
