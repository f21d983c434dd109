// Test control of the headless display: script, input and what a screenshot shows.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "state.h"

namespace headless {

namespace {

bool contains(const RECT& r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// What shows of a window at a window point: inside its frame and its shape.
bool shows(const WindowState& state, int x, int y)
{
    const RECT& f = state.frame;
    if (!contains({0, 0, f.right - f.left, f.bottom - f.top}, x, y))
        return false;
    if (state.layered)  // as a compositing desktop shows it: wherever its alpha is not zero
        return x < state.width && y < state.height && state.pixels[size_t(y) * state.width + x] >> 24 != 0;
    return !state.shaped ||
           std::any_of(state.shape.begin(), state.shape.end(), [&](const RECT& r) { return contains(r, x, y); });
}

// Keep-above windows first, later-created first within a level.
template <typename Accept>
backend::Native* topmost(Accept accept)
{
    for (bool above : {true, false})
        for (auto it = display().windows.rbegin(); it != display().windows.rend(); ++it)
            if ((*it)->state.visible && (*it)->state.above == above && accept(**it))
                return it->get();
    return nullptr;
}

}  // namespace

Display& display()
{
    static Display current;
    return current;
}

backend::Native* findNative(HWND hwnd)
{
    for (const auto& window : display().windows)
        if (window->hwnd == hwnd)
            return window.get();
    return nullptr;
}

void advanceTo(uint64_t ms)
{
    Display& d = display();
    if (ms > d.timeLimit) {
        std::fprintf(stderr, "headless clock: %llu ms passes the time limit of %llu ms; is a loop hung?\n",
                     static_cast<unsigned long long>(ms), static_cast<unsigned long long>(d.timeLimit));
        std::abort();
    }
    while (!d.script.empty() && d.script.begin()->first <= ms) {
        auto next = d.script.begin();
        d.clock = std::max(d.clock, next->first);
        std::function<void()> action = std::move(next->second);
        d.script.erase(next);
        action();
    }
    d.clock = std::max(d.clock, ms);
}

backend::Native* windowAt(int x, int y)
{
    return topmost([&](const backend::Native& w) { return shows(w.state, x - w.state.frame.left, y - w.state.frame.top); });
}

void reset(int screenWidth, int screenHeight)
{
    core::reset();
    display() = Display{};
    display().screenWidth = screenWidth;
    display().screenHeight = screenHeight;
}

void setPointer(int x, int y)
{
    display().pointer = {x, y};
}

void at(uint64_t ms, std::function<void()> action)
{
    display().script.emplace(ms, std::move(action));
}

void setTimeLimit(uint64_t ms)
{
    display().timeLimit = ms;
}

void pressKey(int virtualKey)
{
    backend::Native* target = topmost([](const backend::Native&) { return true; });
    if (target)
        PostMessageA(target->hwnd, WM_KEYDOWN, virtualKey, 1);  // lParam: repeat count 1
}

void holdControl(bool held)
{
    display().controlHeld = held;
}

void pressButton(UINT message)
{
    if (message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN)
        return;
    display().buttonDown = true;
    const POINT p = display().pointer;
    backend::Native* target = windowAt(p.x, p.y);
    if (!target)
        return;
    const RECT& f = target->state.frame;
    WPARAM buttons = message == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON;
    PostMessageA(target->hwnd, message, buttons, MAKELPARAM(p.x - f.left, p.y - f.top));
}

void releaseButton()
{
    display().buttonDown = false;
}

void closeWindow(HWND hwnd)
{
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
}

void expose(HWND hwnd)
{
    InvalidateRect(hwnd, nullptr, TRUE);
}

void answerNextPopup(UINT_PTR id)
{
    display().nextPopupAnswer = id;
}

const std::vector<Popup>& popups()
{
    return display().popups;
}

const std::string* notifyIcon()
{
    return display().notifyIconShown ? &display().notifyIconTooltip : nullptr;
}

void clickNotifyIcon(bool forMenu, POINT at)
{
    core::notifyIconClicked(forMenu, at);
}

const std::vector<Box>& messageBoxes()
{
    return display().boxes;
}

const std::vector<std::string>& calls()
{
    return display().calls;
}

const WindowState* window(HWND hwnd)
{
    backend::Native* native = findNative(hwnd);
    return native ? &native->state : nullptr;
}

// A window's area that no frame has reached yet shows black, like its class brush.
uint32_t screenPixel(int x, int y)
{
    backend::Native* top = windowAt(x, y);
    if (!top)
        return desktopColour;
    const WindowState& s = top->state;
    int wx = x - s.frame.left, wy = y - s.frame.top;
    const uint32_t pixel = wx < s.width && wy < s.height ? s.pixels[static_cast<size_t>(wy) * s.width + wx] : 0;
    if (!s.layered)
        return pixel;
    // Premultiplied over the desktop, a channel at a time.
    const uint32_t keep = 255 - (pixel >> 24);
    auto channel = [&](int shift) {
        return std::min<uint32_t>(255, ((pixel >> shift) & 0xff) + (((desktopColour >> shift) & 0xff) * keep + 127) / 255)
               << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

}  // namespace headless
