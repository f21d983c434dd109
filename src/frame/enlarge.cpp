#include "frame/enlarge.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

void enlargeArea(const BITMAP* from, BITMAP* to, int factor, const RECT& area)
{
    const int left = std::max<int>(area.left, 0), top = std::max<int>(area.top, 0);
    const int right = std::min<int>(area.right, from->w), bottom = std::min<int>(area.bottom, from->h);
    if (left >= right || top >= bottom)
        return;
    const size_t rowBytes = size_t(right - left) * factor * sizeof(uint32_t);
    for (int y = top; y < bottom; ++y) {
        const uint32_t* in = reinterpret_cast<const uint32_t*>(from->line[y]) + left;
        uint32_t* first = reinterpret_cast<uint32_t*>(to->line[y * factor]) + left * factor;
        uint32_t* out = first;
        if (factor == 2) {
            // The common case, two pixels to a word, which the compiler vectorises.
            for (int x = left; x < right; ++x, out += 2) {
                const uint64_t pair = in[x - left] * 0x100000001ull;
                std::memcpy(out, &pair, sizeof pair);
            }
        } else {
            for (int x = left; x < right; ++x)
                for (int i = 0; i < factor; ++i)
                    *out++ = in[x - left];
        }
        for (int copy = 1; copy < factor; ++copy)
            std::memcpy(reinterpret_cast<uint32_t*>(to->line[y * factor + copy]) + left * factor, first, rowBytes);
    }
}

RECT enlargedRect(const RECT& area, int factor)
{
    return {area.left * factor, area.top * factor, area.right * factor, area.bottom * factor};
}
