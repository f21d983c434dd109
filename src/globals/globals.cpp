#include "globals/globals.h"

HWND g_hwnd = nullptr;
Skin* g_skin = nullptr;
bool g_reloadSkin = false;
