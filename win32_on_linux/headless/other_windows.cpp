// Other programs' windows on the headless display, as a test describes them.
#include "state.h"

void headless::showOtherWindow(uint64_t id, const RECT& frame, bool maximized)
{
    display().others[id] = {frame, maximized};
    display().active = id;
}

void headless::activate(uint64_t id)
{
    display().active = id;
}

void headless::setDesktopWindow(uint64_t id)
{
    display().desktop = id;
}

uint64_t backend::activeWindow()
{
    return headless::display().active;
}

uint64_t backend::desktopWindow()
{
    return headless::display().desktop;
}

// Ours sit above every id a test gives another program's window.
uint64_t backend::windowId(Native* window)
{
    return reinterpret_cast<uintptr_t>(window);
}

bool backend::describeWindow(uint64_t id, OtherWindow* described)
{
    const auto& others = headless::display().others;
    const auto found = others.find(id);
    if (found == others.end())
        return false;
    *described = found->second;
    return true;
}
