// The slice of the Win32 interface this program uses, under Win32's own names,
// served by our platform layer on Linux.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int BOOL;
typedef unsigned int UINT;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t COLORREF;
typedef void* HANDLE;
typedef unsigned short USHORT;
typedef uintptr_t UINT_PTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef int32_t LSTATUS;
typedef wchar_t WCHAR;
typedef uint32_t REGSAM;

// Calling conventions matter only to 32-bit Windows.
#define CALLBACK
#define WINAPI

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

typedef struct HWND__* HWND;
typedef struct HDC__* HDC;
typedef struct HMENU__* HMENU;
typedef struct HINSTANCE__* HINSTANCE;
typedef struct HICON__* HICON;
typedef struct HCURSOR__* HCURSOR;
typedef struct HBRUSH__* HBRUSH;
typedef struct HKEY__* HKEY;
typedef void* HGDIOBJ;
typedef struct HRGN__* HRGN;
typedef struct HBITMAP__* HBITMAP;
typedef struct HMONITOR__* HMONITOR;

struct POINT {
    LONG x;
    LONG y;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct SIZE {
    LONG cx;
    LONG cy;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void (*TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
};

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
};

// Messages
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_ENDSESSION 0x0016
#define WM_INPUT 0x00FF
#define WM_NCLBUTTONDOWN 0x00A1
#define WM_KEYDOWN 0x0100
#define WM_COMMAND 0x0111
#define WM_TIMER 0x0113
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_MOUSEWHEEL 0x020A
#define WM_CONTEXTMENU 0x007B
#define WM_DPICHANGED 0x02E0
#define WM_APP 0x8000

#define HTCAPTION 2
#define VK_ESCAPE 0x1B
#define VK_CONTROL 0x11
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_CONTROL 0x0008
#define WHEEL_DELTA 120

#define LOWORD(l) ((unsigned)((uintptr_t)(l)&0xFFFF))
#define HIWORD(l) ((unsigned)(((uintptr_t)(l) >> 16) & 0xFFFF))
#define MAKELPARAM(lo, hi) ((LPARAM)(DWORD)(((DWORD)(lo)&0xFFFF) | (((DWORD)(hi)&0xFFFF) << 16)))
#define MAKEWPARAM(lo, hi) ((WPARAM)(DWORD)(((DWORD)(lo)&0xFFFF) | (((DWORD)(hi)&0xFFFF) << 16)))
#define GET_KEYSTATE_WPARAM(w) ((int)LOWORD(w))
#define GET_WHEEL_DELTA_WPARAM(w) ((short)HIWORD(w))

// Windows
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define SW_HIDE 0
#define SW_SHOW 5
#define SW_SHOWNA 8
#define HWND_TOPMOST ((HWND)(intptr_t)-1)
#define HWND_NOTOPMOST ((HWND)(intptr_t)-2)
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOACTIVATE 0x0010
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define WS_POPUP 0x80000000u
#define WS_EX_TOOLWINDOW 0x00000080u
#define WS_EX_LAYERED 0x00080000u
#define WS_EX_TRANSPARENT 0x00000020u
#define GWL_EXSTYLE (-20)
#define LWA_ALPHA 0x00000002
#define CS_OWNDC 0x0020
#define IDC_ARROW ((const char*)(uintptr_t)32512)
#define BLACK_BRUSH 4
#define ENDSESSION_LOGOFF 0x80000000u

// Monitors
#define MONITOR_DEFAULTTONULL 0
#define MONITOR_DEFAULTTOPRIMARY 1
#define MONITOR_DEFAULTTONEAREST 2
#define MONITORINFOF_PRIMARY 1
struct MONITORINFO {
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
};

// Raw input: the mouse, for a background window (RIDEV_INPUTSINK), or removed
#define RIDEV_REMOVE 0x00000001u
#define RIDEV_INPUTSINK 0x00000100u
#define RIM_INPUTSINK 1
struct RAWINPUTDEVICE {
    USHORT usUsagePage;
    USHORT usUsage;
    DWORD dwFlags;
    HWND hwndTarget;
};

// Device-independent bitmaps and layered windows
#define BI_RGB 0
#define DIB_RGB_COLORS 0
#define AC_SRC_OVER 0x00
#define AC_SRC_ALPHA 0x01
#define ULW_ALPHA 0x00000002
struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
struct BLENDFUNCTION {
    BYTE BlendOp;
    BYTE BlendFlags;
    BYTE SourceConstantAlpha;
    BYTE AlphaFormat;
};
struct UPDATELAYEREDWINDOWINFO {
    DWORD cbSize;
    HDC hdcDst;
    const POINT* pptDst;
    const SIZE* psize;
    HDC hdcSrc;
    const POINT* pptSrc;
    COLORREF crKey;
    const BLENDFUNCTION* pblend;
    DWORD dwFlags;
    const RECT* prcDirty;
};

// Regions
#define RGN_XOR 3
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3

// Menus
#define MF_STRING 0x0000
#define MF_UNCHECKED 0x0000
#define MF_BYCOMMAND 0x0000
#define MF_CHECKED 0x0008
#define MF_POPUP 0x0010
#define MF_SEPARATOR 0x0800

// Message box
#define MB_OK 0x0000
#define IDOK 1

// Registry
#define HKEY_CURRENT_USER ((HKEY)(uintptr_t)0x80000001)
#define HKEY_LOCAL_MACHINE ((HKEY)(uintptr_t)0x80000002)
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define REG_OPENED_EXISTING_KEY 2
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_DWORD 4
#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_INVALID_PARAMETER 87
#define ERROR_MORE_DATA 234
#define ERROR_ALREADY_EXISTS 183

// Process and time
HINSTANCE GetModuleHandleA(const char* moduleName);
// A named mutex is held by the process while its handle is open: on Linux a
// lock, which the system lets go when the process ends.
HANDLE CreateMutexA(void* securityAttributes, BOOL initialOwner, const char* name);
BOOL CloseHandle(HANDLE handle);
// Only what CreateMutexA last set.
DWORD GetLastError();
void Sleep(DWORD milliseconds);
DWORD GetTickCount();

// Window classes and windows
HCURSOR LoadCursorA(HINSTANCE instance, const char* name);
HGDIOBJ GetStockObject(int object);
unsigned short RegisterClassA(const WNDCLASSA* windowClass);
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
HWND GetForegroundWindow();
// Only says whether the window is ours: keys and menus reach it without the focus.
BOOL SetForegroundWindow(HWND hwnd);
HWND GetShellWindow();
BOOL IsZoomed(HWND hwnd);
int GetClassNameA(HWND hwnd, char* name, int size);
BOOL ShowWindow(HWND hwnd, int command);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL GetWindowRect(HWND hwnd, RECT* rect);
BOOL ClientToScreen(HWND hwnd, POINT* point);
int GetSystemMetrics(int index);
// The screen's device context (GetDC(nullptr)) answers only for its DPI.
#define LOGPIXELSX 88
#define LOGPIXELSY 90
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
int GetDeviceCaps(HDC dc, int index);
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
BOOL GetCursorPos(POINT* point);
// Only VK_CONTROL, and only whether it is down now (the high bit).
short GetAsyncKeyState(int virtualKey);

// Monitors
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);
HMONITOR MonitorFromPoint(POINT point, DWORD flags);
BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info);

