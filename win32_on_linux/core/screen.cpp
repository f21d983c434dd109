// The display: whether it opened, the screen's size and the pointer on it.
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

BOOL GetCursorPos(POINT* point)
{
    return point && core::displayOpen() && backend::pointer(point);
}
