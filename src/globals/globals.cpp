#include "globals/globals.h"

HWND g_hwnd = nullptr;
Skin* g_skin = nullptr;
bool g_reloadSkin = false;
HMENU g_menu = nullptr;
std::unique_ptr<std::vector<std::string>> g_skinNames;