// Painting
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);

// Memory device contexts, DIB sections and layered windows
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
// Its SourceConstantAlpha is the whole window's opacity.
BOOL UpdateLayeredWindowIndirect(HWND hwnd, const UPDATELAYEREDWINDOWINFO* info);
// Only GWL_EXSTYLE. A window made layered after its creation keeps painting as
// before, and SetLayeredWindowAttributes gives it an opacity (LWA_ALPHA only):
// on X11 _NET_WM_WINDOW_OPACITY, which a compositing manager honours.
// WS_EX_TRANSPARENT on a layered window passes clicks, drags and the wheel to
// what is under it: on X11 an empty input shape.
LONG GetWindowLongA(HWND hwnd, int index);
LONG SetWindowLongA(HWND hwnd, int index, LONG value);
BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);

// Messages
LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// To HWND_BROADCAST, a registered message reaches every program's top-level windows.
#define HWND_BROADCAST ((HWND)(uintptr_t)0xffff)
BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
UINT RegisterWindowMessageA(const char* name);
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL WaitMessage();
BOOL RegisterRawInputDevices(const RAWINPUTDEVICE* devices, UINT count, UINT size);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
void PostQuitMessage(int exitCode);
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC callback);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// Regions
HRGN CreateRectRgn(int left, int top, int right, int bottom);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL IsRectEmpty(const RECT* rect);
BOOL IntersectRect(RECT* result, const RECT* a, const RECT* b);
BOOL UnionRect(RECT* result, const RECT* a, const RECT* b);
int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode);
BOOL DeleteObject(HGDIOBJ object);
BOOL PtInRegion(HRGN region, int x, int y);

// Menus
HMENU CreatePopupMenu();
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, const char* text);
DWORD CheckMenuItem(HMENU menu, UINT id, UINT flags);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND hwnd, const RECT* rect);
BOOL DestroyMenu(HMENU menu);

// Message box
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

// Profile (INI) files
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue, char* buffer,
                               DWORD size, const char* path);
UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* path);
BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* path);

// The notification area (NOTIFYICON_VERSION_4 only): the icon shows the
// program's icon as installed under its name, whatever hIcon is.
#define NIM_ADD 0
#define NIM_MODIFY 1
#define NIM_DELETE 2
#define NIM_SETVERSION 4
#define NIF_MESSAGE 0x01
#define NIF_ICON 0x02
#define NIF_TIP 0x04
#define NIF_SHOWTIP 0x80
#define NOTIFYICON_VERSION_4 4
#define NIN_SELECT 0x0400
#define NIN_KEYSELECT 0x0401
struct NOTIFYICONDATAW {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    WCHAR szTip[128];
    UINT uVersion;
};
BOOL Shell_NotifyIconW(DWORD message, NOTIFYICONDATAW* data);
#define MAKEINTRESOURCEA(i) ((const char*)(uintptr_t)(WORD)(i))
HICON LoadIconA(HINSTANCE instance, const char* name);
#define CP_UTF8 65001
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int size, WCHAR* wide, int wideSize);

// Registry
LSTATUS RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result);
LSTATUS RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* keyClass, DWORD options, REGSAM access,
                        void* security, HKEY* result, DWORD* disposition);
LSTATUS RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
LSTATUS RegDeleteValueA(HKEY key, const char* valueName);
LSTATUS RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LSTATUS RegCloseKey(HKEY key);
