#include "core.h"
#include "region.h"

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window)
        return 0;
    if (window->region != region)
        DeleteObject(window->region);
    window->region = region;
    window->shapeSet = true;
    core::applyShape(*window);
    if (redraw)
        InvalidateRect(hwnd, nullptr, TRUE);
    return 1;
}

void core::applyShape(Window& window)
{
    if (!window.shapeSet)
        return;
    if (window.region) {
        std::vector<RECT> rects = regionRects(window.region);
        backend::shape(window.native, rects.data(), rects.size());
    } else {
        RECT whole{0, 0, width(window.frame), height(window.frame)};
        backend::shape(window.native, &whole, 1);
    }
}
