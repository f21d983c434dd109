#include "checker/preview.h"

#include "eyes/paint.h"
#include "globals/globals.h"
#include "skin/skin.h"

namespace {

const char* const previewClass = "glimora-check";

void registerPreviewClass()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = previewClass;
    RegisterClassA(&windowClass);  // refused from the second time on, when it is there already
}

}  // namespace

// The painter reads the pointer from the screen and the window's place from
// g_hwnd: a window never shown, placed so that the pointer falls on the asked
// point, gets the frame a window there would. It is painted into memory.
Frame paintFrame(Skin& skin, POINT pointer)
{
    registerPreviewClass();
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    const int width = skin.getWidth(), height = skin.getHeight();
    HWND previous = g_hwnd;
    g_hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, previewClass, "preview", WS_POPUP, cursor.x - pointer.x,
                             cursor.y - pointer.y, width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    Frame frame;
    if (g_hwnd && canvas) {
        HGDIOBJ before = SelectObject(dc, canvas);
        paintEyes(&skin, dc);
        GdiFlush();
        const uint32_t* pixels = static_cast<const uint32_t*>(bits);
        frame = {width, height, std::vector<uint32_t>(pixels, pixels + size_t(width) * height)};
        for (uint32_t& pixel : frame.pixels)
            pixel &= 0xFFFFFF;
        SelectObject(dc, before);
    }
    if (canvas)
        DeleteObject(canvas);
    DeleteDC(dc);
    if (g_hwnd)
        DestroyWindow(g_hwnd);
    g_hwnd = previous;
    return frame;
}
