// A window of a test class that records what its procedure receives.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/headless/headless.h"

struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool wasWindow;  // IsWindow(hwnd) while the message was handled
};

class PlatformTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Hidden, at (100, 50), 40 x 30 unless told otherwise.
    HWND makeWindow(int x = 100, int y = 50, int width = 40, int height = 30);
    // The messages received so far, and the ones taken by one PeekMessageA.
    std::vector<UINT> messages() const;
    UINT peek(UINT remove = PM_REMOVE);
    // Dispatches whatever is queued, as the program's loop does, without advancing the clock.
    void pump();

public:
    static std::vector<Received> received;
    // Runs before the default procedure for every message; its result replaces the default's when set.
    static std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> handler;
};
