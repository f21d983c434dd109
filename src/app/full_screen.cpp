#include "app/full_screen.h"

#include <cstring>

#include "app/popup_menu.h"

namespace {

bool steppedAside = false;

// What the last answer was made of: while these stay, so does the answer, and a
// look costs three questions.
struct Scene {
    HWND front = nullptr;
    RECT frontFrame{}, faceFrame{};
    bool operator==(const Scene& o) const
    {
        return front == o.front && EqualRect(&frontFrame, &o.frontFrame) && EqualRect(&faceFrame, &o.faceFrame);
    }
};
Scene lastScene;
bool sceneKnown = false;

bool covers(const RECT& outer, const RECT& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

// The desktop spans its monitor too: the shell's window, or on Windows the
// worker window that holds the icons once the desktop was shown.
bool isDesktop(HWND window)
{
    char className[16] = "";
    return window == GetShellWindow() ||
           (GetClassNameA(window, className, sizeof className) > 0 && std::strcmp(className, "WorkerW") == 0);
}

// A maximised window fills the work area, which can be the whole monitor
// where no taskbar or panel takes a part of it.
bool coversFaceMonitor(const Scene& scene)
{
    const HWND front = scene.front;
    if (IsZoomed(front) || isDesktop(front))
        return false;
    const RECT& faceFrame = scene.faceFrame;
    const POINT centre{faceFrame.left + (faceFrame.right - faceFrame.left) / 2,
                       faceFrame.top + (faceFrame.bottom - faceFrame.top) / 2};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    return GetMonitorInfoA(MonitorFromPoint(centre, MONITOR_DEFAULTTONEAREST), &monitor) &&
           covers(scene.frontFrame, monitor.rcMonitor);
}

bool fullScreenInFront(HWND face)
{
    Scene scene;
    scene.front = GetForegroundWindow();
    if (!scene.front || scene.front == face || !GetWindowRect(face, &scene.faceFrame) ||
        !GetWindowRect(scene.front, &scene.frontFrame))
        return false;
    if (sceneKnown && scene == lastScene)
        return steppedAside;
    lastScene = scene;
    sceneKnown = true;
    return coversFaceMonitor(scene);
}

}  // namespace

void stepAsideForFullScreen(HWND hwnd)
{
    const bool aside = fullScreenInFront(hwnd);
    if (aside == steppedAside)
        return;
    steppedAside = aside;
    if (aside) {
        ShowWindow(hwnd, SW_HIDE);
        return;
    }
    // Shown where it was, without taking the focus from the window that was in front.
    ShowWindow(hwnd, SW_SHOWNA);
    if (isAlwaysOnTop())
        SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void forgetFullScreen()
{
    steppedAside = false;
    sceneKnown = false;
}
