#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core.h"

namespace {

// Stand-ins for handles this program asks for but never looks into.
struct Placeholder {
    char unused;
};
Placeholder instance, arrowCursor, stockObject;

}  // namespace

bool core::displayOpen()
{
    static const bool open = backend::open();
    return open;
}

HINSTANCE GetModuleHandleA(const char*)
{
    return reinterpret_cast<HINSTANCE>(&instance);
}

HCURSOR LoadCursorA(HINSTANCE, const char*)
{
    return reinterpret_cast<HCURSOR>(&arrowCursor);
}

HGDIOBJ GetStockObject(int)
{
    return &stockObject;
}

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

int GetSystemMetrics(int index)
{
    int width = 0, height = 0;
    if ((index != SM_CXSCREEN && index != SM_CYSCREEN) || !core::displayOpen())
        return 0;
    backend::screenSize(&width, &height);
    return index == SM_CXSCREEN ? width : height;
}

BOOL GetCursorPos(POINT* point)
{
    return point && core::displayOpen() && backend::pointer(point);
}

char* _getcwd(char* buffer, int size)
{
    if (!buffer || size <= 0) {
        errno = EINVAL;
        return nullptr;
    }
    return getcwd(buffer, static_cast<size_t>(size));
}
