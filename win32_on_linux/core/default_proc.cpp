#include "core.h"

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window)
        return 0;
    switch (message) {
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION)
            backend::beginMove(window->native);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT: {
        // A window that does not paint is still validated, or WM_PAINT would never stop.
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        return 0;
    }
    default:
        return 0;
    }
}
