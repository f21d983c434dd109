// The headless display's monitors; its screen is never scaled.
#include "state.h"

std::vector<RECT> backend::monitors()
{
    const headless::Display& d = headless::display();
    return d.monitors.empty() ? std::vector<RECT>{{0, 0, d.screenWidth, d.screenHeight}} : d.monitors;
}

POINT backend::toScreenPixels(POINT point)
{
    return point;
}

POINT backend::fromScreenPixels(POINT point)
{
    return point;
}

void headless::setMonitors(const std::vector<RECT>& monitors)
{
    display().monitors = monitors;
}
