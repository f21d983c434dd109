#include <gtest/gtest.h>

#include <allegro.h>

#include <algorithm>
#include <set>
#include <vector>

#include "app/winmain.h"
#include "frame/paint.h"
#include "headless/headless.h"
#include "support/fixtures.h"

namespace {

constexpr POINT corner = {450, 360};  // of the window centred on (500, 400)

// A face with two eyes and an eye background that covers only its left half,
// so the right eye's pupils leave a trail on the canvas, as the real painter does.
void writeSkin()
{
    makeDirs("skins");
    BITMAP* face = makeBitmap(100, 80, makecol32(200, 160, 60));
    for (int cx : {25, 75}) {
        rectfill(face, cx - 12, 28, cx + 12, 52, makecol32(255, 255, 255));
        putpixel(face, cx, 40, magenta());
    }
    saveBmp("skins/main.bmp", face);
    BITMAP* background = makeBitmap(50, 80, makecol32(220, 230, 255));
    saveBmp("skins/eyebg.bmp", background);
    destroy_bitmap(face);
    destroy_bitmap(background);
}

// Eyes that touch (two colours side by side), an eye whose bounds hold another,
// a pupil larger than its eye and one that reaches over its neighbour, and an
// eye background over the left half only.
void writeCrowdedSkin()
{
    BITMAP* face = makeBitmap(100, 80, makecol32(200, 160, 60));
    rectfill(face, 5, 25, 30, 55, makecol32(255, 255, 255));
    rectfill(face, 31, 25, 52, 55, makecol32(230, 230, 230));
    rectfill(face, 60, 15, 95, 28, makecol32(210, 255, 210));
    rectfill(face, 60, 15, 70, 65, makecol32(210, 255, 210));
    rectfill(face, 78, 40, 92, 55, makecol32(255, 230, 230));
    for (POINT marker : {POINT{17, 40}, POINT{41, 40}, POINT{65, 40}, POINT{85, 48}})
        putpixel(face, marker.x, marker.y, magenta());
    saveBmp("skins/main.bmp", face);
    BITMAP* large = makeBitmap(40, 36, makecol32(20, 20, 120));
    circlefill(large, 20, 18, 6, magenta());
    saveBmp("skins/eye1.bmp", large);
    BITMAP* pupil = makeBitmap(9, 9, magenta());
    circlefill(pupil, 4, 4, 4, makecol32(0, 0, 0));
    saveBmp("skins/eye.bmp", pupil);
    destroy_bitmap(face);
    destroy_bitmap(large);
    destroy_bitmap(pupil);
}

// The same face with alpha: a clear ring and a half-transparent band around it,
// and a quarter-opaque outline round the right eye, which shows the eye through it.
void writeAlphaSkin()
{
    BITMAP* face = makeBitmap(100, 80, makecol32(200, 160, 60));
    std::vector<uint8_t> alpha(100 * 80, 255);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x) {
            const int edge = std::min({x, y, 99 - x, 79 - y});
            alpha[y * 100 + x] = edge < 3 ? 0 : edge < 6 ? 128 : 255;
        }
    for (int cx : {25, 75}) {
        rectfill(face, cx - 12, 28, cx + 12, 52, makecol32(255, 255, 255));
        putpixel(face, cx, 40, magenta());
    }
    for (int y = 26; y <= 54; ++y)
        for (int x = 61; x <= 89; ++x)
            if (y < 28 || y > 52 || x < 63 || x > 87) {
                putpixel(face, x, y, makecol32(20, 20, 20));
                alpha[y * 100 + x] = 64;
            }
    saveAlphaBmp("skins/main.bmp", face, alpha);
    destroy_bitmap(face);
}

void pointAt(POINT p)
{
    headless::setPointer(corner.x + p.x, corner.y + p.y);
}

int presents()
{
    return headless::window(g_hwnd)->presents;
}

// The program runs on the headless display; its timer ticks every 100 ms from 0.
class Frames : public testing::Test {
protected:
    void SetUp() override
    {
        headless::reset(1000, 800);
        writeSkin();
        writeFile("eyes.ini", "[global]\nx=500\ny=400\n");
    }
    void runUntil(uint64_t ms)
    {
        headless::at(ms, [] { headless::pressKey(VK_ESCAPE); });
        ASSERT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
    }

    TempWorkdir workdir;
};

