#include "core.h"

namespace {

constexpr USHORT genericDesktopPage = 0x01;
constexpr USHORT mouseUsage = 0x02;

HWND target = nullptr;  // the window that hears of the mouse's moves

bool isMouse(const RAWINPUTDEVICE& device)
{
    return device.usUsagePage == genericDesktopPage && device.usUsage == mouseUsage;
}

}  // namespace

// The mouse alone, heard by a window whether or not it has the focus
// (RIDEV_INPUTSINK), or removed; WM_INPUT carries no data to read.
BOOL RegisterRawInputDevices(const RAWINPUTDEVICE* devices, UINT count, UINT size)
{
    if (!devices || count != 1 || size != sizeof(RAWINPUTDEVICE) || !isMouse(devices[0]))
        return FALSE;
    const RAWINPUTDEVICE& mouse = devices[0];
    if (mouse.dwFlags == RIDEV_REMOVE && !mouse.hwndTarget) {
        if (target)
            backend::watchRawMotion(false);
        target = nullptr;
        return TRUE;
    }
    if (mouse.dwFlags != RIDEV_INPUTSINK || !core::findWindow(mouse.hwndTarget) || !core::displayOpen() ||
        !backend::watchRawMotion(true))
        return FALSE;
    target = mouse.hwndTarget;
    return TRUE;
}

void core::rawMotion()
{
    if (target)
        PostMessageA(target, WM_INPUT, RIM_INPUTSINK, 0);
}

void core::forgetRawInputTarget(HWND hwnd)
{
    if (target != hwnd)
        return;
    backend::watchRawMotion(false);
    target = nullptr;
}
