// The right-click menu, its "Skins" submenu and the list of skin folders behind it.
#pragma once

#include "system/win32.h"

constexpr UINT IDM_ALWAYS_ON_TOP = 1;
constexpr UINT IDM_EXIT = 2;
constexpr UINT IDM_RUN_ON_STARTUP = 3;
constexpr UINT IDM_FIRST_SKIN = 4;

void buildPopupMenu();
// One entry of the skins folder listing; (null, 0, null) only resets the item count.
int AddSkinMenuItem(const char* fileName, int attributes, void* param);
void runMenuCommand(HWND hwnd, UINT id);
// Whether "Always on top" is checked.
bool isAlwaysOnTop();
void destroyPopupMenu();
