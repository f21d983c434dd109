#include "test_window.h"

namespace {

using Windows = PlatformTest;

TEST_F(Windows, CreationAndDestructionSendTheirMessagesInsideTheCalls)
{
    HWND hwnd = makeWindow();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, WM_CREATE);
    EXPECT_TRUE(received[0].wasWindow);
    const headless::WindowState* state = headless::window(hwnd);
    ASSERT_NE(state, nullptr);
    EXPECT_FALSE(state->visible);
    EXPECT_EQ(state->title, "test");
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
    received.clear();
    pump();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].hwnd, other);

    RECT rect;
    POINT point{};
    PAINTSTRUCT paint;
    EXPECT_FALSE(DestroyWindow(hwnd));
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW));
    EXPECT_FALSE(GetWindowRect(hwnd, &rect));
    EXPECT_FALSE(ClientToScreen(hwnd, &point));
    EXPECT_FALSE(MoveWindow(hwnd, 0, 0, 5, 5, TRUE));
    EXPECT_FALSE(PostMessageA(hwnd, WM_CLOSE, 0, 0));
    EXPECT_EQ(SendMessageA(hwnd, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(SetTimer(hwnd, 1, 10, nullptr), 0u);
    EXPECT_FALSE(InvalidateRect(hwnd, nullptr, TRUE));
    EXPECT_EQ(BeginPaint(hwnd, &paint), nullptr);
    EXPECT_EQ(SetWindowRgn(hwnd, nullptr, TRUE), 0);
}

TEST_F(Windows, ClassesAreFoundByNameAndCreationCanFail)
{
    WNDCLASSA duplicate{};
    duplicate.lpfnWndProc = DefWindowProcA;
    duplicate.lpszClassName = "PLATFORM-TEST";  // class names ignore case
    EXPECT_EQ(RegisterClassA(&duplicate), 0);
    EXPECT_EQ(RegisterClassA(nullptr), 0);
    EXPECT_EQ(CreateWindowExA(0, "no-such-class", "x", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(CreateWindowExA(0, nullptr, "x", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr), nullptr);

    // -1 from WM_CREATE refuses the window: it is destroyed before creation returns.
    handler = [](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
        *result = -1;
        return message == WM_CREATE;
    };
    HWND refused = CreateWindowExA(0, "platform-test", "x", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(messages(), (std::vector<UINT>{WM_CREATE, WM_DESTROY}));
    EXPECT_FALSE(IsWindow(received[0].hwnd));
    EXPECT_EQ(headless::window(received[0].hwnd), nullptr);
}

TEST_F(Windows, ShowStackMoveAndConvertCoordinates)
{
    HWND hwnd = makeWindow();
    const headless::WindowState* state = headless::window(hwnd);
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW));
    EXPECT_TRUE(state->visible);
    EXPECT_TRUE(ShowWindow(hwnd, SW_SHOW));

    SetWindowPos(hwnd, HWND_TOPMOST, 7, 7, 7, 7, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(state->above);
    EXPECT_EQ(state->frame.left, 100);
    EXPECT_EQ(state->frame.right, 140);
    SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_FALSE(state->above);

    MoveWindow(hwnd, -20, 30, 40, 30, TRUE);
    RECT frame;
    GetWindowRect(hwnd, &frame);
    EXPECT_EQ(frame.left, -20);
    EXPECT_EQ(frame.right, 20);
    EXPECT_EQ(state->frame.top, 30);
    POINT point{5, 6};
    ClientToScreen(hwnd, &point);
    EXPECT_EQ(point.x, -15);
    EXPECT_EQ(point.y, 36);

}

TEST_F(Windows, CaptionPressMovesTheWindowWithTheDragUntilRelease)
{
    HWND hwnd = makeWindow();
    ShowWindow(hwnd, SW_SHOW);
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

    ASSERT_GE(received.size(), 3u);
    EXPECT_EQ(received[1].message, WM_LBUTTONDOWN);
    EXPECT_EQ(received[1].wParam, MK_LBUTTON);
    EXPECT_EQ(received[1].lParam, MAKELPARAM(10, 10));
    EXPECT_EQ(received[2].message, WM_NCLBUTTONDOWN);
    EXPECT_EQ(GetTickCount(), 12u);  // the move returned at the release
    Sleep(10);
    RECT frame;
    GetWindowRect(hwnd, &frame);
    EXPECT_EQ(frame.left, 130);
    EXPECT_EQ(frame.top, 35);
    EXPECT_EQ(frame.right, 170);
    EXPECT_EQ(headless::window(hwnd)->frame.left, 130);
}

TEST_F(Windows, CloseDestroysByDefaultUnlessTheProcedureKeepsTheWindow)
{
    HWND kept = makeWindow();
    handler = [kept](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT*) { return hwnd == kept && message == WM_CLOSE; };
    HWND closed = makeWindow();
    headless::closeWindow(kept);
    headless::closeWindow(closed);
    pump();
    EXPECT_TRUE(IsWindow(kept));
    EXPECT_FALSE(IsWindow(closed));
    EXPECT_EQ(received.back().message, WM_DESTROY);
    EXPECT_EQ(received.back().hwnd, closed);
}

TEST_F(Windows, InputCarriesWindowCoordinatesToTheWindowUnderThePointer)
{
    HWND below = makeWindow(0, 0, 100, 100);
    HWND above = makeWindow(50, 50, 100, 100);
    ShowWindow(below, SW_SHOW);
    ShowWindow(above, SW_SHOW);
    headless::setPointer(120, 130);
    headless::pressButton(WM_RBUTTONDOWN);
    headless::releaseButton();
    headless::setPointer(200, 200);
    headless::pressButton(WM_LBUTTONDOWN);  // over no window
    headless::releaseButton();
    headless::pressKey(VK_ESCAPE);
    received.clear();
    pump();

    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].hwnd, above);
    EXPECT_EQ(received[0].wParam, MK_RBUTTON);
    EXPECT_EQ(received[0].lParam, MAKELPARAM(70, 80));
    EXPECT_EQ(received[1].hwnd, above);
    EXPECT_EQ(received[1].message, WM_KEYDOWN);
    EXPECT_EQ(received[1].wParam, VK_ESCAPE);
    EXPECT_EQ(received[1].lParam, 1);
}

}  // namespace
