// The face at a display's whole-number scale: the scale chosen from the DPI,
// the window, its shape and its frames that many times larger, the pupils as at
// scale 1 for the same face pixel, and a new DPI rebuilding it around its centre.
#include <gtest/gtest.h>

#include <allegro.h>

#include <vector>

#include "app/display_scale.h"
#include "app/winmain.h"
#include "headless/headless.h"
#include "support/fixtures.h"

namespace {

TEST(ScaleForDpi, IsTheNearestWholeNumberHalvesUpAtLeastOneAndAtMostEight)
{
    const std::vector<std::pair<unsigned, int>> cases = {{0, 1},   {72, 1},  {96, 1},  {120, 1},   {143, 1},
                                                         {144, 2}, {192, 2}, {240, 3}, {288, 3},   {480, 5},
                                                         {768, 8}, {816, 8}, {~0u, 8}};
    for (const auto& [dpi, scale] : cases)
        EXPECT_EQ(scaleForDpi(dpi), scale) << dpi << " DPI";
}

// A 20 x 10 face with one eye, whose mask cuts its top-left 4 x 2 corner.
class ScaledFace : public testing::Test {
protected:
    void SetUp() override
    {
        headless::reset(1000, 800);
        makeDirs("skins");
        BITMAP* face = makeBitmap(20, 10, makecol32(200, 160, 60));
        rectfill(face, 6, 2, 14, 8, makecol32(255, 255, 255));
        putpixel(face, 10, 5, magenta());
        saveBmp("skins/main.bmp", face);
        BITMAP* mask = makeBitmap(20, 10, makecol32(0, 0, 0));
        rectfill(mask, 0, 0, 3, 1, makecol32(255, 255, 255));
        saveBmp("skins/mask.bmp", mask);
        destroy_bitmap(face);
        destroy_bitmap(mask);
        writeFile("eyes.ini", "[global]\nx=500\ny=400\n");
    }

    // What the window shows at this scale with the pointer on the face pixel
    // (x, y), at the last screen pixel of that pixel's block.
    headless::WindowState shownAt(int scale, int x, int y)
    {
        headless::reset(1000, 800);
        headless::setScale(scale);
        headless::WindowState seen;
        headless::at(150, [&] {
            RECT frame;
            GetWindowRect(g_hwnd, &frame);
            headless::setPointer(frame.left + x * scale + scale - 1, frame.top + y * scale + scale - 1);
        });
        headless::at(350, [&] { seen = *headless::window(g_hwnd); });
        headless::at(400, [] { headless::pressKey(VK_ESCAPE); });
        EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
        return seen;
    }

    TempWorkdir workdir;
};

TEST_F(ScaledFace, AtScaleThreeEveryPixelOfTheFaceItsShapeAndItsPupilIsA3x3BlockAroundTheSameCentre)
{
    for (POINT pointer : {POINT{10, 5}, POINT{8, 3}, POINT{-30, 5}, POINT{19, 9}}) {
        const headless::WindowState one = shownAt(1, pointer.x, pointer.y);
        const headless::WindowState three = shownAt(3, pointer.x, pointer.y);
        EXPECT_EQ(three.frame, (RECT{500 - 30, 400 - 15, 500 + 30, 400 + 15}));
        EXPECT_EQ(three.shape, (Rects{{12, 0, 60, 6}, {0, 6, 60, 30}}));
        ASSERT_EQ(three.pixels.size(), 60u * 30u);
        bool same = true;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 60; ++x)
                same = same && three.pixels[y * 60 + x] == one.pixels[(y / 3) * 20 + x / 3];
        EXPECT_TRUE(same) << "pointer on the face's pixel (" << pointer.x << ", " << pointer.y << ")";
    }
    EXPECT_EQ(GetPrivateProfileIntA("global", "x", 0, "eyes.ini"), 500);
    EXPECT_EQ(GetPrivateProfileIntA("global", "y", 0, "eyes.ini"), 400);
}

TEST_F(ScaledFace, ANewDpiRebuildsTheFaceAtItsScaleAroundTheSameCentreAndOneOfTheSameScaleDoesNot)
{
    std::vector<HWND> windows;
    std::vector<RECT> frames;
    auto note = [&] {
        RECT frame;
        GetWindowRect(g_hwnd, &frame);
        windows.push_back(g_hwnd);
        frames.push_back(frame);
    };
    headless::at(150, note);
    headless::at(200, [] { SendMessageA(g_hwnd, WM_DPICHANGED, WPARAM(192 | 192 << 16), 0); });
    headless::at(350, note);
    headless::at(400, [] { SendMessageA(g_hwnd, WM_DPICHANGED, WPARAM(240 | 240 << 16), 0); });  // 2.5: 3
    headless::at(550, note);
    headless::at(600, [] { SendMessageA(g_hwnd, WM_DPICHANGED, WPARAM(288 | 288 << 16), 0); });
    headless::at(750, note);
    headless::at(800, [] { headless::pressKey(VK_ESCAPE); });
    ASSERT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
    EXPECT_EQ(frames, (std::vector<RECT>{{490, 395, 510, 405}, {480, 390, 520, 410}, {470, 385, 530, 415},
                                         {470, 385, 530, 415}}));
    EXPECT_NE(windows[1], windows[0]) << "rebuilt";
    EXPECT_EQ(windows[3], windows[2]) << "the same scale keeps the face";
}

}  // namespace
