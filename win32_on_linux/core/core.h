// What the platform core's parts share among themselves: the window table and
// the pieces of the message queue that windows, painting and timers feed.
#pragma once

#include <allegro.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "backend.h"

namespace core {

struct Window {
    HWND handle = nullptr;
    WNDPROC proc = nullptr;
    backend::Native* native = nullptr;
    RECT frame{};  // screen coordinates
    bool visible = false;
    bool layered = false;  // WS_EX_LAYERED: shows only what UpdateLayeredWindowIndirect gives it
    DWORD exStyle = 0;
    BYTE opacity = 255;  // as the backend last showed it
    bool destroying = false;
    HRGN region = nullptr;  // owned; null means the whole window
    bool shapeSet = false;  // SetWindowRgn was called: the backend holds our shape
    bool invalid = false;
    bool erase = false;
    RECT update{};  // window coordinates, meaningful while invalid
    const RGB* palette = nullptr;  // kept for the device context, never needed at 32 bits
};

// Whether WM_PAINT is due: something is invalid and the window is shown.
inline bool needsPaint(const Window& window) { return window.invalid && window.visible; }

// The procedure of a registered class, by name or atom; null when there is none.
WNDPROC classProcedure(const char* className);

// Null for anything that is not a live window (or its device context).
Window* findWindow(HWND hwnd);
Window* findWindowByDc(HDC dc);
HDC ownDc(HWND hwnd);
// The live windows in creation order.
const std::vector<std::unique_ptr<Window>>& windows();

inline int width(const RECT& r) { return r.right - r.left; }
inline int height(const RECT& r) { return r.bottom - r.top; }
// A window frame; negative sizes count as 0, as in Win32, and edges stop at the coordinate range.
inline RECT frameAt(int x, int y, int width, int height)
{
    auto edge = [](int start, int size) {
        return static_cast<LONG>(std::min<int64_t>(int64_t{start} + std::max(size, 0), INT32_MAX));
    };
    return {x, y, edge(x, width), edge(y, height)};
}

// The whole window's opacity, told to the backend only when it changes.
void setOpacity(Window& window, BYTE opacity);

// PostMessageA to HWND_BROADCAST: a registered message goes to every program by its name.
BOOL broadcast(UINT message, WPARAM wParam, LPARAM lParam);

// Connects to the display on first use; the answer never changes afterwards.
bool displayOpen();

// Which messages a PeekMessageA call takes: one window or all, and a range (0, 0 for all).
struct MessageFilter {
    HWND hwnd;
    UINT first, last;
    bool accepts(HWND target, UINT message) const
    {
        bool inRange = (first == 0 && last == 0) || (message >= first && message <= last);
        return (!hwnd || target == hwnd) && inRange;
    }
};

// The generated messages, each offered only when nothing earlier in the queue's order is.
bool takePaint(const MessageFilter& filter, MSG* msg);
bool takeTimer(const MessageFilter& filter, bool remove, MSG* msg);
void stamp(MSG* msg);

// Hands the window's shape to the backend once SetWindowRgn has set one; a null
// region is the whole window, so it is handed again after every resize.
void applyShape(Window& window);

// Milliseconds until the next timer is due (0 when one is due); none gives the cap.
uint64_t untilNextTimer(uint64_t cap);
// Another program's window, as GetForegroundWindow handed it out.
BOOL otherWindowRect(HWND hwnd, RECT* rect);

// DeleteObject of a DIB section; false for anything else.
bool deleteBitmap(HGDIOBJ object);

// What a window leaves behind when it goes.
void forgetRawInputTarget(HWND hwnd);
void killWindowTimers(HWND hwnd);
void removeWindowMessages(HWND hwnd);
void clearTimers();
void clearQueue();

}  // namespace core
