// A desktop scaled by an integer N shows each window pixel as an N x N block of
// screen pixels, as Windows does for a program that declares no DPI awareness.
//
// Where the Win32 coordinates live at scale N: GetCursorPos, GetWindowRect,
// SetWindowPos, MoveWindow, ClientToScreen, GetSystemMetrics, the monitors and
// TrackPopupMenu all use window pixels (screen pixels divided by N), so a point's
// distance from a window's corner is in the skin's own pixels. Only
// LogicalToPhysicalPoint and PhysicalToLogicalPoint give screen pixels, which is
// what is stored. A window dragged to a screen pixel that is no multiple of N
// still maps exactly: the grid of window pixels starts at the window's corner.
#pragma once

#include <cstdint>
#include <vector>

#include <win32_api.h>

struct Scale {
    int factor = 1;
    POINT origin{};  // the screen pixel at which a window's pixel grid starts

    // Screen pixels left of or above the origin belong to the window pixel that covers them.
    POINT toWindowPixels(POINT screen) const;
    POINT toScreen(POINT windowPixels) const;
};

// Each pixel of the frame becomes a factor x factor block of `out`, which holds
// (width * factor) x (height * factor) pixels, row after row.
void enlargeFrame(const uint32_t* pixels, int width, int height, int stridePixels, int factor, uint32_t* out);

// The same area in screen pixels, relative to the window's corner.
std::vector<RECT> enlargeRects(const RECT* rects, size_t count, int factor);
