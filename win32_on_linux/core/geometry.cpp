#include "core.h"

namespace {

// Moves and sizes through the backend; a new size needs a new frame painted.
void setFrame(core::Window& window, const RECT& frame, bool repaint)
{
    bool resized = core::width(frame) != core::width(window.frame) || core::height(frame) != core::height(window.frame);
    window.frame = frame;
    backend::move(window.native, frame);
    if (!resized)
        return;
    core::applyShape(window);
    if (repaint)
        InvalidateRect(window.handle, nullptr, TRUE);
}

}  // namespace

BOOL ShowWindow(HWND hwnd, int command)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window)
        return FALSE;
    bool wasVisible = window->visible;
    window->visible = command != SW_HIDE;
    if (window->visible != wasVisible)
        backend::show(window->native, window->visible);
    // As in Win32, a window shown again is erased and painted whole, whatever the backend tells.
    if (window->visible && !wasVisible)
        InvalidateRect(hwnd, nullptr, TRUE);
    return wasVisible;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window)
        return FALSE;
    if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)
        backend::keepAbove(window->native, insertAfter == HWND_TOPMOST);
    if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) == (SWP_NOMOVE | SWP_NOSIZE))
        return TRUE;
    const RECT& now = window->frame;
    RECT frame = core::frameAt(flags & SWP_NOMOVE ? now.left : x, flags & SWP_NOMOVE ? now.top : y,
                         flags & SWP_NOSIZE ? core::width(now) : cx, flags & SWP_NOSIZE ? core::height(now) : cy);
    setFrame(*window, frame, true);
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window)
        return FALSE;
    setFrame(*window, core::frameAt(x, y, width, height), repaint);
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect)
{
    core::Window* window = core::findWindow(hwnd);
    if (!rect)
        return FALSE;
    if (!window)
        return core::otherWindowRect(hwnd, rect);
    *rect = window->frame;
    return TRUE;
}

// Borderless windows: the client area starts at the window's corner.
BOOL ClientToScreen(HWND hwnd, POINT* point)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window || !point)
        return FALSE;
    point->x += window->frame.left;
    point->y += window->frame.top;
    return TRUE;
}

void core::windowMoved(HWND hwnd, int x, int y)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window)
        return;
    window->frame = frameAt(x, y, width(window->frame), height(window->frame));
}
