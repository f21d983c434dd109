#include <algorithm>

#include "core.h"

namespace {

bool isEmpty(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

RECT clientArea(const core::Window& window)
{
    return {0, 0, core::width(window.frame), core::height(window.frame)};
}

RECT intersection(const RECT& a, const RECT& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

RECT boundingBox(const RECT& a, const RECT& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

}  // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window)
        return FALSE;
    RECT area = rect ? intersection(*rect, clientArea(*window)) : clientArea(*window);
    if (isEmpty(area))
        return TRUE;
    window->update = window->invalid ? boundingBox(window->update, area) : area;
    window->invalid = true;
    window->erase = window->erase || erase;
    return TRUE;
}

// Paints now, without a trip through the queue, when anything is invalid.
BOOL UpdateWindow(HWND hwnd)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window)
        return FALSE;
    if (window->invalid)
        SendMessageA(hwnd, WM_PAINT, 0, 0);
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window || !paint)
        return nullptr;
    bool erase = window->erase;
    paint->hdc = core::ownDc(hwnd);
    paint->rcPaint = window->invalid ? window->update : RECT{};
    window->invalid = false;
    window->erase = false;
    // As in Win32 the window is offered the erase first; fErase says it did not take it.
    paint->fErase = erase && !SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0);
    return paint->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT*)
{
    return TRUE;
}

// WM_PAINT stays until BeginPaint validates the window, as in Win32.
bool core::takePaint(const MessageFilter& filter, MSG* msg)
{
    for (const auto& window : windows()) {
        if (window->invalid && filter.accepts(window->handle, WM_PAINT)) {
            *msg = MSG{window->handle, WM_PAINT, 0, 0, 0, {}};
            stamp(msg);
            return true;
        }
    }
    return false;
}
