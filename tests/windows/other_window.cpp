// Another program's window for the full-screen tests under Wine: "fullscreen"
// is a borderless window as large as the primary monitor, "maximized" a
// captioned window maximised there. It takes the foreground and stays until
// closed; a click on it adds " clicked" to its title.
#include <windows.h>

#include <cstring>

static LRESULT CALLBACK otherWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    if (message == WM_LBUTTONDOWN)
        SetWindowTextA(hwnd, "test window clicked");
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, char* commandLine, int)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = otherWindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH));
    windowClass.lpszClassName = "other window";
    RegisterClassA(&windowClass);
    const bool fullScreen = std::strcmp(commandLine, "fullscreen") == 0;
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND hwnd = CreateWindowExA(0, "other window", "test window", fullScreen ? WS_POPUP : WS_OVERLAPPEDWINDOW, 0, 0,
                                fullScreen ? width : width / 2, fullScreen ? height : height / 2, nullptr, nullptr,
                                instance, nullptr);
    ShowWindow(hwnd, fullScreen ? SW_SHOW : SW_SHOWMAXIMIZED);
    SetForegroundWindow(hwnd);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
