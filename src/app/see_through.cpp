#include "app/see_through.h"

#include "settings/settings.h"

namespace {

bool clickThrough = false;
bool faded = false;   // the pointer is over the face
bool taking = false;  // Ctrl is held over it: the face takes clicks

void showAt(HWND hwnd, FrameState& frame, const Skin& skin, int percent)
{
    const BYTE alpha = BYTE(percent * 255 / 100);
    if (skin.hasAlpha) {
        // Every frame is blended with it: the whole face is sent again.
        frame.surface.opacity = alpha;
        forgetShownFrame(frame);
        InvalidateRect(hwnd, nullptr, FALSE);
        return;
    }
    SetLayeredWindowAttributes(hwnd, 0, alpha, LWA_ALPHA);
}

void passClicks(HWND hwnd, bool pass)
{
    const LONG style = GetWindowLongA(hwnd, GWL_EXSTYLE);
    SetWindowLongA(hwnd, GWL_EXSTYLE, pass ? style | WS_EX_TRANSPARENT : style & ~LONG(WS_EX_TRANSPARENT));
}

// By the pointer the tick has just read, in the face's own pixels: no second read.
bool pointerOver(const FrameState& frame, const Skin& skin)
{
    const POINT at = frame.pointer;
    return frame.pointerRead && at.x >= 0 && at.y >= 0 && at.x < skin.getWidth() && at.y < skin.getHeight();
}

}  // namespace

void applySeeThrough(HWND hwnd, FrameState& frame, const Skin& skin)
{
    clickThrough = loadClickThrough();
    faded = taking = false;
    // An opaque face that takes clicks stays a plain window, which costs nothing to blend.
    if (!skin.hasAlpha && loadOpacity() == 100 && !clickThrough)
        return;
    if (!skin.hasAlpha)
        SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    showAt(hwnd, frame, skin, loadOpacity());
    passClicks(hwnd, clickThrough);
}

void seeThroughTicked(HWND hwnd, FrameState& frame, const Skin& skin)
{
    if (!clickThrough)
        return;
    const bool over = pointerOver(frame, skin);
    const bool ctrl = over && (GetAsyncKeyState(VK_CONTROL) & 0x8000);
    if (ctrl != taking) {
        taking = ctrl;
        passClicks(hwnd, !taking);
    }
    if ((over && !ctrl) != faded) {
        faded = over && !ctrl;
        showAt(hwnd, frame, skin, faded ? loadOpacity() / 4 : loadOpacity());
    }
}

bool isClickThrough()
{
    return clickThrough;
}

void setClickThrough(HWND hwnd, FrameState& frame, const Skin& skin, bool on)
{
    saveClickThrough(on);
    applySeeThrough(hwnd, frame, skin);
    if (!on) {
        passClicks(hwnd, false);
        showAt(hwnd, frame, skin, loadOpacity());
    }
}
