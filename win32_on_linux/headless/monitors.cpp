// The headless display's monitors and scale.
#include "state.h"

std::vector<RECT> backend::monitors()
{
    const headless::Display& d = headless::display();
    return d.monitors.empty() ? std::vector<RECT>{{0, 0, d.screenWidth, d.screenHeight}} : d.monitors;
}

int backend::scaleFactor()
{
    return headless::display().scale;
}

void headless::setScale(int factor)
{
    display().scale = factor;
}

void headless::setMonitors(const std::vector<RECT>& monitors)
{
    display().monitors = monitors;
}
