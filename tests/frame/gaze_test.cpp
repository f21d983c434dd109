#include <gtest/gtest.h>

#include "frame/gaze.h"

namespace {

constexpr RECT eye = {10, 20, 40, 50};
constexpr POINT centre = {25, 35};
constexpr SIZE pupil = {4, 6};

POINT cornerFor(const RECT& bounds, POINT eyeCentre, int mx, int my)
{
    const RECT place = pupilPlace(bounds, eyeCentre, pupil, mx, my);
    return {place.left, place.top};
}

TEST(Gaze, PupilFollowsTheWorkedExamples)
{
    struct Case {
        POINT pointer, corner;
    } cases[] = {
        {{125, 35}, {33, 32}},  // right, outside: looking
        {{25, 135}, {23, 42}},  // below
        {{-75, 35}, {13, 32}},  // left
        {{30, 40}, {28, 37}},   // over the eye
        {{12, 22}, {16, 25}},   // inside the rectangle, outside the region: looking, truncated toward zero
        {{25, 35}, {23, 32}},   // on the centre
        {{40, 44}, {38, 41}},   // right border, exactly on the limit
        {{25, -65}, {23, 22}},  // above
    };
    for (const Case& c : cases) {
        POINT corner = cornerFor(eye, centre, c.pointer.x, c.pointer.y);
        EXPECT_EQ(corner.x, c.corner.x) << "pointer " << c.pointer.x << "," << c.pointer.y;
        EXPECT_EQ(corner.y, c.corner.y) << "pointer " << c.pointer.x << "," << c.pointer.y;
    }
}

TEST(Gaze, TallEyeWithAnOffCentreMarkerLooksRightWhenThePointerIsOnIt)
{
    const RECT tall = {0, 0, 30, 90};
    POINT corner = cornerFor(tall, {5, 5}, 5, 5);
    EXPECT_EQ(corner.x, 5 + 10 - 2);
    EXPECT_EQ(corner.y, 5 - 3);
    // Straight down the pupil goes 90 / 2.9 = 31 pixels, not 30.
    EXPECT_EQ(cornerFor(tall, {5, 5}, 5, 5 + 1000).y, 5 + 31 - 3);
}

TEST(Gaze, FarAwayPointerStillGivesItsDirection)
{
    EXPECT_EQ(cornerFor(eye, centre, 25 + 200000, 35).x, 33);
    EXPECT_EQ(cornerFor(eye, centre, 25, 35 - 200000).y, 22);
}

TEST(IsOverEye, ClosedRectangleWithoutHyperbolicCorners)
{
    EXPECT_TRUE(isOverEye(eye, 10, 35));
    EXPECT_TRUE(isOverEye(eye, 40, 35));
    EXPECT_TRUE(isOverEye(eye, 25, 20));
    EXPECT_TRUE(isOverEye(eye, 25, 50));
    EXPECT_FALSE(isOverEye(eye, 9, 35));
    EXPECT_FALSE(isOverEye(eye, 25, 51));
    EXPECT_FALSE(isOverEye(eye, 10, 20));  // a corner lies outside the region
    // The hyperbola's limit is 0.15 of width squared: 15 * 9 = 135 is on it, 15 * 9.1 past it.
    EXPECT_TRUE(isOverEye(eye, 34, 50));
    EXPECT_FALSE(isOverEye(eye, 34.1f, 50));
    EXPECT_TRUE(isOverEye(eye, 16, 20));
    EXPECT_FALSE(isOverEye(eye, 15.9f, 20));
}

TEST(IsOverEye, FlatEyeCountsWhollyAndFlatLineNever)
{
    RECT flat = {0, 0, 50, 30};  // H = 0.6 W: the corners sit exactly on the limit
    EXPECT_TRUE(isOverEye(flat, 0, 0));
    EXPECT_TRUE(isOverEye(flat, 50, 30));
    RECT line = {0, 5, 10, 5};  // H = 0: the limit is not a number
    EXPECT_FALSE(isOverEye(line, 5, 5));
}

}  // namespace
