// Where the eyes look: the geometry of the gaze in the face's own pixels, kept
// apart from composing and sending frames.
#pragma once

#include "system/win32.h"

// The pointer counts as over the eye inside its bounds except near the corners.
bool isOverEye(const RECT& bounds, float x, float y);
// The pupil's offset from the eye's centre for a pointer at (mx, my) away from the eye.
POINT lookingOffset(const RECT& bounds, POINT centre, int mx, int my);
// Where a pupil of this size goes for a pointer at (mx, my): on the pointer over
// the eye, else turned towards it.
RECT pupilPlace(const RECT& bounds, POINT centre, SIZE pupil, int mx, int my);
// A screen point in the face's own pixels from the window's corner, each face
// pixel a scale-sized block.
POINT facePoint(POINT screen, POINT corner, int scale);
