#include <gtest/gtest.h>

#include <allegro.h>

#include "app/one_face.h"
#include "app/popup_menu.h"
#include "app/winmain.h"
#include "headless/headless.h"
#include "support/fixtures.h"

namespace {

// A face of the given size with two eyes: white areas with a magenta centre.
void writeSkin(const std::string& folder, int width, int height)
{
    makeDirs(folder);
    BITMAP* face = makeBitmap(width, height, makecol32(200, 160, 60));
    for (int eye = 0; eye < 2; ++eye) {
        int cx = width / 4 + eye * width / 2;
        rectfill(face, cx - 8, height / 2 - 6, cx + 8, height / 2 + 6, makecol32(255, 255, 255));
        putpixel(face, cx, height / 2, magenta());
    }
    saveBmp(folder + "/main.bmp", face);
    destroy_bitmap(face);
}

int readKey(const char* key)
{
    return GetPrivateProfileIntA("global", key, 12345, "eyes.ini");
}

class Shell : public testing::Test {
protected:
    void SetUp() override
    {
        headless::reset(1000, 800);
        headless::setTimeLimit(60000);
        writeSkin("skins", 100, 80);
    }
    // Presses Esc at the given time and runs the program to its end.
    int runUntilEscAt(uint64_t ms)
    {
        headless::at(ms, [] { headless::pressKey(VK_ESCAPE); });
        return WinMain(nullptr, nullptr, nullptr, 0);
    }

