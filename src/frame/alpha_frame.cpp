#include "frame/alpha_frame.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "skin/skin.h"

namespace {

// A premultiplied pixel times factor / 255, two channels to a multiply.
inline uint32_t scaled(uint32_t pixel, uint32_t factor)
{
    uint32_t redBlue = (pixel & 0x00ff00ff) * factor + 0x00800080;
    redBlue = ((redBlue + ((redBlue >> 8) & 0x00ff00ff)) >> 8) & 0x00ff00ff;
    uint32_t alphaGreen = ((pixel >> 8) & 0x00ff00ff) * factor + 0x00800080;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0x00ff00ff)) & 0xff00ff00;
    return redBlue | alphaGreen;
}

// Porter and Duff's "over" on premultiplied pixels.
inline uint32_t over(uint32_t top, uint32_t below)
{
    return top + scaled(below, 255 - (top >> 24));
}

// Without a branch, so that the compiler vectorises it.
void pictureOver(uint32_t* __restrict to, const uint32_t* __restrict picture, int count)
{
    for (int i = 0; i < count; ++i)
        to[i] = over(picture[i], to[i]);
}

// One row of a pupil, only where an eye lies behind the picture.
void pupilRow(uint32_t* to, const uint32_t* pupil, const uint8_t* behind, int count)
{
    for (int i = 0; i < count; ++i)
        if (behind[i])
            to[i] = over(pupil[i], to[i]);
}

void composePupil(Skin* skin, const RECT& place, BITMAP* pupil, int y, int left, int right, uint32_t* row)
{
    if (y < place.top || y >= place.bottom)
        return;
    const int from = std::max<int>(left, place.left), to = std::min<int>(right, place.right);
    if (from >= to)
        return;
    const uint32_t* pupilRowStart = reinterpret_cast<const uint32_t*>(pupil->line[y - place.top]) - place.left;
    const uint8_t* behind = skin->behindPicture.data() + size_t(y) * skin->getWidth();
    pupilRow(row + from, pupilRowStart + from, behind + from, to - from);
}

}  // namespace

void composeAlphaArea(Skin* skin, const RECT* pupils, const RECT& area)
{
    BITMAP* canvas = skin->canvas.get();
    const int left = std::max<int>(area.left, 0), right = std::min<int>(area.right, canvas->w);
    const int top = std::max<int>(area.top, 0), bottom = std::min<int>(area.bottom, canvas->h);
    if (left >= right)
        return;
    for (int y = top; y < bottom; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(canvas->line[y]);
        if (skin->background)  // the face's size, made with the skin
            std::memcpy(row + left, reinterpret_cast<const uint32_t*>(skin->background->line[y]) + left,
                        size_t(right - left) * sizeof(uint32_t));
        else
            std::memset(row + left, 0, size_t(right - left) * sizeof(uint32_t));
        for (int i = 0; i < skin->eyeCount; ++i)
            composePupil(skin, pupils[i], skin->pupils[i].get(), y, left, right, row);
        pictureOver(row + left, reinterpret_cast<const uint32_t*>(skin->mainImage->line[y]) + left, right - left);
    }
}

void LayeredSurface::release()
{
    if (dc) {
        SelectObject(dc, previous);
        DeleteDC(dc);
    }
    if (bitmap)
        DeleteObject(bitmap);
    window = nullptr;
    width = height = 0;
    dc = nullptr;
    bitmap = nullptr;
    previous = nullptr;
    pixels = nullptr;
}

bool LayeredSurface::make(HWND hwnd, int w, int h)
{
    release();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top row first, as the canvas
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc = CreateCompatibleDC(nullptr);
    bitmap = dc ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (!bitmap || !bits) {
        release();
        return false;
    }
    previous = SelectObject(dc, bitmap);
    window = hwnd;
    width = w;
    height = h;
    pixels = static_cast<uint32_t*>(bits);
    return true;
}

void LayeredSurface::present(HWND hwnd, BITMAP* shown, const RECT& area)
{
    if (!fits(hwnd, shown->w, shown->h) && !make(hwnd, shown->w, shown->h))
        return;
    const RECT dirty{std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0), std::min<LONG>(area.right, shown->w),
                     std::min<LONG>(area.bottom, shown->h)};
    if (dirty.left >= dirty.right || dirty.top >= dirty.bottom)
        return;
    for (LONG y = dirty.top; y < dirty.bottom; ++y)
        std::memcpy(pixels + size_t(y) * shown->w + dirty.left,
                    reinterpret_cast<const uint32_t*>(shown->line[y]) + dirty.left,
                    size_t(dirty.right - dirty.left) * sizeof(uint32_t));
    SIZE size{shown->w, shown->h};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
    UPDATELAYEREDWINDOWINFO update = {};
    update.cbSize = sizeof update;
    update.psize = &size;
    update.hdcSrc = dc;
    update.pptSrc = &origin;
    update.pblend = &blend;
    update.dwFlags = ULW_ALPHA;
    update.prcDirty = &dirty;
    UpdateLayeredWindowIndirect(hwnd, &update);
}
