#include "checker/preview.h"

#include "eyes/paint.h"
#include "globals/globals.h"
#include "platform/headless/headless.h"
#include "skin/skin.h"

namespace {

const char* const previewClass = "glimora-check";

void registerPreviewClass()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = previewClass;
    RegisterClassA(&windowClass);  // refused from the second time on, when it is there already
}

}  // namespace

Frame paintFrame(Skin& skin, POINT pointer)
{
    registerPreviewClass();
    // The painter reads the window's place from g_hwnd; at the screen's origin
    // window and screen coordinates are the same.
    HWND previous = g_hwnd;
    g_hwnd = CreateWindowExA(0, previewClass, "preview", WS_POPUP, 0, 0, skin.getWidth(), skin.getHeight(), nullptr,
                             nullptr, nullptr, nullptr);
    Frame frame;
    if (g_hwnd) {
        headless::setPointer(pointer.x, pointer.y);
        PAINTSTRUCT paint;
        BeginPaint(g_hwnd, &paint);
        paintEyes(&skin, paint.hdc);
        EndPaint(g_hwnd, &paint);
        const headless::WindowState* state = headless::window(g_hwnd);
        frame = {state->width, state->height, state->pixels};
        DestroyWindow(g_hwnd);
    }
    g_hwnd = previous;
    return frame;
}
