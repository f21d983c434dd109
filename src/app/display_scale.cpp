#include "app/display_scale.h"

#include <algorithm>

int scaleForDpi(unsigned dpi)
{
    // Past 8 (768 DPI) a face would no longer fit the largest screens: a misread value.
    return std::clamp<int>(int((std::min(dpi, 96u * 9) + 48) / 96), 1, 8);
}

unsigned screenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? unsigned(dpi) : 96;
}
