// One frame: background, a pupil per eye placed by the cursor, the main image over them.
#pragma once

#include "platform/win32.h"

class Skin;

void paintEyes(Skin* skin, HDC dc);
bool isOverEye(const RECT& bounds, float x, float y);
