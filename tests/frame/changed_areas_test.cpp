// The areas a frame recomposes and sends: together they hold every pixel a
// pupil left or reached, and no pixel twice.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "frame/changed_areas.h"

namespace {

constexpr RECT canvas = {0, 0, 64, 48};

bool contains(const RECT& r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// How many of the areas hold each pixel of the canvas.
std::vector<int> coverage(const ChangedAreas& areas)
{
    std::vector<int> times(canvas.right * canvas.bottom, 0);
    for (int i = 0; i < areas.count(); ++i)
        for (int y = 0; y < canvas.bottom; ++y)
            for (int x = 0; x < canvas.right; ++x)
                times[y * canvas.right + x] += contains(areas[i], x, y);
    return times;
}

void expectEveryMovedPixelOnce(const RECT* before, const RECT* now, int eyes, const ChangedAreas& areas)
{
    std::vector<int> times = coverage(areas);
    for (int y = 0; y < canvas.bottom; ++y)
        for (int x = 0; x < canvas.right; ++x) {
            ASSERT_LE(times[y * canvas.right + x], 1) << "composed twice at " << x << "," << y;
            for (int i = 0; i < eyes; ++i)
                if (!EqualRect(&before[i], &now[i]) && (contains(before[i], x, y) || contains(now[i], x, y))) {
                    ASSERT_EQ(times[y * canvas.right + x], 1) << "pupil " << i << " left out at " << x << "," << y;
                }
        }
}

TEST(ChangedAreas, AnAreaGrownByAJoinIsJoinedWithTheAreasItNowReaches)
{
    // The third pupil's area spans the gap between the first two, which only
    // then overlap the joined area: all three become one.
    const RECT before[] = {{0, 0, 4, 4}, {20, 0, 24, 4}, {5, 0, 9, 4}};
    const RECT now[] = {{2, 0, 6, 4}, {22, 0, 26, 4}, {14, 0, 22, 4}};
    ChangedAreas areas;
    areas.collect(before, now, 3, canvas);
    EXPECT_EQ(areas.count(), 1);
    expectEveryMovedPixelOnce(before, now, 3, areas);
}

TEST(ChangedAreas, PupilsThatStayAddNothingAndAreasEndAtTheCanvas)
{
    const RECT still[] = {{5, 5, 9, 9}, {30, 5, 34, 9}};
    ChangedAreas areas;
    areas.collect(still, still, 2, canvas);
    EXPECT_EQ(areas.count(), 0);

    const RECT above[] = {{5, 5, 9, 9}, {5, 30, 9, 34}};  // one column, apart: two areas, not one tall one
    const RECT below[] = {{6, 6, 10, 10}, {6, 31, 10, 35}};
    areas.collect(above, below, 2, canvas);
    EXPECT_EQ(areas.count(), 2);

    const RECT before[] = {{-3, -3, 1, 1}, {60, 44, 64, 48}};
    const RECT now[] = {{-2, -2, 2, 2}, {62, 46, 66, 50}};
    areas.collect(before, now, 2, canvas);
    ASSERT_EQ(areas.count(), 2);
    for (int i = 0; i < areas.count(); ++i) {
        EXPECT_GE(areas[i].left, 0);
        EXPECT_GE(areas[i].top, 0);
        EXPECT_LE(areas[i].right, canvas.right);
        EXPECT_LE(areas[i].bottom, canvas.bottom);
    }
}

TEST(ChangedAreas, AnyMovesOfUpToEveryEyeCoverEachPixelOnce)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> x(-4, canvas.right), y(-4, canvas.bottom), size(1, 12), step(-6, 6);
    RECT before[MAX_EYES], now[MAX_EYES];
    ChangedAreas areas;
    for (int round = 0; round < 300; ++round) {
        int eyes = 1 + round % MAX_EYES;
        for (int i = 0; i < eyes; ++i) {
            int left = x(random), top = y(random), width = size(random), height = size(random);
            int dx = step(random), dy = step(random);
            before[i] = {left, top, left + width, top + height};
            now[i] = {left + dx, top + dy, left + dx + width, top + dy + height};
        }
        areas.collect(before, now, eyes, canvas);
        ASSERT_LE(areas.count(), ChangedAreas::capacity);
        expectEveryMovedPixelOnce(before, now, eyes, areas);
        if (HasFatalFailure())
            FAIL() << "round " << round;
    }
}

}  // namespace
