// Other programs' windows, which this program only looks at: the one in front
// and the desktop's own. Their handles are the backend's ids made odd, so they
// never meet the handles of our windows, which are even addresses.
#include "core.h"

namespace {

HWND handleOf(uint64_t id)
{
    return id ? reinterpret_cast<HWND>(static_cast<uintptr_t>(id << 1 | 1)) : nullptr;
}

bool isOther(HWND hwnd, uint64_t* id)
{
    const auto value = reinterpret_cast<uintptr_t>(hwnd);
    *id = value >> 1;
    return (value & 1) != 0;
}

bool describe(HWND hwnd, backend::OtherWindow* described)
{
    uint64_t id = 0;
    return isOther(hwnd, &id) && core::displayOpen() && backend::describeWindow(id, described);
}

}  // namespace

HWND GetForegroundWindow()
{
    if (!core::displayOpen())
        return nullptr;
    const uint64_t active = backend::activeWindow();
    for (const auto& window : core::windows())
        if (active && backend::windowId(window->native) == active)
            return window->handle;
    return handleOf(active);
}

HWND GetShellWindow()
{
    return core::displayOpen() ? handleOf(backend::desktopWindow()) : nullptr;
}

// Our windows are never maximised.
BOOL IsZoomed(HWND hwnd)
{
    backend::OtherWindow described;
    return describe(hwnd, &described) && described.maximized;
}

// The layer keeps no class names: another program's window has none it can tell.
int GetClassNameA(HWND, char* name, int size)
{
    if (name && size > 0)
        name[0] = '\0';
    return 0;
}

BOOL core::otherWindowRect(HWND hwnd, RECT* rect)
{
    backend::OtherWindow described;
    if (!describe(hwnd, &described))
        return FALSE;
    *rect = described.frame;
    return TRUE;
}

BOOL SetForegroundWindow(HWND hwnd)
{
    return core::findWindow(hwnd) != nullptr;
}
