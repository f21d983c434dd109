#include "core.h"

namespace {

RECT clientArea(const core::Window& window)
{
    return {0, 0, core::width(window.frame), core::height(window.frame)};
}

}  // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window)
        return FALSE;
    const RECT client = clientArea(*window);
    RECT area = client;
    if (rect ? !IntersectRect(&area, rect, &client) : IsRectEmpty(&area))
        return TRUE;
    if (window->invalid)
        UnionRect(&window->update, &window->update, &area);
    else
        window->update = area;
    window->invalid = true;
    window->erase = window->erase || erase;
    return TRUE;
}

// Paints now, without a trip through the queue, when anything is invalid. A
// hidden window paints nothing, as in Win32: what is invalid waits for its show.
BOOL UpdateWindow(HWND hwnd)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window)
        return FALSE;
    if (core::needsPaint(*window))
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

// WM_PAINT stays until BeginPaint validates the window, as in Win32, and
// comes only while the window is shown.
bool core::takePaint(const MessageFilter& filter, MSG* msg)
{
    for (const auto& window : windows()) {
        if (core::needsPaint(*window) && filter.accepts(window->handle, WM_PAINT)) {
            *msg = MSG{window->handle, WM_PAINT, 0, 0, 0, {}};
            stamp(msg);
            return true;
        }
    }
    return false;
}
