#include <algorithm>
#include <vector>

#include "core.h"

namespace {

constexpr UINT shortestPeriod = 10;  // USER_TIMER_MINIMUM
constexpr UINT longestPeriod = 0x7FFFFFFF;  // USER_TIMER_MAXIMUM

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT period;
    uint64_t due;
};

std::vector<Timer>& timers()
{
    static std::vector<Timer> running;
    return running;
}

std::vector<Timer>::iterator findTimer(HWND hwnd, UINT_PTR id)
{
    return std::find_if(timers().begin(), timers().end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
}

// Periods stay on their grid; periods missed while nobody looked make one WM_TIMER.
void reschedule(Timer& timer, uint64_t now)
{
    uint64_t missed = (now - timer.due) / timer.period;
    timer.due += (missed + 1) * timer.period;
}

}  // namespace

// Timers belong to a window; thread timers and callbacks are not served.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC callback)
{
    if (!core::findWindow(hwnd) || callback)
        return 0;
    UINT period = std::clamp(milliseconds, shortestPeriod, longestPeriod);
    uint64_t due = backend::now() + period;
    auto existing = findTimer(hwnd, id);
    if (existing != timers().end())
        *existing = {hwnd, id, period, due};
    else
        timers().push_back({hwnd, id, period, due});
    return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    auto timer = findTimer(hwnd, id);
    if (timer == timers().end())
        return FALSE;
    timers().erase(timer);
    return TRUE;
}

bool core::takeTimer(const MessageFilter& filter, bool remove, MSG* msg)
{
    if (timers().empty())
        return false;
    uint64_t now = backend::now();
    Timer* earliest = nullptr;
    for (Timer& timer : timers())
        if (timer.due <= now && filter.accepts(timer.hwnd, WM_TIMER) && (!earliest || timer.due < earliest->due))
            earliest = &timer;
    if (!earliest)
        return false;
    *msg = MSG{earliest->hwnd, WM_TIMER, earliest->id, 0, 0, {}};
    stamp(msg);
    if (remove)
        reschedule(*earliest, now);
    return true;
}

uint64_t core::untilNextTimer(uint64_t cap)
{
    uint64_t now = backend::now();
    uint64_t until = cap;
    for (const Timer& timer : timers())
        until = std::min(until, timer.due > now ? timer.due - now : 0);
    return until;
}

void core::killWindowTimers(HWND hwnd)
{
    auto& all = timers();
    all.erase(std::remove_if(all.begin(), all.end(), [&](const Timer& t) { return t.hwnd == hwnd; }), all.end());
}

void core::clearTimers()
{
    timers().clear();
}