    TempWorkdir workdir;
};

TEST_F(Shell, FirstStartShowsTheDefaultSkinTopmostOnThePrimaryMonitorWithItsIconAndSavesItsCentre)
{
    headless::setMonitors({{1000, 0, 2000, 800}, {0, 0, 1000, 800}});
    headless::WindowState seen;
    std::string icon;
    headless::at(350, [&] {
        seen = *headless::window(g_hwnd);
        icon = headless::notifyIcon() ? *headless::notifyIcon() : "none";
    });
    EXPECT_EQ(runUntilEscAt(400), 0);

    EXPECT_EQ(seen.title, "eyes");
    EXPECT_TRUE(seen.visible);
    EXPECT_TRUE(seen.above);
    EXPECT_EQ(seen.frame.left, 1450);  // no eyes.ini: where it was made, in the primary's middle
    EXPECT_EQ(seen.frame.top, 360);
    EXPECT_EQ(seen.frame.right - seen.frame.left, 100);
    EXPECT_EQ(seen.presents, 1) << "the pointer rests: one frame, then none";
    EXPECT_EQ(icon, "Glimora");
    EXPECT_EQ(headless::notifyIcon(), nullptr) << "the icon stays after the end";
    EXPECT_EQ(readKey("x"), 1500u);
    EXPECT_EQ(readKey("y"), 400u);
    EXPECT_EQ(g_skin, nullptr);
    EXPECT_FALSE(IsWindow(g_hwnd));
}

// A second start (its message) or a left click on the icon; a right click opens the menu at the click.
TEST_F(Shell, TheIconAndASecondStartBringTheFaceWholeIntoViewAndTheIconsMenuIsTheFaces)
{
    writeFile("eyes.ini", "[global]\nx=500\ny=400\n");
    RECT placed[2]{};
    headless::at(100, [] { MoveWindow(g_hwnd, -300, 900, 100, 80, TRUE); });
    headless::at(150, [] { headless::clickNotifyIcon(false, {990, 790}); });
    headless::at(200, [&] { GetWindowRect(g_hwnd, &placed[0]); });
    headless::at(250, [] { MoveWindow(g_hwnd, 2000, -500, 100, 80, TRUE); });
    headless::at(300, [] { EXPECT_FALSE(claimFolder()) << "a face holds the folder"; });
    headless::at(350, [&] { GetWindowRect(g_hwnd, &placed[1]); });
    headless::at(400, [] { headless::clickNotifyIcon(true, {990, 790}); });
    EXPECT_EQ(runUntilEscAt(500), 0);
    auto corner = [](const RECT& r) { return std::make_pair(r.left, r.top); };
    EXPECT_EQ(corner(placed[0]), std::make_pair(LONG{0}, LONG{720}));
    EXPECT_EQ(corner(placed[1]), std::make_pair(LONG{900}, LONG{0}));
    ASSERT_EQ(headless::popups().size(), 1u);
    EXPECT_EQ(headless::popups()[0].x, 990);
    EXPECT_EQ(headless::popups()[0].menu.items.size(), 9u) << "the face's menu";
}

TEST_F(Shell, WindowIsBuiltShapedShownOnTopThenPlacedAndSavedBeforeItGoes)
{
    writeFile("eyes.ini", "[global]\nx=500\ny=400\n");
    headless::at(200, [] { MoveWindow(g_hwnd, 10, 20, 100, 80, TRUE); });
    EXPECT_EQ(runUntilEscAt(300), 0);
    EXPECT_EQ(headless::calls(), (std::vector<std::string>{"create", "shape", "show", "above", "move", "move", "hide",
                                                          "destroy"}));
    EXPECT_EQ(readKey("x"), 60u);
    EXPECT_EQ(readKey("y"), 60u);
}

TEST_F(Shell, OnlyEscapeQuits)
{
    headless::at(100, [] { headless::pressKey('A'); });
    headless::at(200, [] { headless::pressKey(0x0D); });
    bool aliveAfterOtherKeys = false;
    headless::at(300, [&] { aliveAfterOtherKeys = IsWindow(g_hwnd); });
    EXPECT_EQ(runUntilEscAt(400), 0);
    EXPECT_TRUE(aliveAfterOtherKeys);
}

TEST_F(Shell, CloseFromOutsideEndsLikeExitAndKeepsThePosition)
{
    writeFile("eyes.ini", "[global]\nx=500\ny=400\n");
    headless::at(200, [] { headless::closeWindow(g_hwnd); });
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
    EXPECT_EQ(readKey("x"), 500u);
    EXPECT_EQ(readKey("y"), 400u);
}

TEST_F(Shell, ReadOnlyWorkingDirectoryStoresNothingAndRunsOn)
{
    ReadOnlyFolder here(".");
    if (!here.ok())
        GTEST_SKIP() << "no way to make a folder read-only here";
    EXPECT_EQ(runUntilEscAt(300), 0);
    EXPECT_EQ(readKey("x"), 12345u) << "nothing was stored";
}

TEST_F(Shell, LeftDragMovesTheWindowWhileTheEyesGoOnAndTheNewCentreIsStored)
{
    writeFile("eyes.ini", "[global]\nx=500\ny=400\n");
    headless::at(100, [] {
        headless::setPointer(480, 390);
        headless::pressButton(WM_LBUTTONDOWN);
    });
    int presentsEarly = 0, presentsLate = 0;
    headless::at(150, [&] {
        headless::setPointer(530, 370);
        presentsEarly = headless::window(g_hwnd)->presents;
    });
    // The pointer keeps its place in the dragged window, so only exposes bring frames.
    headless::at(250, [] { headless::expose(g_hwnd); });
    headless::at(350, [] { headless::expose(g_hwnd); });
    headless::at(440, [&] { presentsLate = headless::window(g_hwnd)->presents; });
    headless::at(450, [] { headless::releaseButton(); });
    EXPECT_EQ(runUntilEscAt(500), 0);
    EXPECT_GE(presentsLate - presentsEarly, 2) << "painting goes on during the move";
    EXPECT_EQ(readKey("x"), 550u);
    EXPECT_EQ(readKey("y"), 380u);
}

// Without an erase the face stays as it was shown, and a timer sends only the
// pupils that moved, never the whole face again.
TEST_F(Shell, AnyTimerRepaintsWithoutEraseSendingOnlyWhatMoved)
{
    int64_t sentBefore = -1, sentAfter = -1, wholeFace = 0;
    int presentsBefore = -1, presentsAfter = -1;
    writeFile("eyes.ini", "[global]\nx=0\ny=0\n");  // the pointer's moves below are by the face
    headless::at(50, [&] {
        presentsBefore = headless::window(g_hwnd)->presents;
        sentBefore = headless::window(g_hwnd)->sentPixels;
        headless::setPointer(7, 7);
        SendMessageA(g_hwnd, WM_TIMER, 7, 0);
    });
    headless::at(53, [&] {
        const headless::WindowState* face = headless::window(g_hwnd);
        presentsAfter = face->presents;
        sentAfter = face->sentPixels;
        wholeFace = int64_t(face->width) * face->height;
    });
    EXPECT_EQ(runUntilEscAt(60), 0);
    EXPECT_GT(presentsAfter, presentsBefore);
    EXPECT_LT(sentAfter - sentBefore, wholeFace / 2);
}

// Other programs' windows as the window manager tells of them, looked at on each tick.
TEST_F(Shell, StepsAsideOnlyForAFullScreenWindowOnItsOwnMonitorAndComesBackOnTop)
{
    headless::setMonitors({{0, 0, 1000, 800}, {1000, 0, 2000, 800}});
    writeFile("eyes.ini", "[global]\nx=500\ny=400\n");
    std::vector<bool> shown;
    auto look = [&] { shown.push_back(headless::window(g_hwnd)->visible); };
    // Maximised where no panel takes a part of the monitor: as large as a full screen.
    headless::at(110, [] { headless::showOtherWindow(1, {0, 0, 1000, 800}, true); });
    headless::at(250, look);
    headless::at(310, [] { headless::showOtherWindow(2, {1000, 0, 2000, 800}); });
    headless::at(450, look);
    headless::at(510, [] {
        headless::setDesktopWindow(3);
        headless::showOtherWindow(3, {0, 0, 2000, 800});
    });
    headless::at(650, look);
    headless::at(710, [] { headless::showOtherWindow(4, {-10, -10, 1010, 810}); });
    headless::at(850, look);
    // Hidden, the face paints nothing, however the pointer moves.
    int presentsWhileHidden = 0;
    headless::at(810, [&] { presentsWhileHidden = -headless::window(g_hwnd)->presents; });
    headless::at(820, [] { headless::setPointer(100, 100); });
    headless::at(905, [&] { presentsWhileHidden += headless::window(g_hwnd)->presents; });
    headless::at(910, [] { headless::activate(0); });
    headless::at(1050, look);
    size_t callsBefore = 0;
    headless::at(705, [&] { callsBefore = headless::calls().size(); });
    std::vector<std::string> calls;
    headless::at(1060, [&] { calls.assign(headless::calls().begin() + callsBefore, headless::calls().end()); });
    EXPECT_EQ(runUntilEscAt(1100), 0);

    EXPECT_EQ(shown, (std::vector<bool>{true, true, true, false, true}))
        << "maximised, full screen on the other monitor, the desktop, full screen here, gone";
    EXPECT_EQ(calls, (std::vector<std::string>{"hide", "show", "above"})) << "back where it was, on top";
    EXPECT_EQ(presentsWhileHidden, 0);
    EXPECT_EQ(readKey("x"), 500u);
}

TEST_F(Shell, MissingMainPictureIsReportedAndEndsWithMinusOne)
{
    writeFile("eyes.ini", "[global]\nskin=nothing\n");
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), -1);
    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].caption, "Problem loading Skin");
    EXPECT_EQ(g_skin, nullptr);
}

}  // namespace
