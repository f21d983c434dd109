#include "skin/skin_files.h"

namespace {

struct Area {
    int x1, y1, x2, y2, colour;  // corners inclusive
};

class EyeDetection : public SkinTest {
protected:
    // Loads a grey face with these areas painted in order and a marker on each point.
    bool loadFace(int width, int height, const std::vector<Area>& areas, const std::vector<POINT>& markers)
    {
        BITMAP* face = makeBitmap(width, height, grey);
        for (const Area& a : areas)
            rectfill(face, a.x1, a.y1, a.x2, a.y2, a.colour);
        for (POINT m : markers)
            putpixel(face, m.x, m.y, magenta());
        return loadMain(face);
    }
    Rects bounds() { return Rects(skin->eyeBounds, skin->eyeBounds + skin->eyeCount); }
    int pixel(int x, int y) { return getpixel(skin->mainImage.get(), x, y); }
};

TEST_F(EyeDetection, EyesAreMeasuredThroughTheirOwnMarkersUpToTheImageEdgesAndMadeTransparent)
{
    // A 20 x 10 eye, eyes in two corners, and an L-shaped area marked in each bar.
    ASSERT_TRUE(loadFace(60, 40,
                         {{10, 10, 29, 19, white}, {0, 0, 5, 3, white}, {50, 35, 59, 39, white},
                          {35, 20, 44, 22, white}, {35, 20, 37, 29, white}},
                         {{15, 14}, {2, 2}, {55, 37}, {40, 21}, {36, 26}}));
    // Numbered in scan order.
    EXPECT_EQ(bounds(), (Rects{{0, 0, 6, 4}, {9, 9, 30, 20}, {34, 19, 45, 23}, {34, 19, 38, 30}, {49, 34, 60, 40}}));
    EXPECT_TRUE(skin->eyeCentres[1].x == 15 && skin->eyeCentres[1].y == 14);
    EXPECT_EQ(skin->eyeColour, white);
    EXPECT_EQ(pixel(10, 10), magenta());
    EXPECT_EQ(pixel(29, 19), magenta());
    EXPECT_EQ(pixel(30, 19), grey);
}

TEST_F(EyeDetection, MarkersAfterTheSixteenthStayOpaqueInTheSixteenthsColour)
{
    std::vector<Area> areas;
    std::vector<POINT> markers;
    for (int i = 0; i < 17; ++i) {
        areas.push_back({4 * i + 1, 1, 4 * i + 3, 3, makecol(10 * i, 100, 50)});
        markers.push_back({4 * i + 2, 2});
    }
    ASSERT_TRUE(loadFace(69, 5, areas, markers));
    EXPECT_EQ(skin->eyeCount, MAX_EYES);
    EXPECT_EQ(skin->eyeCentres[15].x, 62);
    EXPECT_EQ(pixel(61, 1), magenta());
    EXPECT_EQ(pixel(66, 2), areas[15].colour);
    EXPECT_EQ(pixel(65, 2), areas[16].colour);
}

TEST_F(EyeDetection, AMarkerTakesTheColourAboveItOrOnTheTopRowBelowIt)
{
    ASSERT_TRUE(loadFace(10, 5, {{2, 0, 6, 2, white}}, {{4, 0}}));
    EXPECT_EQ(bounds(), (Rects{{1, 0, 7, 3}}));
    EXPECT_EQ(skin->eyeColour, white);

    ASSERT_TRUE(loadFace(5, 1, {}, {{2, 0}}));  // below lies outside the image
    EXPECT_EQ(bounds(), (Rects{{1, 0, 3, 1}}));
    EXPECT_EQ(skin->eyeColour, -1);
    EXPECT_EQ(pixel(1, 0), grey);

    ASSERT_TRUE(loadFace(20, 10, {{5, 3, 14, 7, white}}, {{10, 3}}));  // above lies outside the eye
    EXPECT_EQ(bounds(), (Rects{{9, 0, 11, 4}}));
    EXPECT_EQ(skin->eyeColour, grey);
    EXPECT_EQ(pixel(0, 0), magenta());
    EXPECT_EQ(pixel(10, 4), white);
}

}  // namespace
