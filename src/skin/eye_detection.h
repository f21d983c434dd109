// The eyes of a main picture: each pixel of the mask colour marks an eye's centre.
#pragma once

#include <allegro.h>

#include "system/win32.h"

constexpr int MAX_EYES = 16;

struct FoundEyes {
    int count = 0;  // at most MAX_EYES; markers beyond are painted over all the same
    int colour = 0;  // the eye colour around the last marker counted, 0 without eyes
    POINT centres[MAX_EYES] = {};
    RECT bounds[MAX_EYES] = {};
};

// Finds the marked eyes and measures each, painting every marker in its eye's colour.
FoundEyes findEyes(BITMAP* picture);
