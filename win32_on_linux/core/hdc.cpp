#include <winalleg.h>

#include "core.h"

namespace {

// Frames start at the window's corner, the one place this program draws them;
// anything the backend could not show in place is refused.
void sendArea(HDC dc, BITMAP* bitmap, const RECT& area)
{
    core::Window* window = core::findWindowByDc(dc);
    if (!window || !bitmap || !is_memory_bitmap(bitmap) || bitmap_color_depth(bitmap) != 32)
        return;
    if (bitmap->w <= 0 || bitmap->h <= 0)
        return;
    int stride = bitmap->h > 1 ? static_cast<int>((bitmap->line[1] - bitmap->line[0]) / 4) : bitmap->w;
    backend::present(window->native, reinterpret_cast<const uint32_t*>(bitmap->line[0]), bitmap->w, bitmap->h,
                     stride, area);
}

}  // namespace

// A 32-bit canvas on a true-colour target needs no palette: it is only kept.
void set_palette_to_hdc(HDC dc, const RGB* palette)
{
    if (core::Window* window = core::findWindowByDc(dc))
        window->palette = palette;
}

void draw_to_hdc(HDC dc, BITMAP* bitmap, int x, int y)
{
    if (x == 0 && y == 0 && bitmap)
        sendArea(dc, bitmap, RECT{0, 0, bitmap->w, bitmap->h});
}

void blit_to_hdc(BITMAP* bitmap, HDC dc, int srcX, int srcY, int destX, int destY, int w, int h)
{
    if (srcX == destX && srcY == destY && w > 0 && h > 0)
        sendArea(dc, bitmap, RECT{srcX, srcY, srcX + w, srcY + h});
}
