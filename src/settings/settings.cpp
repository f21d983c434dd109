#include "settings.h"

#include <climits>
#include <cstdint>
#include <cstdio>

#include "app/shell.h"
#include "platform/cwd.h"
#include "platform/win32.h"
#include "skin/skin.h"

namespace {

const char section[] = "global";

// Window coordinates wrap around like Win32's own 32-bit arithmetic: values
// read from the file are not trusted to stay in range.
int wrapped(int64_t value)
{
    return static_cast<int>(static_cast<uint32_t>(value));
}

void writeInt(const char* key, int value, const std::string& path)
{
    char text[16];
    snprintf(text, sizeof text, "%i", value);
    WritePrivateProfileStringA(section, key, text, path.c_str());
}

}  // namespace

std::string workingPath(const char* name)
{
    std::string directory;
    // Without a readable working directory (it was deleted) the name stays relative.
    if (!currentDirectory(directory))
        return name;
    if (directory.empty() || directory.back() != '/')
        directory += '/';
    // The system opens no absolute path longer than PATH_MAX; the same file
    // is still reached relative to the working directory.
    std::string path = directory + name;
    return path.size() < PATH_MAX ? path : name;
}

void LoadWindowPosition()
{
    const std::string path = workingPath("eyes.ini");
    int x = static_cast<int>(GetPrivateProfileIntA(section, "x", 0, path.c_str()));
    int y = static_cast<int>(GetPrivateProfileIntA(section, "y", 0, path.c_str()));
    int width = g_skin->getWidth(), height = g_skin->getHeight();
    MoveWindow(g_hwnd, wrapped(int64_t(x) - width / 2), wrapped(int64_t(y) - height / 2), width, height, TRUE);
}

void SaveWindowPosition()
{
    const std::string path = workingPath("eyes.ini");
    RECT frame{};
    GetWindowRect(g_hwnd, &frame);
    writeInt("x", wrapped(int64_t(frame.left) + g_skin->getWidth() / 2), path);
    writeInt("y", wrapped(int64_t(frame.top) + g_skin->getHeight() / 2), path);
}

void SaveSkinName(const char* name)
{
    WritePrivateProfileStringA(section, "skin", name, workingPath("eyes.ini").c_str());
}

void ChooseSkin(const char* name)
{
    SaveSkinName(name);
    g_reloadSkin = true;
}
