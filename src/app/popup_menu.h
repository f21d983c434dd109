// The right-click menu, its "Skins" submenu and the list of skin folders behind
// it, and its "Size" and "Opacity" submenus.
#pragma once

#include "system/win32.h"

constexpr UINT IDM_ALWAYS_ON_TOP = 1;
constexpr UINT IDM_EXIT = 2;
constexpr UINT IDM_RUN_ON_STARTUP = 3;
constexpr UINT IDM_CLICK_THROUGH = 4;
// A new item takes the next id here, below the ranges of the submenus.
// The skins, in a range of their own so that no item's id ever names one.
constexpr UINT IDM_FIRST_SKIN = 0x1000;
// "100 %" to "400 %", above the last skin's id.
constexpr UINT IDM_FIRST_SIZE = 0x7000;
// The opacities, "100 %" to "40 %".
constexpr UINT IDM_FIRST_OPACITY = 0x7100;

void buildPopupMenu();
// One entry of the skins folder listing; (null, 0, null) only resets the item count.
int AddSkinMenuItem(const char* fileName, int attributes, void* param);
void runMenuCommand(HWND hwnd, UINT id);
// Whether "Always on top" is checked.
bool isAlwaysOnTop();
// Ctrl + wheel over the face: a size larger (notches away from the user) or smaller.
void stepFaceSize(int notches);
void destroyPopupMenu();
