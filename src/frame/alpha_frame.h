// Frames of a skin with alpha: composed as premultiplied pixels and shown
// through a layered window, which blends them with the desktop.
#pragma once

#include <allegro.h>

#include <cstdint>

#include "system/win32.h"

class Skin;

// The eye background, each pupil where the eyes lie behind the picture, and the
// picture over them, inside the area of the canvas.
void composeAlphaArea(Skin* skin, const RECT* pupils, const RECT& area);
// The 32-bit picture a layered window is updated from, kept while the window and
// its size stay, so that a frame allocates nothing. Freed by release(), while
// the system that made it is still there.
class LayeredSurface {
public:
    LayeredSurface() = default;
    LayeredSurface(const LayeredSurface&) = delete;
    LayeredSurface& operator=(const LayeredSurface&) = delete;

    // Sends the area of the shown bitmap (the canvas, or its enlargement) to the
    // layered window, the rest of the window keeping what it showed.
    void present(HWND window, BITMAP* shown, const RECT& area);
    void release();

    // The whole face's opacity, which every frame is blended with (255 opaque).
    BYTE opacity = 255;

private:
    bool fits(HWND hwnd, int w, int h) const { return pixels && window == hwnd && width == w && height == h; }
    bool make(HWND hwnd, int w, int h);

    HWND window = nullptr;
    int width = 0;
    int height = 0;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* pixels = nullptr;
};
