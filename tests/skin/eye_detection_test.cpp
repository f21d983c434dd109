#include "skin/rect_print.h"
#include "skin/skin_files.h"

namespace {

bool operator==(const POINT& a, const POINT& b)
{
    return a.x == b.x && a.y == b.y;
}

// Every pixel of the rectangle (inclusive corners) has the colour.
bool filled(BITMAP* image, int x1, int y1, int x2, int y2, int colour)
{
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            if (getpixel(image, x, y) != colour)
                return false;
    return true;
}

TEST_F(SkinTest, AnEyeIsMeasuredThroughItsMarkerAndMadeTransparent)
{
    BITMAP* face = makeBitmap(60, 40, grey);
    rectfill(face, 10, 10, 29, 19, white);  // 20 x 10
    putpixel(face, 15, 14, magenta());
    ASSERT_TRUE(loadMain(face));

    ASSERT_EQ(skin->eyeCount, 1);
    EXPECT_TRUE(skin->eyeCentres[0] == (POINT{15, 14}));
    EXPECT_EQ(skin->eyeBounds[0], (RECT{9, 9, 30, 20}));
    EXPECT_EQ(skin->eyeColour, white);
    EXPECT_TRUE(filled(skin->mainImage, 10, 10, 29, 19, magenta()));
    EXPECT_EQ(getpixel(skin->mainImage, 9, 14), grey);
    EXPECT_EQ(getpixel(skin->mainImage, 30, 14), grey);
}

TEST_F(SkinTest, AreasReachingTheImageEdgesAreBoundedByTheImage)
{
    BITMAP* face = makeBitmap(30, 20, grey);
    rectfill(face, 0, 0, 9, 4, white);
    putpixel(face, 4, 2, magenta());
    rectfill(face, 20, 15, 29, 19, white);
    putpixel(face, 25, 17, magenta());
    ASSERT_TRUE(loadMain(face));

    ASSERT_EQ(skin->eyeCount, 2);
    EXPECT_EQ(skin->eyeBounds[0], (RECT{0, 0, 10, 5}));
    EXPECT_EQ(skin->eyeBounds[1], (RECT{19, 14, 30, 20}));
}

TEST_F(SkinTest, MarkersAfterTheSixteenthStayOpaqueInTheSixteenthsColour)
{
    // 17 areas in one row, each its own colour, numbered left to right.
    BITMAP* face = makeBitmap(4 * 17 + 1, 5, grey);
    auto colour = [](int i) { return makecol(10 * i, 100, 50); };
    for (int i = 0; i < 17; ++i) {
        rectfill(face, 4 * i + 1, 1, 4 * i + 3, 3, colour(i));
        putpixel(face, 4 * i + 2, 2, magenta());
    }
    ASSERT_TRUE(loadMain(face));

    ASSERT_EQ(skin->eyeCount, MAX_EYES);
    for (int i = 0; i < MAX_EYES; ++i)
        EXPECT_TRUE(skin->eyeCentres[i] == (POINT{4 * i + 2, 2})) << i;
    EXPECT_EQ(skin->eyeColour, colour(15));
    EXPECT_TRUE(filled(skin->mainImage, 61, 1, 63, 3, magenta()));
    EXPECT_EQ(getpixel(skin->mainImage, 66, 2), colour(15));
    EXPECT_EQ(getpixel(skin->mainImage, 65, 2), colour(16));
}

TEST_F(SkinTest, AMarkerInTheTopRowTakesTheColourBelowItOrNoneInAOneRowImage)
{
    BITMAP* face = makeBitmap(10, 5, grey);
    rectfill(face, 2, 0, 6, 2, white);
    putpixel(face, 4, 0, magenta());
    ASSERT_TRUE(loadMain(face));
    EXPECT_EQ(skin->eyeColour, white);
    EXPECT_EQ(skin->eyeBounds[0], (RECT{1, 0, 7, 3}));

    face = makeBitmap(5, 1, grey);
    putpixel(face, 2, 0, magenta());
    ASSERT_TRUE(loadMain(face));
    ASSERT_EQ(skin->eyeCount, 1);
    EXPECT_EQ(skin->eyeColour, -1);
    EXPECT_EQ(skin->eyeBounds[0], (RECT{1, 0, 3, 1}));
    EXPECT_EQ(getpixel(skin->mainImage, 2, 0), magenta());
    EXPECT_EQ(getpixel(skin->mainImage, 1, 0), grey);
}

TEST_F(SkinTest, TwoMarkersInOneAreaAreTwoEyesEachMeasuredThroughItsOwn)
{
    BITMAP* face = makeBitmap(30, 30, grey);
    rectfill(face, 10, 10, 19, 12, white);  // an L: a bar to the right
    rectfill(face, 10, 10, 12, 19, white);  // and a bar downwards
    putpixel(face, 15, 11, magenta());
    putpixel(face, 11, 16, magenta());
    ASSERT_TRUE(loadMain(face));

    ASSERT_EQ(skin->eyeCount, 2);
    EXPECT_EQ(skin->eyeBounds[0], (RECT{9, 9, 20, 13}));
    EXPECT_EQ(skin->eyeBounds[1], (RECT{9, 9, 13, 20}));
    EXPECT_TRUE(filled(skin->mainImage, 10, 10, 12, 19, magenta()));
}

TEST_F(SkinTest, AMarkerOnTheTopEdgeOfItsAreaFillsTheAreaAboveInstead)
{
    BITMAP* face = makeBitmap(20, 10, grey);
    rectfill(face, 5, 3, 14, 7, white);
    putpixel(face, 10, 3, magenta());
    ASSERT_TRUE(loadMain(face));

    EXPECT_EQ(skin->eyeColour, grey);
    EXPECT_EQ(skin->eyeBounds[0], (RECT{9, 0, 11, 4}));
    EXPECT_EQ(getpixel(skin->mainImage, 0, 0), magenta());
    EXPECT_TRUE(filled(skin->mainImage, 5, 4, 14, 7, white));
}

}  // namespace
