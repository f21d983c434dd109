// The seam between the shared Win32 core and a display backend. The core keeps
// the Win32 semantics (queue, windows, timers, menus, regions); a backend only
// shows, shapes, moves and stacks native windows, reads the pointer, pops up a
// menu or a message box, and turns native input into posted messages.
// Exactly one backend is linked into each program: desktop or headless.
#pragma once

#include <win32_api.h>

#include <cstdint>
#include <string>
#include <vector>

struct MenuItem;

// A popup menu as the core keeps it; HMENU points at one of these.
struct Menu {
    std::vector<MenuItem> items;
};

struct MenuItem {
    UINT flags = 0;   // MF_STRING, MF_SEPARATOR or MF_POPUP
    UINT_PTR id = 0;  // command id (0 for separators and submenus)
    std::string text;
    bool checked = false;
    bool radio = false;  // one of a group, checked with a bullet (CheckMenuRadioItem)
    Menu* submenu = nullptr;  // owned by the core, set for MF_POPUP
};

namespace backend {

struct Native;  // a backend's own window

// Connects to the display once; false when there is none (no window can be made).
bool open();

// Sizes, places and the pointer are in screen pixels, as Windows gives them to a
// DPI-aware program.
void screenSize(int* width, int* height);
bool pointer(POINT* screenPoint);
// Whether a Ctrl key is held now.
bool controlHeld();
// Starts or stops telling core::rawMotion of the pointer device's moves (a
// warp by a program is not one); false when the backend cannot tell them.
bool watchRawMotion(bool on);
// The monitors' areas, the primary first; empty when the display tells none.
std::vector<RECT> monitors();
// The desktop's whole-number scale (GTK's window scale): its DPI is 96 times it.
int scaleFactor();

// Other programs' windows, as the window manager tells of them, by an id (0 for
// none); the answers come from what it announced, without a round trip at rest.
struct OtherWindow {
    RECT frame{};  // in window pixels
    bool maximized = false;
};
// The active window (one of ours when it is some windowId), and the desktop's own
// window, once seen.
uint64_t activeWindow();
uint64_t desktopWindow();
uint64_t windowId(Native* window);
// False when the window is gone or was never active.
bool describeWindow(uint64_t id, OtherWindow* described);

// A layered window (WS_EX_LAYERED) shows only what presentLayered gives it.
Native* createWindow(HWND hwnd, const char* title, const RECT& frame, bool layered);
void destroyWindow(Native* window);
void show(Native* window, bool visible);
void move(Native* window, const RECT& frame);
void keepAbove(Native* window, bool above);
// The whole window at this opacity (255 opaque), where a compositing manager shows it.
void setOpacity(Native* window, BYTE opacity);
// Clicks, drags and the wheel go to what is under the window, or to it again.
void passClicks(Native* window, bool pass);
// The visible and clickable area, in window coordinates; no rectangles shows nothing.
void shape(Native* window, const RECT* rects, size_t count);
// A frame of 0x00RRGGBB pixels at the window's top-left corner, of which only the
// area is sent (in one transfer); the rest of the window keeps what it showed.
void present(Native* window, const uint32_t* pixels, int width, int height, int stridePixels, const RECT& area);
// A layered window's premultiplied 0xAARRGGBB pixels, of which the area changed.
// Its alpha shapes the window: blended with the desktop where a compositing
// manager runs, else the pixels of at least half opacity, opaque.
void presentLayered(Native* window, const uint32_t* pixels, int width, int height, int stridePixels,
                    const RECT& area);

// Window-manager move from the current pointer position; returns when the button is up.
void beginMove(Native* window);
// Modal popup menu at a screen point; returns the chosen command id, or 0 when dismissed.
UINT_PTR popupMenu(Native* window, const Menu& menu, int x, int y);
void messageBox(const char* text, const char* caption);

// The program's icon in the notification area with this tooltip (UTF-8), or
// none for null; clicks on it come to core::notifyIconClicked.
void notifyIcon(const char* tooltip);

// A registered message, by its name, to every program's windows on the display,
// this one's included, each of which hears it through core::broadcastHeard.
void broadcast(const char* name, WPARAM wParam, LPARAM lParam);

// Turns pending native input into PostMessageA / InvalidateRect calls on the core; never blocks.
void poll();
// Milliseconds on a monotonic clock, and a pause of about that long.
uint64_t now();
void sleep(unsigned milliseconds);

}  // namespace backend

// Services the core offers to backends, beyond the Win32 calls themselves.
namespace core {
// The window manager (or a drag) moved the window: keep GetWindowRect truthful.
void windowMoved(HWND hwnd, int x, int y);
// A registered message broadcast by name: posted to this program's windows
// when it registered the name too.
void broadcastHeard(const char* name, WPARAM wParam, LPARAM lParam);
// The notification-area icon was activated (a left click) or asked for its menu,
// at a point in screen pixels.
void notifyIconClicked(bool forMenu, POINT at);
// The pointing device moved while raw motion is watched.
void rawMotion();
// Called often from a backend's modal loop (a move, a popup menu): like Win32's,
// such loops keep timers and painting going, so the window stays alive meanwhile.
void serviceModalLoop();
// Whether PostQuitMessage was called and the loop has not yet taken WM_QUIT:
// a modal loop then ends at once, as Win32's own do.
bool quitPending();
// The session ends without the loop (the display is gone): every window gets
// WM_ENDSESSION to store what it must, then the process ends with status 0.
[[noreturn]] void endSession();
// Forgets every window (without messages), timer, queued message and quit
// request, keeping the registered classes: a headless test starts afresh.
void reset();
}  // namespace core
