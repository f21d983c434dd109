// One frame of a skin, painted by the program's own painter on the headless
// display, with the pointer at a point of the window.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32.h"

class Skin;

struct Frame {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row; empty when nothing could be painted
};

Frame paintFrame(Skin& skin, POINT pointer);