TEST_F(Frames, OnlyAMovedPointerOrAnExposeBringsAFrame)
{
    std::vector<int> seen;
    auto count = [&](uint64_t ms) { headless::at(ms, [&] { seen.push_back(presents()); }); };
    count(340);
    count(1340);  // ten ticks at rest
    headless::at(1350, [] { pointAt({20, 35}); });
    count(1440);
    headless::at(1450, [] { pointAt({80, 45}); });
    count(1540);
    headless::at(1550, [] { pointAt({80, 45}); });  // set again, not moved
    count(1640);
    headless::at(1650, [] { headless::expose(g_hwnd); });
    count(1740);
    headless::at(1750, [] { MoveWindow(g_hwnd, 400, 300, 100, 80, TRUE); });  // the pointer moves in the window
    count(1840);
    count(2840);
    runUntil(2850);
    // A frame may send several areas: what counts is whether anything was sent.
    std::vector<bool> sent;
    for (size_t i = 1; i < seen.size(); ++i)
        sent.push_back(seen[i] > seen[i - 1]);
    EXPECT_GE(seen[0], 1);
    EXPECT_EQ(sent, (std::vector<bool>{false, true, true, false, true, true, false}));
}

// What the window shows after every tick along a pointer path with rests, returns
// and trips over both eyes; with `everyTick` each tick composes as if nothing were skipped.
// With `sentPixels`, how many pixels the window was sent along the way.
std::vector<std::vector<uint32_t>> framesAlongPath(bool everyTick, int64_t* sentPixels = nullptr)
{
    const POINT path[] = {{-200, 40}, {25, 40}, {25, 40}, {30, 44}, {75, 40}, {70, 33}, {80, 47}, {80, 47},
                          {80, 47},   {300, 40}, {75, 40}, {18, 30}, {75, 30}, {75, 52}, {75, 52}, {500, 500}};
    std::vector<std::vector<uint32_t>> frames;
    uint64_t t = 225;
    for (POINT p : path) {
        headless::at(t, [p] { pointAt(p); });
        if (everyTick)
            headless::at(t + 50, [] { SendMessageA(g_hwnd, WM_ERASEBKGND, 0, 0); });
        headless::at(t + 100, [&frames] { frames.push_back(headless::window(g_hwnd)->pixels); });
        t += 100;
    }
    headless::at(t, [sentPixels] {
        if (sentPixels)
            *sentPixels = headless::window(g_hwnd)->sentPixels;
        headless::pressKey(VK_ESCAPE);
    });
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
    return frames;
}

// The written skin along the path twice, sending only moved pupils and then
// whole frames: every frame the same, and the moved pupils far cheaper.
void expectMovedPupilsLookAsWholeFramesForLess()
{
    int64_t sentChanged = 0, sentWhole = 0;
    std::vector<std::vector<uint32_t>> changed = framesAlongPath(false, &sentChanged);
    headless::reset(1000, 800);
    std::vector<std::vector<uint32_t>> whole = framesAlongPath(true, &sentWhole);
    ASSERT_EQ(changed.size(), whole.size());
    for (size_t i = 0; i < changed.size(); ++i)
        EXPECT_TRUE(changed[i] == whole[i]) << "after step " << i;
    EXPECT_GE(std::set<std::vector<uint32_t>>(changed.begin(), changed.end()).size(), 8u);
    EXPECT_LT(sentChanged * 2, sentWhole) << "moved pupils must send less than whole frames";
}

TEST_F(Frames, SkippingChangesNoPixelAlongAPointerPath)
{
    std::vector<std::vector<uint32_t>> skipping = framesAlongPath(false);
    headless::reset(1000, 800);
    std::vector<std::vector<uint32_t>> composing = framesAlongPath(true);
    ASSERT_EQ(skipping.size(), composing.size());
    for (size_t i = 0; i < skipping.size(); ++i)
        EXPECT_TRUE(skipping[i] == composing[i]) << "after step " << i;
    EXPECT_GE(std::set<std::vector<uint32_t>>(skipping.begin(), skipping.end()).size(), 8u)
        << "the path must show many different frames";
}

TEST_F(Frames, SendingOnlyMovedPupilsChangesNoPixelOnACrowdedFace)
{
    writeCrowdedSkin();
    expectMovedPupilsLookAsWholeFramesForLess();
}

TEST_F(Frames, AnAlphaFaceIsALayeredWindowBlendedWithTheDesktopAndSendsOnlyMovedPupils)
{
    writeAlphaSkin();
    expectMovedPupilsLookAsWholeFramesForLess();

    headless::reset(1000, 800);
    uint32_t clear = 0, band = 0, face = 0;
    bool layered = false;
    headless::at(350, [&] {
        layered = headless::window(g_hwnd)->layered;
        clear = headless::screenPixel(corner.x + 1, corner.y + 40);
        band = headless::screenPixel(corner.x + 4, corner.y + 40);
        face = headless::screenPixel(corner.x + 10, corner.y + 40);
    });
    runUntil(400);
    EXPECT_TRUE(layered);
    EXPECT_EQ(clear, headless::desktopColour);
    EXPECT_EQ(band, 0x7d836au) << "0xc8a03c at 128 over the desktop's 0x336699";
    EXPECT_EQ(face, 0xc8a03cu);
}

}  // namespace
