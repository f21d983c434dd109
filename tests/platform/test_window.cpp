#include "test_window.h"

std::vector<Received> PlatformTest::received;
std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> PlatformTest::handler;

namespace {

LRESULT recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    PlatformTest::received.push_back({hwnd, message, wParam, lParam, IsWindow(hwnd) != 0});
    LRESULT result = 0;
    if (PlatformTest::handler && PlatformTest::handler(hwnd, message, wParam, lParam, &result))
        return result;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

constexpr const char* className = "platform-test";

}  // namespace

void PlatformTest::SetUp()
{
    headless::reset(800, 600);
    headless::setTimeLimit(60000);
    received.clear();
    handler = nullptr;
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = recordingProc;
        windowClass.lpszClassName = className;
        ASSERT_NE(RegisterClassA(&windowClass), 0);
        registered = true;
    }
}

void PlatformTest::TearDown()
{
    handler = nullptr;
    headless::reset();
}

HWND PlatformTest::makeWindow(int x, int y, int width, int height)
{
    HWND hwnd = CreateWindowExA(0, className, "test", WS_POPUP, x, y, width, height, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(hwnd, nullptr);
    return hwnd;
}

std::vector<UINT> PlatformTest::messages() const
{
    std::vector<UINT> seen;
    for (const Received& r : received)
        seen.push_back(r.message);
    return seen;
}

UINT PlatformTest::peek(UINT remove)
{
    MSG msg{};
    return PeekMessageA(&msg, nullptr, 0, 0, remove) ? msg.message : 0;
}

void PlatformTest::pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
