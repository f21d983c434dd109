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
    if (found || monitors.empty())
        return found;
    if (flags == MONITOR_DEFAULTTONEAREST) {
        // The one nearest the rectangle's middle.
        const POINT middle{LONG((int64_t{rect->left} + rect->right) / 2), LONG((int64_t{rect->top} + rect->bottom) / 2)};
        return MonitorFromPoint(middle, flags);
    }
    return flags == MONITOR_DEFAULTTOPRIMARY ? handleOf(0) : nullptr;
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags)
{
    std::vector<RECT> monitors = knownMonitors();
    for (size_t i = 0; i < monitors.size(); ++i)
        if (point.x >= monitors[i].left && point.x < monitors[i].right && point.y >= monitors[i].top &&
            point.y < monitors[i].bottom)
            return handleOf(i);
    if (monitors.empty() || flags == MONITOR_DEFAULTTONULL)
        return nullptr;
    if (flags != MONITOR_DEFAULTTONEAREST)
        return handleOf(0);
    // Off every monitor: the one whose edge is nearest.
    auto distance = [&](const RECT& r) {
        int64_t dx = std::max<int64_t>({0, int64_t{r.left} - point.x, int64_t{point.x} - (r.right - 1)});
        int64_t dy = std::max<int64_t>({0, int64_t{r.top} - point.y, int64_t{point.y} - (r.bottom - 1)});
        return dx * dx + dy * dy;
    };
    auto nearest = std::min_element(monitors.begin(), monitors.end(),
                                    [&](const RECT& a, const RECT& b) { return distance(a) < distance(b); });
    return handleOf(size_t(nearest - monitors.begin()));
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
