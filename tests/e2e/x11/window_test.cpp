// The window on a real X server: size, shape, pupils, dragging and ending.
#include "e2e/support/eyes_fixture.h"

namespace {

using WindowTest = EyesTest;

TEST_P(WindowTest, ShowsTheShapedFaceAtItsSavedCentreWithPupilsFollowingThePointerUntilEsc)
{
    start("face", 400, 300);
    EXPECT_EQ(box, (Box{400 - faceWidth / 2, 300 - faceHeight / 2, faceWidth, faceHeight}));
    if (desktop.hasWindowManager()) {
        EXPECT_TRUE(desktop.hasState(window, "_NET_WM_STATE_ABOVE"));
        EXPECT_TRUE(desktop.hasState(window, "_NET_WM_STATE_SKIP_TASKBAR"));
    }
    for (const PupilCase& c : pupilCases) {
        pointAt(box.x + c.pointerX, box.y + c.pointerY);
        EXPECT_TRUE(showsPupilAt(c.pupilX, c.pupilY)) << "pointer at (" << c.pointerX << ", " << c.pointerY << ")";
    }
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
}

TEST_P(WindowTest, LeftDragMovesTheWindowByTheDragAndACloseStoresItsCentre)
{
    start("face", 400, 300);
    EXPECT_TRUE(dragBy(box.x + 8, box.y + 40, 150, 90));  // on the face, beside the eye
    pointAt(box.x + 25, box.y + 35);
    EXPECT_TRUE(showsPupilAt(23, 32));
    desktop.close(window);
    EXPECT_EQ(exitStatus(), 0);
    EXPECT_EQ(setting("x") + "," + setting("y"), "550,390");
}

TEST_P(WindowTest, AtRestItSleepsYetFollowsTheFirstMoveAtOnceAndAWarpWithinASecond)
{
    start("face", 400, 300);
    expectFollowsAfterRest(true);
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
}

INSTANTIATE_TEST_SUITE_P(Desktops, WindowTest, testing::Values(false, true), desktopKind);

using WorkspaceTest = EyesTest;

// openbox keeps four workspaces, as most desktops do.
TEST_P(WorkspaceTest, TheFaceIsOnEveryWorkspaceAtItsPlaceFollowingThePointerAndStaysOffThePager)
{
    start("face", 400, 300);
    const std::string id = std::to_string(window);
    EXPECT_EQ(desktop.run("xprop -id " + id + " _NET_WM_DESKTOP | grep -q '= 4294967295$'"), 0) << "every workspace";
    for (int workspace : {1, 3, 0}) {
        xdotool("set_desktop " + std::to_string(workspace));
        EXPECT_TRUE(eventually([&] {
            return desktop.run("xdotool get_desktop | grep -qx " + std::to_string(workspace)) == 0;
        }));
        EXPECT_EQ(desktop.frame(window), box) << "workspace " << workspace;
        pointAt(box.x + 30, box.y + 40);
        EXPECT_TRUE(showsPupilAt(28, 37)) << "workspace " << workspace;
        pointAt(box.x + 25, box.y + 35);
        EXPECT_TRUE(showsPupilAt(23, 32)) << "workspace " << workspace;
    }
    EXPECT_TRUE(desktop.hasState(window, "_NET_WM_STATE_SKIP_PAGER"));
    EXPECT_TRUE(desktop.hasState(window, "_NET_WM_STATE_SKIP_TASKBAR"));
    EXPECT_TRUE(desktop.hasState(window, "_NET_WM_STATE_ABOVE"));
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
}

INSTANTIATE_TEST_SUITE_P(Openbox, WorkspaceTest, testing::Values(true), desktopKind);

using FullScreenTest = EyesTest;

// Another monitor's full-screen window is left to the headless tests: Xvfb makes one monitor.
TEST_P(FullScreenTest, HidesForAFullScreenWindowNotAMaximisedOneAndComesBackOnTop)
{
    start("face", 400, 300);
    expectStepsAsideForFullScreenOnly();
}

INSTANTIATE_TEST_SUITE_P(Openbox, FullScreenTest, testing::Values(true), desktopKind);

}  // namespace
