#include "test_window.h"
#include "os/tests/files.h"

namespace {

using Queue = PlatformTest;

using Taken = std::vector<std::pair<UINT, WPARAM>>;

Taken::value_type take()
{
    MSG msg{};
    PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    return {msg.message, msg.wParam};
}

TEST_F(Queue, PostedMessagesComeFirstThenQuitOnceThenPaintForAnInvalidWindowThenTimers)
{
    HWND hwnd = makeWindow();
    ShowWindow(hwnd, SW_SHOW);
    pump();  // the paint of the show
    SetTimer(hwnd, 7, 10, nullptr);
    RECT outside{50, 50, 60, 60};
    InvalidateRect(hwnd, &outside, TRUE);
    EXPECT_EQ(peek(), 0u) << "nothing to paint, and the timer is not due";
    InvalidateRect(hwnd, nullptr, FALSE);
    Sleep(10);
    PostMessageA(hwnd, WM_KEYDOWN, 'A', 1);
    PostMessageA(hwnd, WM_KEYDOWN, 'B', 1);
    PostQuitMessage(3);

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, hwnd);
    EXPECT_EQ(msg.time, 10u);
    Taken taken{take(), take(), take(), take(), take()};
    EXPECT_EQ(taken, (Taken{{WM_KEYDOWN, 'A'}, {WM_KEYDOWN, 'B'}, {WM_QUIT, 3}, {WM_PAINT, 0}, {WM_PAINT, 0}}))
        << "taking WM_PAINT does not validate";
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
    EXPECT_EQ(take(), (Taken::value_type{WM_TIMER, 7}));
    EXPECT_EQ(peek(), 0u);

    // A procedure that ignores WM_PAINT is validated by the default procedure.
    InvalidateRect(hwnd, nullptr, FALSE);
    pump();
    EXPECT_EQ(peek(), 0u);
}

// The loop of the program: take one message and dispatch it, or wait for one.
std::vector<uint64_t> timerTimes(uint64_t until, std::vector<WPARAM>* ids = nullptr)
{
    constexpr UINT stop = 0x0400;
    headless::at(until, [] { PostMessageA(nullptr, stop, 0, 0); });
    std::vector<uint64_t> times;
    MSG msg;
    while (true) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (msg.message == stop)
            return times;
        times.push_back(msg.time);
        if (ids)
            ids->push_back(msg.wParam);
        DispatchMessageA(&msg);
    }
}

TEST_F(Queue, WaitMessageSleepsUntilATimerIsDueOrInputComes)
{
    HWND hwnd = makeWindow();
    ShowWindow(hwnd, SW_SHOW);
    pump();
    SetTimer(hwnd, 101, 100, nullptr);
    MSG msg;
    WaitMessage();
    EXPECT_EQ(GetTickCount(), 100u) << "nothing to do: no need to wake before the timer";
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_TIMER));

    InvalidateRect(hwnd, nullptr, FALSE);
    WaitMessage();
    EXPECT_EQ(GetTickCount(), 100u) << "a paint is waiting";
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);

    headless::at(130, [hwnd] { PostMessageA(hwnd, 0x0400, 0, 0); });
    WaitMessage();
    EXPECT_EQ(GetTickCount(), 130u) << "input ends the pause";
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, 0x0400u);

    PostQuitMessage(0);
    WaitMessage();
    EXPECT_EQ(GetTickCount(), 130u) << "a quit is waiting";
}

TEST_F(Queue, TimersOfAnyIdKeepTheirPeriodOnTheClock)
{
    HWND hwnd = makeWindow();
    ASSERT_NE(SetTimer(hwnd, 101, 100, nullptr), 0u);
    EXPECT_EQ(timerTimes(450), (std::vector<uint64_t>{100, 200, 300, 400}));

    Sleep(30);
    uint64_t restart = GetTickCount();
    SetTimer(hwnd, 101, 100, nullptr);
    EXPECT_EQ(timerTimes(restart + 250), (std::vector<uint64_t>{restart + 100, restart + 200}))
        << "setting it again restarts the period";

    Sleep(1030);
    uint64_t late = GetTickCount();
    EXPECT_EQ(timerTimes(late + 150), (std::vector<uint64_t>{late, restart + 1300, restart + 1400}))
        << "missed periods give one message, and the period keeps its grid";

    EXPECT_TRUE(KillTimer(hwnd, 101));
    EXPECT_FALSE(KillTimer(hwnd, 101));
    EXPECT_TRUE(timerTimes(GetTickCount() + 500).empty());

    uint64_t start = GetTickCount();
    SetTimer(hwnd, 0, 30, nullptr);
    SetTimer(hwnd, ~UINT_PTR(0), 50, nullptr);
    std::vector<WPARAM> ids;
    EXPECT_EQ(timerTimes(start + 101, &ids),
              (std::vector<uint64_t>{start + 30, start + 50, start + 60, start + 90, start + 100}));
    EXPECT_EQ(ids, (std::vector<WPARAM>{0, ~WPARAM(0), 0, 0, ~WPARAM(0)}));
}

}  // namespace

namespace {

TEST_F(Queue, ARegisteredMessageBroadcastReachesEveryWindowByItsNumberAndAnUnregisteredOneNone)
{
    const UINT message = RegisterWindowMessageA("queue-test-broadcast");
    EXPECT_GE(message, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageA("queue-test-broadcast"), message) << "one number per name";
    EXPECT_NE(RegisterWindowMessageA("queue-test-other"), message);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
    HWND first = makeWindow(), second = makeWindow();
    EXPECT_FALSE(PostMessageA(HWND_BROADCAST, message + 100, 0, 0));
    EXPECT_TRUE(PostMessageA(HWND_BROADCAST, message, 5, 6));
    pump();
    std::vector<HWND> reached;
    for (const Received& r : received)
        if (r.message == message && r.wParam == 5 && r.lParam == 6)
            reached.push_back(r.hwnd);
    EXPECT_EQ(reached, (std::vector<HWND>{first, second}));
}

TEST(NamedMutex, IsHeldUntilItsHandleClosesAndASecondOfTheNameIsToldItExists)
{
    TempWorkdir dir;
    setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
    HANDLE held = CreateMutexA(nullptr, FALSE, "named-mutex-test");
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_SUCCESS});
    HANDLE again = CreateMutexA(nullptr, FALSE, "named-mutex-test");
    EXPECT_EQ(GetLastError(), DWORD{ERROR_ALREADY_EXISTS});
    CloseHandle(again);
    EXPECT_TRUE(CloseHandle(held));
    held = CreateMutexA(nullptr, FALSE, "named-mutex-test");
    EXPECT_EQ(GetLastError(), DWORD{ERROR_SUCCESS}) << "let go with its handle";
    CloseHandle(held);
    EXPECT_EQ(CreateMutexA(nullptr, FALSE, "no/slash"), nullptr);
    unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
