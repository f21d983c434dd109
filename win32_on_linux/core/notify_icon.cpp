// The notification-area icon: one per program, as Glimora needs, kept here with
// what a click on it posts; the backend shows it where the desktop has a place
// for it. Clicks come as NOTIFYICON_VERSION_4 tells them.
#include <string>

#include "core.h"

namespace {

struct Icon {
    HWND hwnd = nullptr;
    UINT id = 0;
    UINT callback = 0;
    std::string tooltip;
};
bool shown = false;
Icon icon;

std::string utf8(const WCHAR* wide, size_t size)
{
    std::string text;
    for (size_t i = 0; i < size && wide[i]; ++i) {
        const auto c = static_cast<uint32_t>(wide[i]);
        if (c < 0x80) {
            text += char(c);
        } else if (c < 0x800) {
            text += {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
        } else if (c < 0x10000) {
            text += {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
        } else {
            text += {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)), char(0x80 | (c >> 6 & 0x3F)),
                     char(0x80 | (c & 0x3F))};
        }
    }
    return text;
}

void take(const NOTIFYICONDATAW& data)
{
    if (data.uFlags & NIF_MESSAGE)
        icon.callback = data.uCallbackMessage;
    if (data.uFlags & NIF_TIP)
        icon.tooltip = utf8(data.szTip, sizeof data.szTip / sizeof data.szTip[0]);
}

}  // namespace

BOOL Shell_NotifyIconW(DWORD message, NOTIFYICONDATAW* data)
{
    if (!data || data->cbSize < sizeof(NOTIFYICONDATAW) || !core::displayOpen())
        return FALSE;
    const bool same = shown && data->hWnd == icon.hwnd && data->uID == icon.id;
    switch (message) {
    case NIM_ADD:
        if (shown || !core::findWindow(data->hWnd))
            return FALSE;
        icon = Icon{data->hWnd, data->uID};
        take(*data);
        shown = true;
        break;
    case NIM_MODIFY:
        if (!same)
            return FALSE;
        take(*data);
        break;
    case NIM_DELETE:
        if (!same)
            return FALSE;
        shown = false;
        backend::notifyIcon(nullptr);
        return TRUE;
    case NIM_SETVERSION:
        return same && data->uVersion == NOTIFYICON_VERSION_4;
    default:
        return FALSE;
    }
    backend::notifyIcon(icon.tooltip.c_str());
    return TRUE;
}

void core::notifyIconClicked(bool forMenu, POINT at)
{
    if (shown && core::findWindow(icon.hwnd))
        PostMessageA(icon.hwnd, icon.callback, MAKEWPARAM(at.x, at.y),
                     MAKELPARAM(forMenu ? WM_CONTEXTMENU : NIN_SELECT, icon.id));
}

HICON LoadIconA(HINSTANCE, const char*)
{
    static struct HICON__* const programIcon = reinterpret_cast<HICON>(uintptr_t{1});
    return programIcon;
}

int MultiByteToWideChar(UINT codePage, DWORD, const char* text, int size, WCHAR* wide, int wideSize)
{
    if (codePage != CP_UTF8 || !text)
        return 0;
    const size_t length = size < 0 ? std::char_traits<char>::length(text) + 1 : size_t(size);
    int count = 0;
    for (size_t i = 0; i < length;) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
        uint32_t c = extra < 0 ? 0xFFFD : lead & (0x7F >> (extra ? extra + 1 : 0));
        size_t next = i + 1;
        for (int k = 0; k < extra && next < length && (text[next] & 0xC0) == 0x80; ++k, ++next)
            c = c << 6 | (text[next] & 0x3F);
        i = next;
        if (wideSize > 0) {
            if (count >= wideSize)
                return 0;
            wide[count] = WCHAR(c);
        }
        ++count;
    }
    return count;
}
