// Monitors as the display tells them; an HMONITOR is a monitor's place in that
// list plus one, the primary first.
#include <algorithm>

#include "core.h"

namespace {

std::vector<RECT> knownMonitors()
{
    return core::displayOpen() ? backend::monitors() : std::vector<RECT>{};
}

HMONITOR handleOf(size_t index)
{
    return reinterpret_cast<HMONITOR>(index + 1);
}

int64_t sharedArea(const RECT& a, const RECT& b)
{
    int64_t width = int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
    int64_t height = int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

}  // namespace

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags)
{
    if (!rect)
        return nullptr;
    // The monitor that shows most of the rectangle, as in Win32.
    std::vector<RECT> monitors = knownMonitors();
    int64_t most = 0;
    HMONITOR found = nullptr;
    for (size_t i = 0; i < monitors.size(); ++i)
        if (int64_t area = sharedArea(monitors[i], *rect); area > most) {
            most = area;
            found = handleOf(i);
        }
    if (found)
        return found;
    return flags == MONITOR_DEFAULTTOPRIMARY && !monitors.empty() ? handleOf(0) : nullptr;
}

BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info)
{
    std::vector<RECT> monitors = knownMonitors();
    size_t index = reinterpret_cast<uintptr_t>(monitor) - 1;
    if (!info || info->cbSize < sizeof(MONITORINFO) || index >= monitors.size())
        return FALSE;
    info->rcMonitor = info->rcWork = monitors[index];
    info->dwFlags = index == 0 ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}
