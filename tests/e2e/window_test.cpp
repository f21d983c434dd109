// The window on a real X server: size, shape, pupils, dragging and ending.
#include "e2e/eyes_test.h"
#include "e2e/test_skin.h"

namespace {

class WindowTest : public EyesTest {
protected:
    void SetUp() override
    {
        EyesTest::SetUp();
        drawFaceSkin("skins/face");
    }

    // Waits until the screen shows the face with its pupil's corner at (x, y).
    testing::AssertionResult showsPupilAt(int x, int y) const
    {
        std::vector<uint32_t> expected = expectedFace(x, y);
        std::vector<uint32_t> shown;
        if (eventually([&] { return (shown = desktop.pixels(desktop.frame(window))) == expected; }, 3000))
            return testing::AssertionSuccess();
        if (shown.size() != expected.size())
            return testing::AssertionFailure() << "the window is not " << faceWidth << " x " << faceHeight;
        size_t wrong = 0, first = 0;
        for (size_t i = shown.size(); i-- > 0;)
            if (shown[i] != expected[i])
                ++wrong, first = i;
        return testing::AssertionFailure() << wrong << " pixels differ, the first at (" << first % faceWidth << ", "
                                           << first / faceWidth << "): " << std::hex << shown[first] << " instead of "
                                           << expected[first];
    }
};

TEST_P(WindowTest, ShowsTheShapedSkinAtItsSavedCentreUntilEsc)
{
    start("face", 400, 300);
    EXPECT_EQ(box.x, 400 - faceWidth / 2);
    EXPECT_EQ(box.y, 300 - faceHeight / 2);
    EXPECT_EQ(box.width, faceWidth);
    EXPECT_EQ(box.height, faceHeight);
    pointAt(box.x + 25, box.y + 35);
    EXPECT_TRUE(showsPupilAt(23, 32));
    if (desktop.hasWindowManager()) {
        std::string state = desktop.netWmState(window);
        EXPECT_NE(state.find("_NET_WM_STATE_ABOVE"), std::string::npos) << state;
        EXPECT_NE(state.find("_NET_WM_STATE_SKIP_TASKBAR"), std::string::npos) << state;
    }
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
    EXPECT_EQ(setting("x"), "400");
    EXPECT_EQ(setting("y"), "300");
}

TEST_P(WindowTest, PupilFollowsThePointerInsideAndOutsideTheWindow)
{
    start("face", 400, 300);
    struct {
        int pointerX, pointerY, pupilX, pupilY;
    } const cases[] = {
        {125, 35, 33, 32},   // right of the eye: looking right
        {25, 135, 23, 42},   // straight below
        {-75, 35, 13, 32},   // left of the window
        {30, 40, 28, 37},    // over the eye: on the pointer
        {12, 22, 16, 25},    // in the eye's corner, which does not count as over it
        {40, 44, 38, 41},    // on the eye's right border, cut by the face
    };
    for (const auto& c : cases) {
        pointAt(box.x + c.pointerX, box.y + c.pointerY);
        EXPECT_TRUE(showsPupilAt(c.pupilX, c.pupilY)) << "pointer at (" << c.pointerX << ", " << c.pointerY << ")";
    }
}

TEST_P(WindowTest, LeftDragMovesTheWindowByTheDrag)
{
    start("face", 400, 300);
    int x = box.x + 8, y = box.y + 40;  // on the face, beside the eye
    pointAt(x, y);
    xdotool("mousedown 1");
    // In steps, so that whoever moves the window has taken the pointer before the last one.
    for (int step = 1; step <= 5; ++step)
        xdotool("sleep 0.05 mousemove " + std::to_string(x + 30 * step) + " " + std::to_string(y + 18 * step));
    EXPECT_TRUE(eventually([&] {
        Box moved = desktop.frame(window);
        return moved.x == box.x + 150 && moved.y == box.y + 90;
    }));
    xdotool("mouseup 1");
    pointAt(box.x + 150 + 25, box.y + 90 + 35);
    EXPECT_TRUE(showsPupilAt(23, 32));
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
    EXPECT_EQ(setting("x"), "550");
    EXPECT_EQ(setting("y"), "390");
}

TEST_P(WindowTest, WindowManagerCloseEndsWithStatusZero)
{
    start("face", 400, 300);
    desktop.close(window);
    EXPECT_EQ(exitStatus(), 0);
}

INSTANTIATE_TEST_SUITE_P(Desktops, WindowTest, testing::Values(false, true), desktopKind);

}  // namespace
