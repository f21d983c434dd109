#include "test_window.h"

namespace {

using Windows = PlatformTest;

TEST_F(Windows, CreationAndDestructionSendTheirMessagesInsideTheCalls)
{
    HWND hwnd = makeWindow();
    ASSERT_EQ(messages(), std::vector<UINT>{WM_CREATE});
    EXPECT_TRUE(received[0].wasWindow);
    RECT frame;
    ASSERT_TRUE(GetWindowRect(hwnd, &frame));
    EXPECT_EQ(frame.left, 100);
    EXPECT_EQ(frame.bottom, 80);

    received.clear();
    ASSERT_TRUE(DestroyWindow(hwnd));
    ASSERT_EQ(messages(), std::vector<UINT>{WM_DESTROY});
    EXPECT_TRUE(received[0].wasWindow);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(headless::window(hwnd), nullptr);
}

TEST_F(Windows, ADestroyedWindowLeavesNothingBehindAndItsHandleFailsHarmlessly)
{
    HWND hwnd = makeWindow();
    HWND other = makeWindow();
    SetTimer(hwnd, 1, 10, nullptr);
    InvalidateRect(hwnd, nullptr, TRUE);
    PostMessageA(hwnd, WM_KEYDOWN, 'A', 1);
    PostMessageA(other, WM_KEYDOWN, 'B', 1);
    DestroyWindow(hwnd);
    Sleep(50);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, other);
    EXPECT_EQ(peek(), 0u);

    RECT rect;
    POINT point{};
    PAINTSTRUCT paint;
    EXPECT_FALSE(DestroyWindow(hwnd) || ShowWindow(hwnd, SW_SHOW) || GetWindowRect(hwnd, &rect) ||
                 ClientToScreen(hwnd, &point) || MoveWindow(hwnd, 0, 0, 5, 5, TRUE) ||
                 PostMessageA(hwnd, WM_CLOSE, 0, 0) || SendMessageA(hwnd, WM_CLOSE, 0, 0) ||
                 SetTimer(hwnd, 1, 10, nullptr) || InvalidateRect(hwnd, nullptr, TRUE) ||
                 BeginPaint(hwnd, &paint) || SetWindowRgn(hwnd, nullptr, TRUE));
}

// As on Windows: a hidden window gets no WM_PAINT however invalid it is; shown
// again, also without activation, it is erased and painted.
TEST_F(Windows, AHiddenWindowIsPaintedOnlyOnceShownAgain)
{
    HWND hwnd = makeWindow();
    ShowWindow(hwnd, SW_SHOW);
    pump();
    ShowWindow(hwnd, SW_HIDE);
    received.clear();
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(peek(), 0u);
    EXPECT_TRUE(received.empty());

    ShowWindow(hwnd, SW_SHOWNA);
    pump();
    EXPECT_EQ(messages(), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    DestroyWindow(hwnd);
}

TEST_F(Windows, CaptionPressMovesTheWindowWithTheDragUntilRelease)
{
    HWND hwnd = makeWindow();
    ShowWindow(hwnd, SW_SHOW);
    pump();
    received.clear();
    handler = [](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message == WM_LBUTTONDOWN)
            SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return false;
    };
    headless::setPointer(110, 60);
    headless::pressButton(WM_LBUTTONDOWN);
    headless::at(5, [] { headless::setPointer(150, 40); });
    headless::at(9, [] { headless::setPointer(140, 45); });
    headless::at(12, [] { headless::releaseButton(); });
    headless::at(15, [] { headless::setPointer(0, 0); });  // after the release: no effect
    pump();

    ASSERT_EQ(messages(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_NCLBUTTONDOWN}));
    EXPECT_EQ(received[0].lParam, MAKELPARAM(10, 10));
    EXPECT_EQ(GetTickCount(), 12u) << "the move returns at the release";
    Sleep(10);
    RECT frame;
    GetWindowRect(hwnd, &frame);
    EXPECT_EQ(std::make_tuple(frame.left, frame.top, frame.right), std::make_tuple(130, 35, 170));
}

// Another program's window gets a handle of its own, which only these calls accept.
TEST_F(Windows, TheWindowInFrontIsAnsweredForFromWhatTheWindowManagerTold)
{
    HWND ours = makeWindow();
    EXPECT_EQ(GetForegroundWindow(), nullptr) << "nothing active";
    headless::showOtherWindow(5, {-4, -4, 1284, 1028}, true);
    HWND front = GetForegroundWindow();
    ASSERT_NE(front, nullptr);
    EXPECT_NE(front, ours);
    EXPECT_FALSE(IsWindow(front));
    RECT frame{};
    EXPECT_TRUE(GetWindowRect(front, &frame));
    EXPECT_EQ(std::make_tuple(frame.left, frame.top, frame.right, frame.bottom), std::make_tuple(-4, -4, 1284, 1028));
    EXPECT_TRUE(IsZoomed(front));
    EXPECT_FALSE(IsZoomed(ours));
    EXPECT_EQ(GetShellWindow(), nullptr);
    headless::setDesktopWindow(5);
    EXPECT_EQ(GetShellWindow(), front);
    char name[8] = "x";
    EXPECT_EQ(GetClassNameA(front, name, sizeof name), 0);
    EXPECT_STREQ(name, "");
    headless::activate(99);
    EXPECT_FALSE(GetWindowRect(GetForegroundWindow(), &frame)) << "a window it never told of";
}

TEST_F(Windows, APointerOffEveryMonitorBelongsToTheNearestOrNoneAsAsked)
{
    headless::setMonitors({{0, 0, 1000, 800}, {1000, 100, 2000, 700}});
    const HMONITOR left = MonitorFromPoint({999, 0}, MONITOR_DEFAULTTONULL);
    const HMONITOR right = MonitorFromPoint({1000, 100}, MONITOR_DEFAULTTONULL);
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    EXPECT_NE(left, right);
    EXPECT_EQ(MonitorFromPoint({1500, 50}, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromPoint({1500, 50}, MONITOR_DEFAULTTONEAREST), right);
    EXPECT_EQ(MonitorFromPoint({1500, 50}, MONITOR_DEFAULTTOPRIMARY), left);
    EXPECT_EQ(MonitorFromPoint({-300, 900}, MONITOR_DEFAULTTONEAREST), left);
}

// Headless, no device moves: raw input is refused, and its removal is harmless.
TEST_F(Windows, RawInputIsRefusedWithoutADisplayThatTellsDeviceMoves)
{
    RAWINPUTDEVICE mouse{0x01, 0x02, RIDEV_INPUTSINK, makeWindow()};
    EXPECT_FALSE(RegisterRawInputDevices(&mouse, 1, sizeof mouse));
    mouse = {0x01, 0x02, RIDEV_REMOVE, nullptr};
    EXPECT_TRUE(RegisterRawInputDevices(&mouse, 1, sizeof mouse));
}

}  // namespace
