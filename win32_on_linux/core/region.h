// The window-shape region behind HRGN: y-x banded like Win32's own, so that
// the rectangles the backends shape windows with come out few and ordered.
#pragma once

#include <vector>

#include <win32_api.h>

// Bands are sorted, never empty, and neighbours that touch always differ,
// so every set of pixels has exactly one form.
struct HRGN__ {
    // Columns [left, right) of one band.
    struct Span {
        LONG left;
        LONG right;
    };
    // Rows [top, bottom), all sharing the same spans.
    struct Band {
        LONG top;
        LONG bottom;
        std::vector<Span> spans;  // sorted, never empty, never touching
    };
    std::vector<Band> bands;
};

// The region as rectangles, top to bottom then left to right, none overlapping;
// empty for an empty region or a handle that is not a live region.
std::vector<RECT> regionRects(HRGN region);
