#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/region.h"
#include "support/rects.h"

namespace {

int xorRect(HRGN region, int left, int top, int right, int bottom)
{
    HRGN rect = CreateRectRgn(left, top, right, bottom);
    int kind = CombineRgn(region, region, rect, RGN_XOR);
    DeleteObject(rect);
    return kind;
}

TEST(Region, EitherSourceMayBeTheDestinationAndStaleHandlesOrOtherModesAreRefused)
{
    HRGN a = CreateRectRgn(4, 4, 0, 0), b = CreateRectRgn(2, 0, 6, 4), out = CreateRectRgn(9, 9, 99, 99);
    EXPECT_EQ(CombineRgn(out, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_EQ(CombineRgn(b, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_EQ(regionRects(b), (Rects{{0, 0, 2, 4}, {4, 0, 6, 4}}));
    EXPECT_EQ(regionRects(out), regionRects(b));
    EXPECT_EQ(regionRects(a), (Rects{{0, 0, 4, 4}})) << "a source stays as it was";
    EXPECT_EQ(CombineRgn(a, a, a, 1 /* RGN_AND */), ERROR);
    EXPECT_EQ(CombineRgn(a, a, a, RGN_XOR), NULLREGION);
    int notARegion = 0;
    EXPECT_FALSE(DeleteObject(nullptr) || DeleteObject(&notARegion));
    EXPECT_TRUE(DeleteObject(a));
    EXPECT_FALSE(DeleteObject(a));
    EXPECT_EQ(CombineRgn(out, out, a, RGN_XOR), ERROR);
    EXPECT_FALSE(PtInRegion(a, 0, 0));
    DeleteObject(b);
    DeleteObject(out);
}

// As on Windows, the handle of a deleted object never reaches one made after it,
// though the new one may live where the old one did.
TEST(Region, HandlesOfDeletedRegionsDcsAndBitmapsNeverReachLaterOnes)
{
    HRGN goneRegion = CreateRectRgn(0, 0, 4, 4);
    DeleteObject(goneRegion);
    HRGN region = CreateRectRgn(0, 0, 8, 8);
    EXPECT_FALSE(PtInRegion(goneRegion, 1, 1));
    EXPECT_EQ(CombineRgn(goneRegion, region, region, RGN_XOR), ERROR);
    EXPECT_FALSE(DeleteObject(goneRegion));
    EXPECT_EQ(regionRects(region), (Rects{{0, 0, 8, 8}}));

    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits;
    HDC goneDc = CreateCompatibleDC(nullptr);
    HBITMAP goneBitmap = CreateDIBSection(goneDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    DeleteObject(goneBitmap);
    DeleteDC(goneDc);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    EXPECT_EQ(SelectObject(goneDc, bitmap), nullptr);
    EXPECT_EQ(SelectObject(dc, goneBitmap), nullptr);
    EXPECT_FALSE(DeleteDC(goneDc));
    EXPECT_FALSE(DeleteObject(goneBitmap));
    EXPECT_EQ(SelectObject(dc, bitmap), nullptr) << "the live bitmap goes into the live DC";
    EXPECT_EQ(SelectObject(dc, nullptr), bitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DeleteObject(region);
}

// Random exclusive-ors against a pixel model: the same pixels, listed banded
// (pieces of a band side by side and apart), no two touching bands alike, and
// the kind the last one reported.
TEST(Region, RandomExclusiveOrsMatchAPixelModel)
{
    const int size = 10;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(0, size);
    for (int round = 0; round < 200; ++round) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        std::vector<std::vector<int>> model(size, std::vector<int>(size)), cover = model;
        int kind = ERROR;
        for (int step = 0; step < 12; ++step) {
            int x0 = coordinate(random), x1 = coordinate(random), y0 = coordinate(random), y1 = coordinate(random);
            kind = xorRect(region, x0, y0, x1, y1);
            for (int y = std::min(y0, y1); y < std::max(y0, y1); ++y)
                for (int x = std::min(x0, x1); x < std::max(x0, x1); ++x)
                    model[y][x] ^= 1;
        }
        Rects rects = regionRects(region);
        EXPECT_EQ(kind, rects.empty() ? NULLREGION : rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION);
        for (size_t i = 0; i < rects.size(); ++i) {
            const RECT &r = rects[i], &p = rects[i ? i - 1 : 0];
            bool sameBand = p.top == r.top && p.bottom == r.bottom && p.right < r.left;
            bool nextBand = p.bottom < r.top || (p.bottom == r.top && model[r.top - 1] != model[r.top]);
            EXPECT_TRUE(i == 0 || sameBand || nextBand) << p << r;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    ++cover[y][x];
        }
        ASSERT_EQ(cover, model) << "round " << round;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                ASSERT_EQ(PtInRegion(region, x, y), model[y][x]) << x << "," << y;
        DeleteObject(region);
    }
}

}  // namespace
