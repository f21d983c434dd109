// The face window's procedure: painting, dragging, the menu and the keys.
#pragma once

#include "system/win32.h"

LRESULT CALLBACK EyesWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
