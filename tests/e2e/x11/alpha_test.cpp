// The bundled alpha skin on X11: blended with the desktop under a compositing
// manager, the clean staircase of half-opaque pixels without one, and the
// switch between the two while the face is up.
#include <memory>

#include "e2e/support/eyes_fixture.h"
#include "e2e/support/ghost.h"

namespace {

class AlphaTest : public EyesTest {
protected:
    void SetUp() override
    {
        EyesTest::SetUp();
        ASSERT_TRUE(ghost.loaded()) << "the ghost has no alpha";
        ASSERT_EQ(desktop.run(ghostDesktopCommand), 0);
    }

    void startCompositor()
    {
        compositor = std::make_unique<Child>(std::vector<std::string>{"xcompmgr"}, "",
                                             std::vector<std::string>{"DISPLAY=" + desktop.name()});
    }

    // The window that takes a click at the screen point.
    Window windowAt(int x, int y) const
    {
        pointAt(x, y);
        Window at = 0;
        eventually([&] { return (at = desktop.windowAtPointer()) != 0; });
        return at;
    }

    Ghost ghost;
    std::unique_ptr<Child> compositor;
};

TEST_P(AlphaTest, BlendsUnderACompositorAndLetsClicksThroughTransparentPixels)
{
    startCompositor();
    start("ghost", 400, 300);
    ASSERT_EQ(box.width, ghost.width());
    pointAt(100, 300);
    EXPECT_EQ(firstMismatch(desktop, box, ghost, blended), "");
    ASSERT_EQ(ghost.alpha(ghostCornerX, ghostCornerY), 0);
    EXPECT_NE(windowAt(box.x + ghostCornerX, box.y + ghostCornerY), window) << "a transparent corner took the click";
    EXPECT_EQ(windowAt(box.x + ghostFaceX, box.y + ghostFaceY), window) << "the face did not take the click";

    pointAt(box.x - 300, box.y + 70);
    EXPECT_TRUE(eventually([&] { return leftPupilColumn(desktop, box) < ghostLeftEyeX; }));
    pointAt(box.x + box.width + 300, box.y + 70);
    EXPECT_TRUE(eventually([&] { return leftPupilColumn(desktop, box) > ghostLeftEyeX; }));
}

TEST_P(AlphaTest, ShowsHalfOpaquePixelsWithoutACompositorAndSwitchesWhenOneStartsOrStops)
{
    start("ghost", 400, 300);
    pointAt(100, 300);
    EXPECT_EQ(firstMismatch(desktop, box, ghost, staircase), "");
    startCompositor();
    EXPECT_EQ(firstMismatch(desktop, box, ghost, blended), "") << "after the compositor started";
    compositor.reset();
    EXPECT_EQ(firstMismatch(desktop, box, ghost, staircase), "") << "after the compositor stopped";
    EXPECT_EQ(exitStatus(0), -1) << "the program ended";
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Desktops, AlphaTest, testing::Values(false, true), desktopKind);
