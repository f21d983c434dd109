// What the setup program leaves and what the running face gets, read with
// Windows' own calls for the tests under Wine, one "name=value" line each:
//   glimora-inspect shortcut FILE.lnk   its target, arguments and working folder
//   glimora-inspect file FILE.exe       its product version and how many icons it carries
//   glimora-inspect face                the face window's DPI awareness
//   glimora-inspect dpi-changed DPI     tells the face its display now has this DPI, as Windows does
//   glimora-inspect move X Y            puts the face's corner at (X, Y), as another program may
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

void print(const char* name, const wchar_t* value)
{
    char utf8[4 * MAX_PATH];
    WideCharToMultiByte(CP_UTF8, 0, value, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s=%s\n", name, utf8);
}

int shortcut(const wchar_t* file)
{
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    IPersistFile* persisted = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persisted))) ||
        FAILED(persisted->Load(file, STGM_READ)))
        return 1;
    wchar_t text[MAX_PATH] = L"";
    WIN32_FIND_DATAW found;
    link->GetPath(text, MAX_PATH, &found, SLGP_RAWPATH);
    print("target", text);
    text[0] = 0;
    link->GetArguments(text, MAX_PATH);
    print("arguments", text);
    text[0] = 0;
    link->GetWorkingDirectory(text, MAX_PATH);
    print("folder", text);
    return 0;
}

BOOL CALLBACK countIcon(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int file(const wchar_t* path)
{
    DWORD unused = 0, size = GetFileVersionInfoSizeW(path, &unused);
    std::vector<char> info(size);
    wchar_t* version = nullptr;
    UINT length = 0;
    if (!size || !GetFileVersionInfoW(path, 0, size, info.data()) ||
        !VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                        reinterpret_cast<void**>(&version), &length))
        return 1;
    print("version", version);
    HMODULE module = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    int icons = 0;
    if (module)
        EnumResourceNamesW(module, reinterpret_cast<LPCWSTR>(RT_GROUP_ICON), countIcon, LONG_PTR(&icons));
    std::printf("icons=%d\n", icons);
    return 0;
}

HWND faceWindow()
{
    return FindWindowW(L"glimora", L"eyes");
}

int face()
{
    HWND window = faceWindow();
    if (!window)
        return 1;
    std::printf("awareness=%d\n", int(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(window))));
    return 0;
}

int dpiChanged(const wchar_t* dpi)
{
    HWND window = faceWindow();
    const WPARAM both = WPARAM(std::wcstoul(dpi, nullptr, 10));
    return window ? !PostMessageW(window, WM_DPICHANGED, both | both << 16, 0) : 1;
}

// Through Windows, which Wine 10 keeps to: a move of the X window behind its back is undone.
int move(const wchar_t* x, const wchar_t* y)
{
    HWND window = faceWindow();
    return window ? !SetWindowPos(window, nullptr, int(std::wcstol(x, nullptr, 10)), int(std::wcstol(y, nullptr, 10)), 0,
                                  0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
                  : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wcscmp(argv[1], L"shortcut") == 0)
        return shortcut(argv[2]);
    if (argc == 3 && std::wcscmp(argv[1], L"file") == 0)
        return file(argv[2]);
    if (argc == 2 && std::wcscmp(argv[1], L"face") == 0)
        return face();
    if (argc == 3 && std::wcscmp(argv[1], L"dpi-changed") == 0)
        return dpiChanged(argv[2]);
    if (argc == 4 && std::wcscmp(argv[1], L"move") == 0)
        return move(argv[2], argv[3]);
    std::fputs("usage: glimora-inspect shortcut FILE.lnk | file FILE.exe | face | dpi-changed DPI | move X Y\n",
               stderr);
    return 64;
}
