// One frame: background, a pupil per eye placed by the pointer, the main image over them.
#pragma once

#include "frame/alpha_frame.h"
#include "frame/changed_areas.h"
#include "skin/skin.h"
#include "system/win32.h"

// What one window's frames know between paints: the pointer the last look read,
// the frame on screen, the areas that changed since, and the layered surface.
struct FrameState {
    bool pointerRead = false;
    POINT pointer{};  // in the face's own pixels from the window's corner
    bool shown = false;
    const Skin* shownSkin = nullptr;
    POINT shownPointer{};
    RECT shownPupils[MAX_EYES] = {};  // where each eye's pupil was drawn
    ChangedAreas changed;
    LayeredSurface surface;
};

// Draws the frame for a pointer at (mx, my), in the face's own pixels from the
// window's corner, into the skin's canvas.
void composeFrame(Skin* skin, int mx, int my);
// Like composeFrame, but only inside the area; the rest of the canvas is kept.
void composeFrameArea(Skin* skin, int mx, int my, const RECT& area);
// Copies the skin's canvas to the window in one transfer.
void presentFrame(FrameState& frame, Skin* skin, HWND window, HDC dc);
// Copies one area of the canvas to the same place in the window.
void presentFrameArea(FrameState& frame, Skin* skin, HWND window, HDC dc, const RECT& area);
// Reads the pointer, the one read of a tick, for the paints that follow; whether
// the frame for it would differ from the one on screen, so that a tick that
// would not need not ask for a paint. False when the pointer is unknown.
bool lookAtPointer(FrameState& frame, const Skin* skin, HWND window);
// Composes and presents the whole frame for the pointer where it is now.
void paintEyes(FrameState& frame, Skin* skin, HWND window, HDC dc);
// Paints the frame for the pointer the last look read (reading it when none
// has yet), only when it differs from the one on screen: another pointer
// point, another skin, or an expose since. After the first frame and an
// expose, only the areas of moved pupils are composed and sent.
void paintChangedEyes(FrameState& frame, Skin* skin, HWND window, HDC dc);
// What the window showed is gone (uncovered, reshaped): the next paint draws it.
void forgetShownFrame(FrameState& frame);
// The window is gone: its frame state is let go, the surface freed.
void releaseFrame(FrameState& frame);
