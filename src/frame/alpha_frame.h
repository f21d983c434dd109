// Frames of a skin with alpha: composed as premultiplied pixels and shown
// through a layered window, which blends them with the desktop.
#pragma once

#include <allegro.h>

#include "system/win32.h"

class Skin;

// The eye background, each pupil where the eyes lie behind the picture, and the
// picture over them, inside the area of the canvas.
void composeAlphaArea(Skin* skin, const RECT* pupils, const RECT& area);
// Sends the area of the shown bitmap (the canvas, or its enlargement) to the
// layered window g_hwnd, the rest of the window keeping what it showed.
void presentAlphaArea(BITMAP* shown, const RECT& area);
