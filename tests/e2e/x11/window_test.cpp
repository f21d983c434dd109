// The window on a real X server: size, shape, pupils, dragging and ending.
#include "e2e/support/eyes_fixture.h"

namespace {

using WindowTest = EyesTest;

bool onEveryWorkspace(const Desktop& desktop, Window window)
{
    return desktop.run("xprop -id " + std::to_string(window) + " _NET_WM_DESKTOP | grep -q '= 4294967295$'") == 0;
}

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

TEST_P(WindowTest, ASecondStartInTheFolderEndsWithStatusZeroAndBringsTheOneFaceWholeIntoView)
{
    start("face", 400, 300);
    const bool offScreen = !desktop.hasWindowManager();  // a window manager keeps a part on screen
    if (offScreen) {
        ASSERT_NO_FATAL_FAILURE(moveFace(-500, -500));
    }
    Child second(program, work.path(), {"DISPLAY=" + desktop.name()});
    EXPECT_EQ(second.wait(5000), 0);
    if (offScreen) {
        EXPECT_TRUE(eventually([&] { return desktop.frame(window) == Box{0, 0, faceWidth, faceHeight}; }));
    }
    EXPECT_EQ(desktop.run("xdotool search --onlyvisible --name '^eyes$' | wc -l | grep -qx 1"), 0) << "one face";
    EXPECT_EQ(eyes->wait(0), -1) << "the first face ended";
}

// Clicks and drags pass to what is under the face, which fades while the pointer
// is over it, until Ctrl is held there; a second start turns click-through off.
TEST_P(WindowTest, ClickThroughPassesClicksAndDragsFadesUnderThePointerUntilCtrlIsHeldAndASecondStartEndsIt)
{
    start("face", 400, 300);
    choose("Click-through");
    ASSERT_TRUE(eventually([&] { return setting("clickthrough") == "1"; }));
    const Window before = window;  // stored first, then built again
    ASSERT_TRUE(eventually([&] { return (window = desktop.waitForWindow("eyes")) != before; }));
    // Under a window manager, a window of a quarter of the screen below the face,
    // which the click must reach past the manager's frame around the face.
    const Window below = desktop.hasWindowManager() ? desktop.openActiveWindow("") : 0;
    if (below) {
        xdotool("windowmove " + std::to_string(below) + " " + std::to_string(box.x) + " " + std::to_string(box.y));
        ASSERT_TRUE(eventually([&] { return desktop.frame(below).x == box.x; }));
    }
    auto passes = [&] { return below ? desktop.windowAtPointer() == below : !desktop.pointerOver(window); };
    // The opacity asked of a compositor, GDK's rounding of a quarter of it allowed for.
    auto faded = [&] { return desktop.opacity(window) / 100 == 10611095; };
    pointAt(box.x + 8, box.y + 40);
    EXPECT_TRUE(eventually(passes)) << "the click stopped at the face";
    EXPECT_TRUE(eventually(faded)) << "not faded with the pointer over it";
    const Box from = box;
    xdotool("mousedown 1 mousemove_relative 40 0 mouseup 1");
    xdotool("keydown ctrl");
    EXPECT_TRUE(eventually([&] { return desktop.pointerOver(window); })) << "Ctrl did not give it the click";
    EXPECT_TRUE(eventually([&] { return !faded(); })) << "still faded while it takes clicks";
    // Were the drag without Ctrl the face's, this one would end further on.
    EXPECT_TRUE(dragBy(box.x + 48, box.y + 40, -30, 20));
    EXPECT_EQ(box, (Box{from.x - 30, from.y + 20, from.width, from.height})) << "a drag passed through moved it";
    xdotool("keyup ctrl");
    EXPECT_TRUE(eventually(passes)) << "still taking clicks";
    Child second(program, work.path(), {"DISPLAY=" + desktop.name()});
    EXPECT_EQ(second.wait(5000), 0);
    EXPECT_TRUE(eventually([&] { return desktop.pointerOver(window); })) << "click-through stayed on";
    EXPECT_EQ(setting("clickthrough"), "0");
}

INSTANTIATE_TEST_SUITE_P(Desktops, WindowTest, testing::Values(false, true), desktopKind);

using WorkspaceTest = EyesTest;

// openbox keeps four workspaces, as most desktops do.
TEST_P(WorkspaceTest, TheFaceIsOnEveryWorkspaceAtItsPlaceFollowingThePointerAndStaysOffThePager)
{
    start("face", 400, 300);
    EXPECT_TRUE(onEveryWorkspace(desktop, window));
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
    EXPECT_TRUE(onEveryWorkspace(desktop, window)) << "on one workspace after the full screen";
}

// openbox keeps naming a closed active window when no other takes the focus,
// and the next client may get its id: that window's full screen is seen too.
TEST_P(FullScreenTest, AWindowThatGetsAClosedActiveWindowsIdIsWatchedAnew)
{
    start("face", 400, 300);
    const Window closed = desktop.openClientWithActiveWindow("");
    ASSERT_NE(closed, 0u);
    pause(1500);  // longer than a look at rest: the window was looked at
    desktop.endClient();
    ASSERT_EQ(desktop.openClientWithActiveWindow(""), closed) << "the id was not given again";
    pause(1500);
    ASSERT_TRUE(desktop.viewable(window));
    desktop.makeFullScreen(closed);
    EXPECT_TRUE(eventually([&] { return !desktop.viewable(window); })) << "shown over a full-screen window";
    desktop.endClient();
    EXPECT_TRUE(eventually([&] { return desktop.viewable(window); }));
}

INSTANTIATE_TEST_SUITE_P(Openbox, FullScreenTest, testing::Values(true), desktopKind);

}  // namespace
