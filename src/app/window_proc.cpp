#include "app/window_proc.h"

#include "app/eyes_timer.h"
#include "app/full_screen.h"
#include "app/into_view.h"
#include "app/one_face.h"
#include "app/popup_menu.h"
#include "app/see_through.h"
#include "app/tray_icon.h"
#include "app/winmain.h"
#include "frame/paint.h"
#include "globals/globals.h"
#include "settings/settings.h"

namespace {

// The window's frames: what the last look saw and what the window shows.
FrameState frame;

// Whole notches from wheel deltas: fine-grained wheels send parts of one, which add up.
int wheelNotches(int delta)
{
    static int pending = 0;
    pending += delta;
    const int notches = pending / WHEEL_DELTA;
    pending -= notches * WHEEL_DELTA;
    return notches;
}

void paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    paintChangedEyes(frame, g_skin, hwnd, ps.hdc);
    EndPaint(hwnd, &ps);
}

// Reads the pointer once and paints at once what it changes: a paint left to the
// queue would cost the loop another wake-up. Whether the face changed.
bool lookAndPaint(HWND hwnd)
{
    const bool changed = lookAtPointer(frame, g_skin, hwnd);
    if (changed) {
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
    }
    return changed;
}

void openMenuAt(HWND hwnd, LPARAM lParam)
{
    POINT point = {static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
    ClientToScreen(hwnd, &point);
    TrackPopupMenu(g_menu, 0, point.x, point.y, 0, hwnd, nullptr);
}

}  // namespace

LRESULT CALLBACK EyesWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == comeIntoViewMessage()) {
        if (isClickThrough() && g_skin)
            setClickThrough(hwnd, frame, *g_skin, false);
        bringIntoView(hwnd);
        return 0;
    }
    if (message == taskbarCreatedMessage())
        addTrayIcon(hwnd);
    switch (message) {
    case WM_CREATE:
        buildPopupMenu();
        forgetFullScreen();
        addTrayIcon(hwnd);
        if (g_skin)
            applySeeThrough(hwnd, frame, *g_skin);
        break;
    case WM_DESTROY:
        removeTrayIcon(hwnd);
        stopEyesTimer(hwnd);
        destroyPopupMenu();
        releaseFrame(frame);
        break;
    case WM_ERASEBKGND:
        // Only the system asks for an erase (an expose, a new shape), never the
        // timer: what the window showed may be gone, so the next paint draws it.
        forgetShownFrame(frame);
        break;
    case WM_PAINT:
        paint(hwnd);
        break;
    case WM_TIMER:
        // A face hidden for a full-screen window paints nothing, so its frame
        // stays old: only a moved pointer keeps the timer at its pace.
        eyesTimerTicked(hwnd, lookAndPaint(hwnd) && frame.pointerMoved);
        stepAsideForFullScreen(hwnd);
        if (g_skin)
            seeThroughTicked(hwnd, frame, *g_skin);
        break;
    case WM_INPUT:
        // The first move after a rest is followed at once, not at the next look.
        if (mouseRawInput(hwnd))
            lookAndPaint(hwnd);
        break;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            PostQuitMessage(0);
        break;
    case WM_LBUTTONDOWN:
        SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        break;
    case WM_RBUTTONDOWN:
        openMenuAt(hwnd, lParam);
        break;
    case trayIconMessage:
        trayIconEvent(hwnd, wParam, lParam);
        return 0;
    case WM_COMMAND:
        runMenuCommand(hwnd, LOWORD(wParam));
        break;
    case WM_MOUSEWHEEL:
        // Ctrl + wheel picks the face's size; a plain wheel is not the face's.
        if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) {
            stepFaceSize(wheelNotches(GET_WHEEL_DELTA_WPARAM(wParam)));
            return 0;
        }
        break;
    case WM_ENDSESSION:
        // The session ends around the program (the display is gone): only the place is kept.
        if (wParam)
            SaveWindowPosition();
        break;
    case WM_DPICHANGED:
        // The suggested rectangle keeps the corner; the face keeps its centre instead.
        rebuildForDpi(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        // A close from outside ends the program like "Exit"; the default handling
        // would destroy the window under the running loop and lose the position.
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
