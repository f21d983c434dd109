#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/region.h"
#include "skin/rect_print.h"

namespace {

using Rects = std::vector<RECT>;

// Exclusive-or of rectangles, as the window shape is built.
int xorRect(HRGN region, int left, int top, int right, int bottom)
{
    HRGN rect = CreateRectRgn(left, top, right, bottom);
    int kind = CombineRgn(region, region, rect, RGN_XOR);
    DeleteObject(rect);
    return kind;
}

TEST(Region, CutsAHoleAndFillsItBackToOneRectangle)
{
    HRGN region = CreateRectRgn(0, 0, 10, 10);
    EXPECT_EQ(xorRect(region, 3, 3, 6, 6), COMPLEXREGION);
    EXPECT_EQ(regionRects(region), (Rects{{0, 0, 10, 3}, {0, 3, 3, 6}, {6, 3, 10, 6}, {0, 6, 10, 10}}));
    EXPECT_FALSE(PtInRegion(region, 3, 3));
    EXPECT_FALSE(PtInRegion(region, 5, 5));
    EXPECT_TRUE(PtInRegion(region, 2, 3));
    EXPECT_TRUE(PtInRegion(region, 6, 5));

    EXPECT_EQ(xorRect(region, 3, 3, 6, 6), SIMPLEREGION);
    EXPECT_EQ(regionRects(region), (Rects{{0, 0, 10, 10}}));
    DeleteObject(region);
}

TEST(Region, TouchingPiecesJoinAndEdgesAreExclusive)
{
    HRGN region = CreateRectRgn(0, 0, 5, 5);
    EXPECT_EQ(xorRect(region, 5, 0, 10, 5), SIMPLEREGION);
    EXPECT_EQ(xorRect(region, 0, 5, 10, 7), SIMPLEREGION);
    EXPECT_EQ(regionRects(region), (Rects{{0, 0, 10, 7}}));
    EXPECT_TRUE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, 9, 6));
    EXPECT_FALSE(PtInRegion(region, 10, 0));
    EXPECT_FALSE(PtInRegion(region, 0, 7));
    EXPECT_FALSE(PtInRegion(region, -1, 0));
    DeleteObject(region);
}

TEST(Region, ReversedCornersAreSwappedAndFlatRectanglesAreEmpty)
{
    HRGN reversed = CreateRectRgn(10, 8, 2, 4);
    EXPECT_EQ(regionRects(reversed), (Rects{{2, 4, 10, 8}}));
    HRGN flat = CreateRectRgn(3, 3, 3, 9);
    EXPECT_TRUE(regionRects(flat).empty());
    EXPECT_EQ(CombineRgn(flat, flat, flat, RGN_XOR), NULLREGION);
    DeleteObject(reversed);
    DeleteObject(flat);
}

TEST(Region, DestinationMayBeEitherSourceOrNeither)
{
    HRGN a = CreateRectRgn(0, 0, 4, 4);
    HRGN b = CreateRectRgn(2, 0, 6, 4);
    HRGN out = CreateRectRgn(100, 100, 200, 200);
    EXPECT_EQ(CombineRgn(out, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_EQ(regionRects(out), (Rects{{0, 0, 2, 4}, {4, 0, 6, 4}}));
    EXPECT_EQ(regionRects(a), (Rects{{0, 0, 4, 4}})) << "sources stay as they were";

    EXPECT_EQ(CombineRgn(b, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_EQ(regionRects(b), regionRects(out));
    EXPECT_EQ(CombineRgn(out, a, a, RGN_XOR), NULLREGION);
    EXPECT_EQ(CombineRgn(a, a, a, RGN_XOR), NULLREGION);
    EXPECT_TRUE(regionRects(a).empty());
    for (HRGN r : {a, b, out})
        DeleteObject(r);
}

TEST(Region, RefusesOtherModesAndHandlesThatAreNotLiveRegions)
{
    HRGN a = CreateRectRgn(0, 0, 4, 4);
    EXPECT_EQ(CombineRgn(a, a, a, 1 /* RGN_AND */), ERROR);
    EXPECT_EQ(regionRects(a), (Rects{{0, 0, 4, 4}}));
    EXPECT_EQ(CombineRgn(a, a, nullptr, RGN_XOR), ERROR);

    int notARegion = 0;
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_FALSE(DeleteObject(&notARegion));
    EXPECT_TRUE(DeleteObject(a));
    EXPECT_FALSE(DeleteObject(a)) << "a second delete is refused";
    EXPECT_FALSE(PtInRegion(a, 1, 1));
    EXPECT_TRUE(regionRects(a).empty());
}

// Checks the listed rectangles against a pixel model: same pixels, banded
// (rows share a band's top and bottom, sorted), and in the one form with
// touching pieces joined.
void expectMatches(HRGN region, const std::vector<std::vector<bool>>& model)
{
    const int size = static_cast<int>(model.size());
    std::vector<std::vector<int>> cover(size, std::vector<int>(size));
    Rects rects = regionRects(region);
    for (size_t i = 0; i < rects.size(); ++i) {
        const RECT& r = rects[i];
        ASSERT_TRUE(r.left < r.right && r.top < r.bottom && r.left >= 0 && r.top >= 0 && r.right <= size &&
                    r.bottom <= size)
            << r;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                ++cover[y][x];
        if (i == 0)
            continue;
        const RECT& p = rects[i - 1];
        bool sameBand = p.top == r.top;
        EXPECT_TRUE(sameBand ? p.bottom == r.bottom && p.right < r.left : p.bottom <= r.top) << p << r;
    }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            ASSERT_EQ(cover[y][x], model[y][x] ? 1 : 0) << x << "," << y;
            ASSERT_EQ(PtInRegion(region, x, y), model[y][x] ? TRUE : FALSE) << x << "," << y;
        }
    // Joined form: each row's run list differs from the next row's at every band boundary.
    for (size_t i = 1; i < rects.size(); ++i)
        if (rects[i].top == rects[i - 1].bottom && rects[i].top != rects[i - 1].top) {
            int y = rects[i].top;
            EXPECT_NE(model[y - 1], model[y]) << "rows " << y - 1 << " and " << y << " should share a band";
        }
}

TEST(Region, RandomExclusiveOrsMatchAPixelModel)
{
    const int size = 10;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(0, size);
    for (int round = 0; round < 200; ++round) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        std::vector<std::vector<bool>> model(size, std::vector<bool>(size));
        int kind = NULLREGION;
        for (int step = 0; step < 12; ++step) {
            int x0 = coordinate(random), x1 = coordinate(random);
            int y0 = coordinate(random), y1 = coordinate(random);
            kind = xorRect(region, x0, y0, x1, y1);
            for (int y = std::min(y0, y1); y < std::max(y0, y1); ++y)
                for (int x = std::min(x0, x1); x < std::max(x0, x1); ++x)
                    model[y][x] = !model[y][x];
        }
        expectMatches(region, model);
        size_t count = regionRects(region).size();
        EXPECT_EQ(kind, count == 0 ? NULLREGION : count == 1 ? SIMPLEREGION : COMPLEXREGION);
        DeleteObject(region);
    }
}

}  // namespace
