// One frame: background, a pupil per eye placed by the cursor, the main image over them.
#pragma once

#include "os/win32.h"

class Skin;

// Draws the frame for a cursor at (mx, my) in window coordinates into the skin's canvas.
void composeFrame(Skin* skin, int mx, int my);
// Copies the skin's canvas to the window's device context in one transfer.
void presentFrame(Skin* skin, HDC dc);
// Composes and presents the frame for the cursor where it is now.
void paintEyes(Skin* skin, HDC dc);
// Like paintEyes, but only when the frame would differ from the one on screen:
// another cursor point in the window, another window or skin, or an expose since.
void paintChangedEyes(Skin* skin, HDC dc);
// What the window showed is gone (uncovered, reshaped): the next paint draws it.
void forgetShownFrame();
bool isOverEye(const RECT& bounds, float x, float y);
