// What the shell, the painter and the settings share: the one window, its skin,
// the request to rebuild both, its menu, the skin folders the menu lists, and
// the timer that paints the eyes. Below every other folder, so that none of
// them reaches up into the shell for these.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "system/win32.h"

class Skin;

constexpr UINT_PTR IDT_EYES = 101;

extern HWND g_hwnd;
extern Skin* g_skin;
extern bool g_reloadSkin;
extern HMENU g_menu;
extern std::unique_ptr<std::vector<std::string>> g_skinNames;
