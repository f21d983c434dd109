#include "app/tray_icon.h"

#include "app/into_view.h"
#include "globals/globals.h"
#include "os/translation.h"

namespace {

constexpr UINT iconId = 1;

NOTIFYICONDATAW iconData(HWND hwnd)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = iconId;
    data.uVersion = NOTIFYICON_VERSION_4;
    return data;
}

}  // namespace

void addTrayIcon(HWND hwnd)
{
    NOTIFYICONDATAW data = iconData(hwnd);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.uCallbackMessage = trayIconMessage;
    data.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    const int room = sizeof data.szTip / sizeof data.szTip[0];
    if (!MultiByteToWideChar(CP_UTF8, 0, translate("Glimora"), -1, data.szTip, room))
        data.szTip[0] = 0;
    if (Shell_NotifyIconW(NIM_ADD, &data))
        Shell_NotifyIconW(NIM_SETVERSION, &data);
}

void removeTrayIcon(HWND hwnd)
{
    NOTIFYICONDATAW data = iconData(hwnd);
    Shell_NotifyIconW(NIM_DELETE, &data);
}

UINT taskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void trayIconEvent(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(lParam)) {
    case NIN_SELECT:
    case NIN_KEYSELECT:
        bringIntoView(hwnd);
        break;
    case WM_CONTEXTMENU:
        // Windows closes such a menu on a click elsewhere only when its window is in front.
        SetForegroundWindow(hwnd);
        TrackPopupMenu(g_menu, 0, short(LOWORD(wParam)), short(HIWORD(wParam)), 0, hwnd, nullptr);
        PostMessageA(hwnd, WM_NULL, 0, 0);
        break;
    }
}
