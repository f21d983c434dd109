// The headless display shared by its seam side and its test-control side.
#pragma once

#include <deque>
#include <map>
#include <memory>

#include "headless.h"

struct backend::Native {
    HWND hwnd;
    headless::WindowState state;
};

namespace headless {

constexpr uint64_t defaultTimeLimit = 10 * 60 * 1000;

struct Display {
    int screenWidth = 1280;
    int screenHeight = 1024;
    std::vector<RECT> monitors;  // empty: the screen is the one monitor
    int scale = 1;
    POINT pointer{};
    bool buttonDown = false;
    uint64_t clock = 0;
    uint64_t timeLimit = defaultTimeLimit;
    std::multimap<uint64_t, std::function<void()>> script;  // equal times keep their order
    std::vector<std::unique_ptr<backend::Native>> windows;  // creation order
    UINT_PTR nextPopupAnswer = 0;
    std::vector<Popup> popups;
    std::deque<Menu> shownSubmenus;  // the copies popups' submenu pointers point at
    std::vector<Box> boxes;
    std::vector<std::string> calls;
    std::map<uint64_t, backend::OtherWindow> others;  // other programs' windows by id
    uint64_t active = 0;
    uint64_t desktop = 0;
    bool notifyIconShown = false;
    bool controlHeld = false;
    std::string notifyIconTooltip;
};

Display& display();
backend::Native* findNative(HWND hwnd);
// Moves the clock on to ms, running the script on the way.
void advanceTo(uint64_t ms);
// The topmost visible window that shows the screen point, or null.
backend::Native* windowAt(int x, int y);

}  // namespace headless
