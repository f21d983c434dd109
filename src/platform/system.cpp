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

void Sleep(DWORD milliseconds)
{
    backend::sleep(milliseconds);
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
