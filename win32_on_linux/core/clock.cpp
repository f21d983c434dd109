// Time as the program sees it: a pause, and the tick count.
#include "core.h"

void Sleep(DWORD milliseconds)
{
    backend::sleep(static_cast<unsigned>(milliseconds));
}

DWORD GetTickCount()
{
    return static_cast<DWORD>(backend::now());
}
