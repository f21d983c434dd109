// Test control of the headless backend: an in-memory screen, a scripted pointer,
// scripted input on a virtual clock, and a record of what the program showed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/backend.h"

namespace headless {

// Forgets every window, script and record; the virtual clock restarts at 0.
void reset(int screenWidth = 1280, int screenHeight = 1024);

void setPointer(int x, int y);
// The monitors the display reports, the primary first; reset leaves the screen as the only one.
void setMonitors(const std::vector<RECT>& monitors);
// Another program's window as the window manager tells of it (id > 0), made the
// active one; activate(0) leaves none active, and a desktop window is the desktop's own.
void showOtherWindow(uint64_t id, const RECT& frame, bool maximized = false);
void activate(uint64_t id);
void setDesktopWindow(uint64_t id);
// The desktop's scale, as GDK_SCALE sets it (its DPI is 96 times it); reset makes it 1.
void setScale(int factor);
// Runs action when the virtual clock reaches ms (Sleep advances the clock).
void at(uint64_t ms, std::function<void()> action);
// The clock runs past this only by failing the test (guards against a hung loop);
// reset sets it to ten virtual minutes.
void setTimeLimit(uint64_t ms);

// Input as a display would deliver it: to the window under the pointer (keys to
// the topmost visible window), with Win32's lParam packing. A left press starts
// a window move; the pointer moves of later actions drag it until the release.
void pressKey(int virtualKey);
void holdControl(bool held);
void pressButton(UINT message);  // WM_LBUTTONDOWN or WM_RBUTTONDOWN
void releaseButton();
// A close from outside, as a window manager sends it.
void closeWindow(HWND hwnd);
// The window's pixels lost on the display (uncovered, say): a display's expose.
void expose(HWND hwnd);

// The answer the next popup menu gives (0 dismisses it).
void answerNextPopup(UINT_PTR id);
struct Popup {
    int x, y;
    Menu menu;  // a copy as shown
};
const std::vector<Popup>& popups();

struct Box {
    std::string text, caption;
};
// The notification-area icon's tooltip while it shows, else null; a click on it.
const std::string* notifyIcon();
void clickNotifyIcon(bool forMenu, POINT at);
const std::vector<Box>& messageBoxes();

// What the program asked of the display, in order: "create", "shape", "show",
// "hide", "above", "not above", "move", "destroy" (frames are not listed).
const std::vector<std::string>& calls();

struct WindowState {
    std::string title;
    RECT frame;  // screen coordinates
    bool visible = false;
    bool above = false;
    bool shaped = false;
    std::vector<RECT> shape;  // window coordinates, when shaped
    bool layered = false;  // WS_EX_LAYERED: the pixels are premultiplied, their alpha its shape
    int opacity = 255;  // the whole window's, as a compositing manager shows it
    bool passesClicks = false;  // WS_EX_TRANSPARENT on a layered window
    std::vector<uint32_t> pixels;  // what the presented frames left, width * height
    int width = 0, height = 0;
    int presents = 0;  // transfers: a frame sends one per changed area
    int64_t sentPixels = 0;
};
// The native state of a window the program made, or null.
const WindowState* window(HWND hwnd);
// What a screenshot would show at a screen point: the topmost visible window's
// presented pixel inside its shape (a layered one's blended over the desktop,
// as a compositing desktop shows it), otherwise the desktop colour.
uint32_t screenPixel(int x, int y);
constexpr uint32_t desktopColour = 0x00336699;

}  // namespace headless
