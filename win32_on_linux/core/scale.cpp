#include "scale.h"

#include <cstring>

namespace {

int64_t floorDiv64(int64_t value, int64_t divisor)
{
    int64_t quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

// Coordinates read from files may be anything: they wrap as Win32's 32-bit arithmetic does.
LONG wrapped(int64_t value)
{
    return static_cast<LONG>(static_cast<uint32_t>(value));
}

LONG toWindow(LONG screen, LONG origin, int factor)
{
    return wrapped(floorDiv64(origin, factor) + floorDiv64(int64_t{screen} - origin, factor));
}

LONG toScreenAxis(LONG windowPixels, LONG origin, int factor)
{
    return wrapped(origin + (windowPixels - floorDiv64(origin, factor)) * factor);
}

}  // namespace

POINT Scale::toWindowPixels(POINT screen) const
{
    return {toWindow(screen.x, origin.x, factor), toWindow(screen.y, origin.y, factor)};
}

POINT Scale::toScreen(POINT windowPixels) const
{
    return {toScreenAxis(windowPixels.x, origin.x, factor), toScreenAxis(windowPixels.y, origin.y, factor)};
}

void enlargeFrame(const uint32_t* pixels, int width, int height, int stridePixels, int factor, uint32_t* out)
{
    const size_t rowPixels = size_t(width) * factor;
    for (int y = 0; y < height; ++y) {
        const uint32_t* in = pixels + size_t(y) * stridePixels;
        uint32_t* first = out;
        if (factor == 2) {
            // The common case, two pixels to a word, which the compiler vectorises.
            for (int x = 0; x < width; ++x, out += 2) {
                uint64_t pair = in[x] * 0x100000001ull;
                std::memcpy(out, &pair, sizeof pair);
            }
        } else {
            for (int x = 0; x < width; ++x)
                for (int i = 0; i < factor; ++i)
                    *out++ = in[x];
        }
        for (int copy = 1; copy < factor; ++copy, out += rowPixels)
            std::memcpy(out, first, rowPixels * sizeof *out);
    }
}

std::vector<RECT> enlargeRects(const RECT* rects, size_t count, int factor)
{
    std::vector<RECT> enlarged(rects, rects + count);
    for (RECT& r : enlarged)
        r = {r.left * factor, r.top * factor, r.right * factor, r.bottom * factor};
    return enlarged;
}
