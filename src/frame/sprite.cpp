#include "frame/sprite.h"

#include <algorithm>
#include <cstdint>

namespace {

// Every pixel is stored, the mask colour as the target's own, so the loop has
// no branch and becomes compares and blends.
void maskedRow(uint32_t* __restrict to, const uint32_t* __restrict from, int count)
{
    for (int i = 0; i < count; ++i) {
        uint32_t pixel = from[i];
        to[i] = pixel == MASK_COLOR_32 ? to[i] : pixel;
    }
}

// A whole memory bitmap: its rows share memory with no other bitmap's.
bool isPlain32(BITMAP* bitmap)
{
    return is_memory_bitmap(bitmap) && !is_sub_bitmap(bitmap) && bitmap_color_depth(bitmap) == 32;
}

}  // namespace

void drawSprite(BITMAP* target, BITMAP* sprite, int x, int y)
{
    if (target == sprite || !isPlain32(target) || !isPlain32(sprite)) {
        draw_sprite(target, sprite, x, y);
        return;
    }
    // Allegro draws unclipped when clipping is off; the bitmap's edges still hold here.
    int left = target->clip ? target->cl : 0, right = target->clip ? target->cr : target->w;
    int top = target->clip ? target->ct : 0, bottom = target->clip ? target->cb : target->h;
    left = std::max({left, x, 0});
    top = std::max({top, y, 0});
    right = int(std::min<int64_t>({right, int64_t{x} + sprite->w, target->w}));
    bottom = int(std::min<int64_t>({bottom, int64_t{y} + sprite->h, target->h}));
    if (left >= right || top >= bottom)
        return;
    for (int row = top; row < bottom; ++row) {
        auto* to = reinterpret_cast<uint32_t*>(target->line[row]) + left;
        auto* from = reinterpret_cast<const uint32_t*>(sprite->line[row - y]) + (left - x);
        maskedRow(to, from, right - left);
    }
}
