// Windows of a test class that records what its procedure receives.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "headless/headless.h"

struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool wasWindow;  // IsWindow(hwnd) while the message was handled
};

class PlatformTest : public testing::Test {
public:
    static inline std::vector<Received> received;
    // Runs before the default procedure; when it returns true its result is the answer.
    static inline std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> handler;

protected:
    void SetUp() override
    {
        headless::reset(800, 600);
        headless::setTimeLimit(60000);
        received.clear();
        handler = nullptr;
        static const bool registered = [] {
            WNDCLASSA windowClass{};
            windowClass.lpfnWndProc = record;
            windowClass.lpszClassName = "platform-test";
            return RegisterClassA(&windowClass) != 0;
        }();
        ASSERT_TRUE(registered);
    }

    HWND makeWindow(int x = 100, int y = 50, int width = 40, int height = 30)
    {
        HWND hwnd = CreateWindowExA(0, "platform-test", "test", WS_POPUP, x, y, width, height, nullptr, nullptr,
                                    nullptr, nullptr);
        EXPECT_NE(hwnd, nullptr);
        return hwnd;
    }
    std::vector<UINT> messages() const
    {
        std::vector<UINT> seen;
        for (const Received& r : received)
            seen.push_back(r.message);
        return seen;
    }
    // The message one PeekMessageA takes, or 0.
    static UINT peek()
    {
        MSG msg{};
        return PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) ? msg.message : 0;
    }
    // Dispatches whatever is queued without advancing the clock.
    static void pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT)
            DispatchMessageA(&msg);
    }

private:
    static LRESULT record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        received.push_back({hwnd, message, wParam, lParam, IsWindow(hwnd) != 0});
        LRESULT result = 0;
        if (handler && handler(hwnd, message, wParam, lParam, &result))
            return result;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
};
