#include <algorithm>

#include "core.h"

namespace {

std::vector<std::unique_ptr<core::Window>>& table()
{
    static std::vector<std::unique_ptr<core::Window>> live;
    return live;
}

// Handles are never reused, so a stale one stays harmless. They step by 4 so
// that handle + 1 can name the window's own device context.
uintptr_t nextHandle = 0x10010;

HWND newHandle()
{
    uintptr_t value = nextHandle;
    nextHandle += 4;
    return reinterpret_cast<HWND>(value);
}

void forget(HWND hwnd)
{
    auto& live = table();
    auto it = std::find_if(live.begin(), live.end(), [&](const auto& w) { return w->handle == hwnd; });
    if (it == live.end())
        return;
    core::forgetRawInputTarget(hwnd);
    backend::destroyWindow((*it)->native);
    DeleteObject((*it)->region);
    live.erase(it);
}

}  // namespace

const std::vector<std::unique_ptr<core::Window>>& core::windows()
{
    return table();
}

core::Window* core::findWindow(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    for (const auto& window : table())
        if (window->handle == hwnd)
            return window.get();
    return nullptr;
}

core::Window* core::findWindowByDc(HDC dc)
{
    auto value = reinterpret_cast<uintptr_t>(dc);
    return value % 4 == 1 ? findWindow(reinterpret_cast<HWND>(value - 1)) : nullptr;
}

HDC core::ownDc(HWND hwnd)
{
    return reinterpret_cast<HDC>(reinterpret_cast<uintptr_t>(hwnd) + 1);
}

HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD, int x, int y, int width,
                     int height, HWND, HMENU, HINSTANCE, void*)
{
    WNDPROC proc = core::classProcedure(className);
    if (!proc || !core::displayOpen())
        return nullptr;
    auto window = std::make_unique<core::Window>();
    window->handle = newHandle();
    window->proc = proc;
    window->frame = core::frameAt(x, y, width, height);
    window->layered = (exStyle & WS_EX_LAYERED) != 0;
    window->exStyle = exStyle;
    window->native =
        backend::createWindow(window->handle, windowName ? windowName : "", window->frame, window->layered);
    if (!window->native)
        return nullptr;
    HWND hwnd = window->handle;
    table().push_back(std::move(window));
    // As in Win32, -1 from WM_CREATE refuses the window.
    if (SendMessageA(hwnd, WM_CREATE, 0, 0) == -1)
        DestroyWindow(hwnd);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window || window->destroying)
        return FALSE;
    window->destroying = true;
    if (window->visible)
        backend::show(window->native, false);
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    core::killWindowTimers(hwnd);
    core::removeWindowMessages(hwnd);
    forget(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd)
{
    return core::findWindow(hwnd) != nullptr;
}

void core::reset()
{
    while (!table().empty())
        forget(table().back()->handle);
    clearTimers();
    clearQueue();
}
