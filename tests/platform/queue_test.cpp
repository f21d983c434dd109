#include "test_window.h"

namespace {

using Queue = PlatformTest;

TEST_F(Queue, PostedMessagesComeFirstThenQuitThenPaintThenTimers)
{
    HWND hwnd = makeWindow();
    SetTimer(hwnd, 7, 10, nullptr);
    InvalidateRect(hwnd, nullptr, FALSE);
    Sleep(10);
    PostMessageA(hwnd, WM_KEYDOWN, 'A', 1);
    PostMessageA(hwnd, WM_KEYDOWN, 'B', 1);
    PostQuitMessage(3);

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, WPARAM('A'));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, WPARAM('A'));
    EXPECT_EQ(msg.hwnd, hwnd);
    EXPECT_EQ(msg.time, 10u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, WPARAM('B'));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(peek(), UINT(WM_PAINT));
    EXPECT_EQ(peek(), UINT(WM_PAINT));  // taking WM_PAINT does not validate
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_TIMER));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(peek(), 0u);
}

TEST_F(Queue, PeekingNeverWaitsAndQuitComesOnce)
{
    HWND hwnd = makeWindow();
    SetTimer(hwnd, 1, 100, nullptr);
    EXPECT_EQ(peek(), 0u);
    EXPECT_EQ(peek(PM_NOREMOVE), 0u);
    EXPECT_EQ(GetTickCount(), 0u);

    PostQuitMessage(0);
    EXPECT_EQ(peek(PM_NOREMOVE), UINT(WM_QUIT));
    EXPECT_EQ(peek(), UINT(WM_QUIT));
    EXPECT_EQ(peek(), 0u);
}

TEST_F(Queue, FiltersTakeOneWindowOrOneRange)
{
    HWND first = makeWindow();
    HWND second = makeWindow();
    PostMessageA(first, WM_KEYDOWN, 1, 0);
    PostMessageA(second, WM_COMMAND, 2, 0);
    PostMessageA(first, WM_COMMAND, 3, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, second, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessageA(&msg, second, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_EQ(peek(), 0u);
}

TEST_F(Queue, PaintComesOnlyForAnInvalidWindowAndBeginPaintValidates)
{
    HWND hwnd = makeWindow();  // 40 x 30, hidden: it is painted all the same
    EXPECT_EQ(peek(), 0u);
    EXPECT_TRUE(InvalidateRect(hwnd, nullptr, FALSE));
    RECT corner{30, 20, 100, 100};
    InvalidateRect(hwnd, &corner, TRUE);
    EXPECT_EQ(peek(), UINT(WM_PAINT));

    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(paint.hdc, dc);
    EXPECT_TRUE(paint.fErase);
    EXPECT_EQ(paint.rcPaint.left, 0);
    EXPECT_EQ(paint.rcPaint.right, 40);  // clipped to the window
    EXPECT_EQ(paint.rcPaint.bottom, 30);
    EndPaint(hwnd, &paint);
    EXPECT_EQ(peek(), 0u);

    RECT outside{50, 50, 60, 60};
    InvalidateRect(hwnd, &outside, TRUE);
    EXPECT_EQ(peek(), 0u);
    RECT part{5, 6, 7, 8};
    InvalidateRect(hwnd, &part, FALSE);
    HDC again = BeginPaint(hwnd, &paint);
    EXPECT_EQ(again, dc);  // the window's own device context
    EXPECT_FALSE(paint.fErase);
    EXPECT_EQ(paint.rcPaint.left, 5);
    EXPECT_EQ(paint.rcPaint.bottom, 8);

    // A procedure that ignores WM_PAINT is validated by the default procedure.
    InvalidateRect(hwnd, nullptr, FALSE);
    pump();
    EXPECT_EQ(peek(), 0u);
}

// The loop of the program: take one message, dispatch it, sleep a millisecond.
std::vector<uint64_t> timerTimes(uint64_t until)
{
    std::vector<uint64_t> times;
    MSG msg;
    while (GetTickCount() < until) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER)
                times.push_back(msg.time);
            DispatchMessageA(&msg);
        }
        Sleep(1);
    }
    return times;
}

TEST_F(Queue, AnIdleLoopSleepsUntilTheNextTimerButWakesForInput)
{
    HWND hwnd = makeWindow();
    SetTimer(hwnd, 101, 100, nullptr);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    Sleep(1);
    EXPECT_EQ(GetTickCount(), 100u) << "nothing to do: no need to wake before the timer";

    headless::at(130, [hwnd] { PostMessageA(hwnd, 0x0400, 0, 0); });
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // the timer
    Sleep(1);
    EXPECT_EQ(GetTickCount(), 101u) << "a pass that did something sleeps a millisecond";
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    Sleep(1);
    EXPECT_EQ(GetTickCount(), 130u) << "input ends the pause";
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Queue, TimersKeepTheirPeriodOnTheClock)
{
    HWND hwnd = makeWindow();
    ASSERT_NE(SetTimer(hwnd, 101, 100, nullptr), 0u);
    EXPECT_EQ(timerTimes(450), (std::vector<uint64_t>{100, 200, 300, 400}));

    // Setting the same id again starts its period afresh.
    Sleep(30);
    uint64_t restart = GetTickCount();
    SetTimer(hwnd, 101, 100, nullptr);
    EXPECT_EQ(timerTimes(restart + 250), (std::vector<uint64_t>{restart + 100, restart + 200}));

    // Periods missed while nobody looked give one message, and the period keeps its grid.
    Sleep(1000);
    uint64_t late = GetTickCount();
    std::vector<uint64_t> times = timerTimes(late + 150);
    ASSERT_EQ(times.size(), 2u);
    EXPECT_EQ(times[0], late);
    EXPECT_EQ((times[1] - restart) % 100, 0u);
    EXPECT_LE(times[1] - late, 100u);

    EXPECT_TRUE(KillTimer(hwnd, 101));
    EXPECT_FALSE(KillTimer(hwnd, 101));
    EXPECT_TRUE(timerTimes(GetTickCount() + 500).empty());

    // Any id works, and each timer's messages carry its own.
    uint64_t start = GetTickCount();
    SetTimer(hwnd, 0, 30, nullptr);
    SetTimer(hwnd, ~UINT_PTR(0), 50, nullptr);
    std::vector<WPARAM> ids;
    MSG msg;
    while (GetTickCount() <= start + 100) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ids.push_back(msg.wParam);
        Sleep(1);
    }
    EXPECT_EQ(ids, (std::vector<WPARAM>{0, ~WPARAM(0), 0, 0, ~WPARAM(0)}));  // at +30, +50, +60, +90, +100
}

}  // namespace
