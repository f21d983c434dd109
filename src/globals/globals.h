// What the shell, the painter and the settings share: the one window, its skin,
// the request to rebuild both, and the timer that paints the eyes. Below every
// other folder, so that none of them reaches up into the shell for these.
#pragma once

#include "platform/win32.h"

class Skin;

constexpr UINT_PTR IDT_EYES = 101;

extern HWND g_hwnd;
extern Skin* g_skin;
extern bool g_reloadSkin;
