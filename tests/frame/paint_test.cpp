#include <gtest/gtest.h>

#include <allegro.h>

#include "app/winmain.h"
#include "frame/paint.h"
#include "headless/headless.h"
#include "skin/skin.h"
#include "support/fixtures.h"

namespace {

constexpr int white = 0x00FFFFFF;
constexpr int pupilColour = 0x00112233;
constexpr int secondPupil = 0x00445566;
constexpr POINT windowAt = {300, 200};

// A skin whose main image is all eye (transparent), so every pupil shows.
class PaintTest : public testing::Test {
protected:
    void SetUp() override
    {
        headless::reset();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "paint-test";
        RegisterClassA(&windowClass);
        g_hwnd = CreateWindowExA(0, "paint-test", "eyes", WS_POPUP, windowAt.x, windowAt.y, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
        skin.mainImage = makeBitmap(100, 100, magenta());
        skin.canvas = makeBitmap(100, 100, 0);
        skin.eyeColour = white;
    }
    void TearDown() override
    {
        DestroyWindow(g_hwnd);
        g_hwnd = nullptr;
    }

    void addEye(RECT bounds, POINT centre, int colour, int width = 4, int height = 6)
    {
        int i = skin.eyeCount++;
        skin.eyeBounds[i] = bounds;
        skin.eyeCentres[i] = centre;
        skin.pupils[i] = makeBitmap(width, height, colour);
    }

    void paintWithCursorAt(int mx, int my)
    {
        headless::setPointer(windowAt.x + mx, windowAt.y + my);
        PAINTSTRUCT ps;
        BeginPaint(g_hwnd, &ps);
        paintEyes(frame, &skin, g_hwnd, ps.hdc);
        EndPaint(g_hwnd, &ps);
    }

    uint32_t pixel(int x, int y) const
    {
        const headless::WindowState* state = headless::window(g_hwnd);
        return state->pixels[y * state->width + x];
    }

    // Top-left corner of the pixels in a colour, or (-1, -1) when there are none.
    POINT cornerOf(uint32_t colour) const
    {
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (pixel(x, y) == colour) {
                    int left = x;
                    while (left > 0 && pixel(left - 1, y) == colour)
                        --left;
                    return {left, y};
                }
        return {-1, -1};
    }

    Skin skin;
    FrameState frame;
};

TEST_F(PaintTest, LaterEyesPupilIsOnTop)
{
    addEye({10, 20, 40, 50}, {25, 35}, pupilColour);
    addEye({10, 20, 40, 50}, {25, 35}, secondPupil);
    paintWithCursorAt(25, 35);
    EXPECT_EQ(pixel(25, 35), static_cast<uint32_t>(secondPupil));
    EXPECT_EQ(cornerOf(pupilColour).x, -1);
}

TEST_F(PaintTest, PupilsAreClippedAtTheCanvasEdgeAndHiddenOutsideTheEye)
{
    addEye({0, 0, 100, 100}, {1, 50}, pupilColour, 8, 8);
    paintWithCursorAt(1, 50);
    EXPECT_EQ(pixel(0, 50), static_cast<uint32_t>(pupilColour));
    EXPECT_EQ(pixel(5, 50), static_cast<uint32_t>(white));

    // The opaque main image covers a pupil that strays outside the eye area.
    rectfill(skin.mainImage, 50, 0, 99, 99, 0x000000FF);
    skin.eyeBounds[0] = {0, 0, 60, 100};
    skin.eyeCentres[0] = {48, 50};
    paintWithCursorAt(48, 50);
    EXPECT_EQ(pixel(47, 50), static_cast<uint32_t>(pupilColour));
    EXPECT_EQ(pixel(50, 50), 0x000000FFu);
}

TEST_F(PaintTest, BackgroundReplacesTheFillAndASmallOneLeavesOldPupilsBehind)
{
    addEye({0, 0, 100, 100}, {50, 50}, pupilColour);
    skin.background = makeBitmap(40, 40, secondPupil);
    paintWithCursorAt(70, 70);
    EXPECT_EQ(pixel(10, 10), static_cast<uint32_t>(secondPupil));
    paintWithCursorAt(20, 20);
    EXPECT_EQ(pixel(20, 20), static_cast<uint32_t>(pupilColour));
    EXPECT_EQ(pixel(70, 70), static_cast<uint32_t>(pupilColour)) << "outside the background nothing is cleared";
}

TEST_F(PaintTest, NoMainImagePaintsNothing)
{
    destroy_bitmap(skin.mainImage);
    skin.mainImage = nullptr;
    paintWithCursorAt(0, 0);
    EXPECT_EQ(headless::window(g_hwnd)->presents, 0);
}

}  // namespace
