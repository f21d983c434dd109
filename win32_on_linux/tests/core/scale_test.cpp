// A scaled desktop's arithmetic: screen pixels to window pixels and back, and
// frames and shapes made larger pixel for pixel.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "core/scale.h"

namespace {

TEST(Scale, ThePointerLandsOnTheWindowPixelThatCoversItWhereverTheWindowStands)
{
    for (int factor : {1, 2, 3}) {
        for (POINT corner : {POINT{0, 0}, POINT{101, -33}, POINT{-7, 1280}}) {
            const Scale scale{factor, corner};
            const POINT cornerPixel = scale.toWindowPixels(corner);
            EXPECT_EQ(scale.toScreen(cornerPixel).x, corner.x);
            for (int dx = -2 * factor - 1; dx <= 2 * factor + 1; ++dx) {
                POINT p = scale.toWindowPixels({corner.x + dx, corner.y - dx});
                // The pixel of the face under the pointer, also left of and above the window.
                int expected = dx >= 0 ? dx / factor : -((-dx + factor - 1) / factor);
                int expectedY = -dx >= 0 ? -dx / factor : -((dx + factor - 1) / factor);
                EXPECT_EQ(p.x - cornerPixel.x, expected) << factor << " " << dx;
                EXPECT_EQ(p.y - cornerPixel.y, expectedY) << factor << " " << dx;
                // Back to the screen: the first screen pixel of that block.
                POINT back = scale.toScreen(p);
                EXPECT_EQ(back.x, corner.x + expected * factor);
            }
        }
    }
    EXPECT_EQ(Scale{}.toWindowPixels({INT_MAX, INT_MIN}).x, INT_MAX) << "at scale 1 nothing changes";
    EXPECT_EQ(Scale{}.toScreen({INT_MAX, INT_MIN}).y, INT_MIN);
    EXPECT_EQ(Scale({2, {}}).toScreen({INT_MAX, 0}).x, -2) << "wraps like 32-bit arithmetic";
}

TEST(Scale, FramesAndShapesGrowPixelForPixel)
{
    // A 3 x 2 frame in rows of 4 pixels; the fourth of each row is not part of it.
    const std::vector<uint32_t> frame{1, 2, 3, 99, 4, 5, 6, 99};
    for (int factor : {1, 2, 3}) {
        std::vector<uint32_t> out(size_t(3 * factor) * 2 * factor, 0);
        enlargeFrame(frame.data(), 3, 2, 4, factor, out.data());
        for (int y = 0; y < 2 * factor; ++y)
            for (int x = 0; x < 3 * factor; ++x)
                ASSERT_EQ(out[size_t(y) * 3 * factor + x], frame[(y / factor) * 4 + x / factor]) << x << "," << y;
    }
    const RECT shape[] = {{0, 0, 3, 1}, {1, 1, 2, 2}};
    std::vector<RECT> grown = enlargeRects(shape, 2, 2);
    ASSERT_EQ(grown.size(), 2u);
    EXPECT_EQ(grown[1].left, 2);
    EXPECT_EQ(grown[1].top, 2);
    EXPECT_EQ(grown[1].right, 4);
    EXPECT_EQ(grown[1].bottom, 4);
    EXPECT_EQ(grown[0].right, 6);
}

}  // namespace
