#include "app/into_view.h"

#include <algorithm>

#include "app/popup_menu.h"

namespace {

// Whole inside the area, as far as its size allows.
LONG inside(LONG start, LONG size, LONG areaStart, LONG areaEnd)
{
    return std::max(areaStart, std::min(start, areaEnd - size));
}

}  // namespace

void bringIntoView(HWND hwnd)
{
    RECT frame{};
    MONITORINFO monitor{sizeof monitor};
    if (GetWindowRect(hwnd, &frame) && !MonitorFromRect(&frame, MONITOR_DEFAULTTONULL) &&
        GetMonitorInfoA(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
        const RECT& area = monitor.rcWork;
        MoveWindow(hwnd, inside(frame.left, width, area.left, area.right),
                   inside(frame.top, height, area.top, area.bottom), width, height, TRUE);
    }
    // Raised with the topmost ones; left there only while "Always on top" is checked.
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!isAlwaysOnTop())
        SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
