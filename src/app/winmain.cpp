#include "skin/allegro_setup.h"
#include "app/display_scale.h"
#include "app/eyes_timer.h"
#include "app/one_face.h"
#include "app/window_proc.h"
#include "app/winmain.h"
#include "os/program_folder.h"
#include "settings/settings.h"
#include "skin/skin.h"

namespace {

bool classRegistrationPending = true;
// The scale of the display the face is on: the screen's at the start, then the
// one each WM_DPICHANGED tells.
int displayScale = 0;

bool registerWindowClass()
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = EyesWndProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "glimora";
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace

bool CreateEyesWindow(int width, int height)
{
    if (classRegistrationPending) {
        classRegistrationPending = false;
        if (!registerWindowClass())
            return false;
    }
    const RECT frame = centredOnPrimaryMonitor(width, height);
    // A face with alpha is a layered window: its pixels' alpha shapes and blends it.
    const DWORD layered = g_skin && g_skin->hasAlpha ? WS_EX_LAYERED : 0;
    g_hwnd = CreateWindowExA(WS_EX_TOOLWINDOW | layered, "glimora", "eyes", WS_POPUP, frame.left, frame.top, width, height, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    return g_hwnd != nullptr;
}

namespace {

void runMessageLoop()
{
    MSG msg;
    while (!g_reloadSkin) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            WaitMessage();
        }
    }
}

void deleteSkin()
{
    delete g_skin;
    g_skin = nullptr;
}

// One build of skin and window, the loop, and the teardown; false when the build failed.
bool buildAndRun()
{
    g_reloadSkin = false;
    g_skin = new Skin();
    // The user's size on top of the display's scale: one enlargement, as crisp.
    g_skin->scale = displayScale * loadFaceSize();
    if (!g_skin->load()) {
        deleteSkin();
        return false;
    }
    if (!CreateEyesWindow(g_skin->windowWidth(), g_skin->windowHeight())) {
        deleteSkin();
        return false;
    }
    startEyesTimer(g_hwnd);
    if (!g_skin->hasAlpha)
        SetWindowRgn(g_hwnd, g_skin->takeRegion(), TRUE);
    InvalidateRect(g_hwnd, nullptr, TRUE);
    ShowWindow(g_hwnd, SW_SHOW);
    SetWindowPos(g_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    LoadWindowPosition();

    runMessageLoop();

    SaveWindowPosition();
    ShowWindow(g_hwnd, SW_HIDE);
    DestroyWindow(g_hwnd);
    deleteSkin();
    return true;
}

}  // namespace

void rebuildForDpi(unsigned dpi)
{
    const int scale = scaleForDpi(dpi);
    if (scale == displayScale)
        return;
    // Built again as after a skin change: the centre is stored, then kept.
    displayScale = scale;
    g_reloadSkin = true;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, char*, int)
{
    enterProgramFolder();
    if (!claimFolder())
        return 0;
    setUpAllegro();
    displayScale = scaleForDpi(screenDpi());
    bool built = true;
    do
        built = buildAndRun();
    while (built && g_reloadSkin);
    releaseFolder();
    return built ? 0 : -1;
}
