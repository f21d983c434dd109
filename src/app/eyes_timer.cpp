#include "app/eyes_timer.h"

#include <algorithm>

#include "globals/globals.h"

namespace {

constexpr UINT eyesTimerInterval = 100;  // ms: the face follows a moving pointer at this pace
// While the pointer rests, a program may still move it (a warp makes no raw input): one look a second sees it.
constexpr UINT restLookInterval = 1000;

constexpr USHORT genericDesktopPage = 0x01;
constexpr USHORT mouseUsage = 0x02;

// Raw input is asked for only once the pointer is still, as a moving mouse
// would send hundreds of messages a second, and the timer slows only after a
// second tick confirms the rest with raw input heard: any move between the two
// looks comes as raw input or shows at the second look.
enum class Pace { Following, Confirming, Resting };

Pace pace = Pace::Following;
// Moves that a look saw while raw input was asked for and none came: a warp
// by a program, or a system that takes the registration but tells a window
// only of moves over it (as Wine 8 does). Two in a row, and raw input is no
// longer trusted to end a rest, so the timer keeps its full pace; raw input for
// a move away from the face earns the trust back. One is taken for a warp.
int unheardMoves = 0;
constexpr int unheardMovesForDistrust = 2;

bool askRawInput(HWND hwnd, bool on)
{
    RAWINPUTDEVICE mouse{genericDesktopPage, mouseUsage, on ? RIDEV_INPUTSINK : RIDEV_REMOVE, on ? hwnd : nullptr};
    return RegisterRawInputDevices(&mouse, 1, sizeof mouse) != FALSE;
}

bool pointerAwayFrom(HWND hwnd)
{
    POINT pointer;
    RECT frame;
    return GetCursorPos(&pointer) && GetWindowRect(hwnd, &frame) &&
           (pointer.x < frame.left || pointer.x >= frame.right || pointer.y < frame.top || pointer.y >= frame.bottom);
}

void follow(HWND hwnd)
{
    if (pace != Pace::Following)
        askRawInput(hwnd, false);
    if (pace == Pace::Resting)
        SetTimer(hwnd, IDT_EYES, eyesTimerInterval, nullptr);
    pace = Pace::Following;
}

}  // namespace

void startEyesTimer(HWND hwnd)
{
    pace = Pace::Following;
    SetTimer(hwnd, IDT_EYES, eyesTimerInterval, nullptr);
}

void stopEyesTimer(HWND hwnd)
{
    follow(hwnd);
    KillTimer(hwnd, IDT_EYES);
}

void eyesTimerTicked(HWND hwnd, bool faceChanged)
{
    if (faceChanged) {
        // Raw input was asked for and did not come (it may wait behind this tick):
        // a warp, or a system that does not tell.
        MSG waiting;
        if (pace != Pace::Following && !PeekMessageA(&waiting, hwnd, WM_INPUT, WM_INPUT, PM_NOREMOVE))
            unheardMoves = std::min(unheardMoves + 1, unheardMovesForDistrust);
        follow(hwnd);
        return;
    }
    if (pace == Pace::Following && askRawInput(hwnd, true)) {
        pace = Pace::Confirming;
    } else if (pace == Pace::Confirming && unheardMoves < unheardMovesForDistrust) {
        SetTimer(hwnd, IDT_EYES, restLookInterval, nullptr);
        pace = Pace::Resting;
    }
}

bool mouseRawInput(HWND hwnd)
{
    // Messages queued before the request was withdrawn tell nothing new.
    if (pace == Pace::Following)
        return false;
    if (pointerAwayFrom(hwnd))
        unheardMoves = 0;
    const bool wasResting = pace == Pace::Resting;
    follow(hwnd);
    return wasResting;
}
