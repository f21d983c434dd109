#include "app/see_through.h"

#include "settings/settings.h"

void applyOpacity(HWND hwnd, FrameState& frame, const Skin& skin)
{
    const BYTE alpha = BYTE(loadOpacity() * 255 / 100);
    if (skin.hasAlpha) {
        frame.surface.opacity = alpha;
        return;
    }
    // An opaque face stays a plain window, which costs the system nothing to blend.
    if (alpha == 255)
        return;
    SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd, 0, alpha, LWA_ALPHA);
}
