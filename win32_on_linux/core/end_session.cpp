// The end of a session that the loop cannot see through: like Windows at
// log-off, every window is told with WM_ENDSESSION, then the process ends.
#include <cstdio>
#include <cstdlib>

#include "core.h"

void core::endSession()
{
    std::vector<HWND> handles;
    for (const auto& window : windows())
        handles.push_back(window->handle);
    for (HWND hwnd : handles)
        SendMessageA(hwnd, WM_ENDSESSION, TRUE, LPARAM(ENDSESSION_LOGOFF));
    // Nothing that runs at exit may reach for the display that is gone.
    std::fflush(nullptr);
    std::_Exit(0);
}
