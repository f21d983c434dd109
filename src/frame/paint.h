// One frame: background, a pupil per eye placed by the cursor, the main image over them.
#pragma once

#include "system/win32.h"

class Skin;

// Draws the frame for a cursor at (mx, my), in the face's own pixels from the
// window's corner, into the skin's canvas.
void composeFrame(Skin* skin, int mx, int my);
// Like composeFrame, but only inside the area; the rest of the canvas is kept.
void composeFrameArea(Skin* skin, int mx, int my, const RECT& area);
// Copies the skin's canvas to the window's device context in one transfer.
void presentFrame(Skin* skin, HDC dc);
// Copies one area of the canvas to the same place in the window.
void presentFrameArea(Skin* skin, HDC dc, const RECT& area);
// Composes and presents the frame for the cursor where it is now.
void paintEyes(Skin* skin, HDC dc);
// Like paintEyes, but only when the frame would differ from the one on screen:
// another cursor point in the window, another window or skin, or an expose since.
// After the first frame and an expose, only the areas of moved pupils are
// composed and sent.
void paintChangedEyes(Skin* skin, HDC dc);
// Whether paintChangedEyes would paint now: a tick that would not need not ask for a paint.
bool eyesChanged(Skin* skin);
// What the window showed is gone (uncovered, reshaped): the next paint draws it.
void forgetShownFrame();
