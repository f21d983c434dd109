// Time as the program sees it: the pause between passes of its loop, and the tick count.
#include <algorithm>

#include "core.h"

// The main loop sleeps a millisecond after every pass. After a pass that found
// nothing, only input or a timer can bring work; the backend's pause ends at the
// first input, so the pause may last until the next timer. That spares a thousand
// wake-ups a second while the program waits.
void Sleep(DWORD milliseconds)
{
    constexpr uint64_t longestIdlePause = 1000;
    uint64_t pause = core::idle() ? std::max<uint64_t>(milliseconds, core::untilNextTimer(longestIdlePause))
                                  : milliseconds;
    backend::sleep(static_cast<unsigned>(pause));
}

DWORD GetTickCount()
{
    return static_cast<DWORD>(backend::now());
}
