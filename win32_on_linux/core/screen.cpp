// The display: whether it opened, the screen's size and DPI, and the pointer on it.
#include "core.h"

bool core::displayOpen()
{
    static const bool open = backend::open();
    return open;
}

int GetSystemMetrics(int index)
{
    int width = 0, height = 0;
    if ((index != SM_CXSCREEN && index != SM_CYSCREEN) || !core::displayOpen())
        return 0;
    backend::screenSize(&width, &height);
    return index == SM_CXSCREEN ? width : height;
}

namespace {

struct ScreenDc {
} screenDc;

HDC screenDcHandle()
{
    return reinterpret_cast<HDC>(&screenDc);
}

}  // namespace

HDC GetDC(HWND hwnd)
{
    return hwnd == nullptr && core::displayOpen() ? screenDcHandle() : nullptr;
}

int ReleaseDC(HWND, HDC dc)
{
    return dc == screenDcHandle();
}

int GetDeviceCaps(HDC dc, int index)
{
    if (dc != screenDcHandle() || (index != LOGPIXELSX && index != LOGPIXELSY))
        return 0;
    return 96 * backend::scaleFactor();
}

BOOL GetCursorPos(POINT* point)
{
    return point && core::displayOpen() && backend::pointer(point);
}

short GetAsyncKeyState(int virtualKey)
{
    return virtualKey == VK_CONTROL && core::displayOpen() && backend::controlHeld() ? short(0x8000) : 0;
}
