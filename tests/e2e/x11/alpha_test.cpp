// The bundled alpha skin on X11: blended with the desktop under a compositing
// manager, the clean staircase of half-opaque pixels without one, and the
// switch between the two while the face is up.
#include <cstdlib>
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

// A plain face at "60 %": stored, asked of the compositor, and blended by it with the desktop.
TEST_P(AlphaTest, SixtyPercentIsStoredAskedForAndBlendsAPlainFaceWithTheDesktop)
{
    startCompositor();
    start("face", 400, 300);
    openMenu();
    openSubmenu("Opacity");
    xdotool("key Down Down Return");
    ASSERT_TRUE(eventually([&] { return setting("opacity") == "60"; }));
    const Window before = window;  // stored first, then built again
    ASSERT_TRUE(eventually([&] { return (window = desktop.waitForWindow("eyes")) != before; }));
    EXPECT_TRUE(eventually([&] { return desktop.opacity(window) == 2576980377u; }));
    auto blend = [](int shift) {
        const int face = faceColour >> shift & 0xFF, under = ghostDesktopColour >> shift & 0xFF;
        return (face * 153 + under * 102 + 127) / 255;
    };
    EXPECT_TRUE(eventually([&] {
        const uint32_t shown = desktop.pixels({box.x + 8, box.y + 40, 1, 1})[0];
        for (int shift : {0, 8, 16})
            if (std::abs(int(shown >> shift & 0xFF) - blend(shift)) > 3)
                return false;
        return true;
    })) << std::hex << desktop.pixels({box.x + 8, box.y + 40, 1, 1})[0];
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Desktops, AlphaTest, testing::Values(false, true), desktopKind);
