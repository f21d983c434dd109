// The seam served by an in-memory display on a virtual clock.
#include <algorithm>
#include <cstring>

#include "state.h"

using headless::display;

namespace {

Menu copyShown(const Menu& menu)
{
    Menu copy = menu;
    for (MenuItem& item : copy.items)
        if (item.submenu)
            item.submenu = &display().shownSubmenus.emplace_back(copyShown(*item.submenu));
    return copy;
}

}  // namespace

bool backend::open()
{
    return true;
}

void backend::screenSize(int* width, int* height)
{
    *width = display().screenWidth;
    *height = display().screenHeight;
}

bool backend::pointer(POINT* screenPoint)
{
    *screenPoint = display().pointer;
    return true;
}

// The scripted pointer moves without telling, as a warp does.
bool backend::watchRawMotion(bool)
{
    return false;
}

backend::Native* backend::createWindow(HWND hwnd, const char* title, const RECT& frame, bool layered)
{
    auto window = std::make_unique<Native>();
    window->hwnd = hwnd;
    window->state.layered = layered;
    window->state.title = title;
    window->state.frame = frame;
    display().windows.push_back(std::move(window));
    display().calls.push_back("create");
    return display().windows.back().get();
}

void backend::destroyWindow(Native* window)
{
    display().calls.push_back("destroy");
    auto& windows = display().windows;
    windows.erase(std::remove_if(windows.begin(), windows.end(), [&](const auto& w) { return w.get() == window; }),
                  windows.end());
}

void backend::show(Native* window, bool visible)
{
    window->state.visible = visible;
    display().calls.push_back(visible ? "show" : "hide");
}

void backend::move(Native* window, const RECT& frame)
{
    window->state.frame = frame;
    display().calls.push_back("move");
}

void backend::keepAbove(Native* window, bool above)
{
    window->state.above = above;
    display().calls.push_back(above ? "above" : "not above");
}

void backend::shape(Native* window, const RECT* rects, size_t count)
{
    window->state.shaped = true;
    window->state.shape.assign(rects, rects + count);
    display().calls.push_back("shape");
}

void backend::present(Native* window, const uint32_t* pixels, int width, int height, int stridePixels,
                      const RECT& area)
{
    headless::WindowState& state = window->state;
    if (state.width != width || state.height != height) {
        state.width = width;
        state.height = height;
        state.pixels.assign(static_cast<size_t>(width) * height, 0);
    }
    const LONG left = std::max<LONG>(area.left, 0), right = std::min<LONG>(area.right, width);
    const LONG top = std::max<LONG>(area.top, 0), bottom = std::min<LONG>(area.bottom, height);
    if (left >= right || top >= bottom)
        return;
    for (LONG y = top; y < bottom; ++y)
        std::memcpy(&state.pixels[static_cast<size_t>(y) * width + left],
                    pixels + static_cast<size_t>(y) * stridePixels + left, (right - left) * sizeof(uint32_t));
    ++state.presents;
    state.sentPixels += int64_t{right - left} * (bottom - top);
}

void backend::presentLayered(Native* window, const uint32_t* pixels, int width, int height, int stridePixels,
                             const RECT& area)
{
    if (window->state.layered)
        present(window, pixels, width, height, stridePixels, area);
}

// Follows the pointer one virtual millisecond at a time until the button is released.
void backend::beginMove(Native* window)
{
    HWND hwnd = window->hwnd;
    const POINT start = display().pointer;
    const RECT startFrame = window->state.frame;
    while (display().buttonDown) {
        headless::advanceTo(display().clock + 1);
        core::serviceModalLoop();
        Native* moving = headless::findNative(hwnd);
        if (!moving)
            return;
        int x = startFrame.left + display().pointer.x - start.x;
        int y = startFrame.top + display().pointer.y - start.y;
        RECT& frame = moving->state.frame;
        if (x == frame.left && y == frame.top)
            continue;
        frame = {x, y, x + frame.right - frame.left, y + frame.bottom - frame.top};
        core::windowMoved(hwnd, x, y);
    }
}

UINT_PTR backend::popupMenu(Native*, const Menu& menu, int x, int y)
{
    display().popups.push_back({x, y, copyShown(menu)});
    UINT_PTR answer = display().nextPopupAnswer;
    display().nextPopupAnswer = 0;
    return answer;
}

void backend::messageBox(const char* text, const char* caption)
{
    display().boxes.push_back({text, caption});
}

// Scripted input is posted as it happens; there is nothing to collect.
void backend::setOpacity(Native* window, BYTE opacity)
{
    if (window)
        window->state.opacity = opacity;
}

void backend::passClicks(Native* window, bool pass)
{
    if (window)
        window->state.passesClicks = pass;
}

bool backend::controlHeld()
{
    return headless::display().controlHeld;
}

void backend::notifyIcon(const char* tooltip)
{
    headless::display().notifyIconTooltip = tooltip ? tooltip : "";
    headless::display().notifyIconShown = tooltip != nullptr;
}

// One program on the display: it hears only itself.
void backend::broadcast(const char* name, WPARAM wParam, LPARAM lParam)
{
    core::broadcastHeard(name, wParam, lParam);
}

void backend::poll() {}

uint64_t backend::now()
{
    return display().clock;
}

// Like a display's pause, it ends early when input (a scripted action) comes.
void backend::sleep(unsigned milliseconds)
{
    const headless::Display& d = headless::display();
    uint64_t end = d.clock + milliseconds;
    if (!d.script.empty())
        end = std::min(end, std::max(d.script.begin()->first, d.clock));
    headless::advanceTo(end);
}
