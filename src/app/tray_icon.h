// The notification-area icon while the program runs: the program's icon with
// its name as the tooltip. A left click brings the face into view, a right
// click opens the face's own menu there.
#pragma once

#include "system/win32.h"

// What the icon tells its window, as NOTIFYICON_VERSION_4 does.
constexpr UINT trayIconMessage = WM_APP + 1;

// Shown for the window; again after TaskbarCreated, when Explorer came back without it.
void addTrayIcon(HWND hwnd);
void removeTrayIcon(HWND hwnd);
UINT taskbarCreatedMessage();
void trayIconEvent(HWND hwnd, WPARAM wParam, LPARAM lParam);
