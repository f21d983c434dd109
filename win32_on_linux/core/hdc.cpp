#include "win32/hdc.h"

#include "core.h"

// A 32-bit canvas on a true-colour target needs no palette: it is only kept.
void set_palette_to_hdc(HDC dc, const RGB* palette)
{
    if (core::Window* window = core::findWindowByDc(dc))
        window->palette = palette;
}

// Frames start at the window's corner, the one place this program draws them;
// anything the backend could not show as one whole frame is refused.
void draw_to_hdc(HDC dc, BITMAP* bitmap, int x, int y)
{
    core::Window* window = core::findWindowByDc(dc);
    if (!window || !bitmap || x != 0 || y != 0 || !is_memory_bitmap(bitmap) || bitmap_color_depth(bitmap) != 32)
        return;
    if (bitmap->w <= 0 || bitmap->h <= 0)
        return;
    int stride = bitmap->h > 1 ? static_cast<int>((bitmap->line[1] - bitmap->line[0]) / 4) : bitmap->w;
    backend::present(window->native, reinterpret_cast<const uint32_t*>(bitmap->line[0]), bitmap->w, bitmap->h, stride);
}
