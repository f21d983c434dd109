#include "settings.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <iterator>

#include "globals/globals.h"
#include "os/cwd.h"
#include "system/win32.h"

namespace {

// Window coordinates wrap around like Win32's own 32-bit arithmetic: values
// read from the file are not trusted to stay in range.
int wrapped(int64_t value)
{
    return static_cast<int>(static_cast<uint32_t>(value));
}

// The window's frame with its corner at (left, top), edges held to the coordinate range.
RECT frameAt(int left, int top, int width, int height)
{
    auto edge = [](int start, int size) { return static_cast<LONG>(std::min<int64_t>(int64_t{start} + size, INT_MAX)); };
    return {left, top, edge(left, width), edge(top, height)};
}

// A saved place whose window would be off every monitor (one that is gone) is
// replaced by the middle of the primary monitor; one partly on a monitor stays,
// since a face peeking in from an edge may be meant.
RECT onSomeMonitor(const RECT& frame)
{
    if (MonitorFromRect(&frame, MONITOR_DEFAULTTONULL))
        return frame;
    return centredOnPrimaryMonitor(frame.right - frame.left, frame.bottom - frame.top);
}

bool isStored(const char* key, const std::string& path)
{
    char text[2] = "";
    GetPrivateProfileStringA(settingsSection, key, "", text, sizeof text, path.c_str());
    return text[0] != '\0';
}

// Quotes around a value are dropped by Win32's profile reader, blanks around it
// by both: such a name goes into the file between double quotes.
std::string quotedIfNeeded(const std::string& name)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    bool quoted = name.size() >= 2 && (name.front() == '"' || name.front() == '\'') && name.back() == name.front();
    bool needed = !name.empty() && (blank(name.front()) || blank(name.back()) || quoted);
    return needed ? '"' + name + '"' : name;
}

void writeInt(const char* key, int value, const std::string& path)
{
    char text[16];
    snprintf(text, sizeof text, "%i", value);
    WritePrivateProfileStringA(settingsSection, key, text, path.c_str());
}

}  // namespace

RECT centredOnPrimaryMonitor(int width, int height)
{
    // A place off every monitor falls to the primary one, wherever that lies.
    const RECT nowhere{INT_MIN, INT_MIN, INT_MIN + 1, INT_MIN + 1};
    MONITORINFO primary{sizeof primary};
    RECT m{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoA(MonitorFromRect(&nowhere, MONITOR_DEFAULTTOPRIMARY), &primary))
        m = primary.rcMonitor;
    return frameAt(m.left + (m.right - m.left - width) / 2, m.top + (m.bottom - m.top - height) / 2, width, height);
}

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

// The stored centre is in screen pixels, as the window's place is for a DPI-aware
// program, so it names the same point on every monitor whatever its scale.
// Without one (a first start) the window stays where it was made.
void LoadWindowPosition()
{
    const std::string path = workingPath(settingsFile);
    if (!isStored("x", path) || !isStored("y", path))
        return;
    POINT centre{static_cast<LONG>(GetPrivateProfileIntA(settingsSection, "x", 0, path.c_str())),
                 static_cast<LONG>(GetPrivateProfileIntA(settingsSection, "y", 0, path.c_str()))};
    RECT window{};
    GetWindowRect(g_hwnd, &window);
    int width = window.right - window.left, height = window.bottom - window.top;
    RECT frame = onSomeMonitor(
        frameAt(wrapped(int64_t(centre.x) - width / 2), wrapped(int64_t(centre.y) - height / 2), width, height));
    MoveWindow(g_hwnd, frame.left, frame.top, width, height, TRUE);
}

void SaveWindowPosition()
{
    const std::string path = workingPath(settingsFile);
    RECT frame{};
    GetWindowRect(g_hwnd, &frame);
    POINT centre{wrapped(int64_t(frame.left) + (frame.right - frame.left) / 2),
                 wrapped(int64_t(frame.top) + (frame.bottom - frame.top) / 2)};
    writeInt("x", centre.x, path);
    writeInt("y", centre.y, path);
}

std::string loadSkinName()
{
    char name[512];  // the stored name is cut to 511 characters
    GetPrivateProfileStringA(settingsSection, "skin", "", name, sizeof name, workingPath(settingsFile).c_str());
    return name;
}

void SaveSkinName(const char* name)
{
    WritePrivateProfileStringA(settingsSection, "skin", quotedIfNeeded(name).c_str(), workingPath(settingsFile).c_str());
}

void ChooseSkin(const char* name)
{
    SaveSkinName(name);
    g_reloadSkin = true;
}

int loadFaceSize()
{
    char text[4] = "";
    GetPrivateProfileStringA(settingsSection, "size", "", text, sizeof text, workingPath(settingsFile).c_str());
    // One digit in range, nothing else: "7", "abc", "-1" and "2x" all mean the plain size.
    const bool valid = text[0] >= '0' + smallestFaceSize && text[0] <= '0' + largestFaceSize && text[1] == '\0';
    return valid ? text[0] - '0' : smallestFaceSize;
}

void chooseFaceSize(int size)
{
    writeInt("size", std::clamp(size, smallestFaceSize, largestFaceSize), workingPath(settingsFile));
    g_reloadSkin = true;
}

int loadOpacity()
{
    const int stored = int(GetPrivateProfileIntA(settingsSection, "opacity", 100, workingPath(settingsFile).c_str()));
    return std::find(std::begin(faceOpacities), std::end(faceOpacities), stored) != std::end(faceOpacities) ? stored
                                                                                                            : 100;
}

void chooseOpacity(int percent)
{
    writeInt("opacity", percent, workingPath(settingsFile));
    g_reloadSkin = true;
}

bool loadClickThrough()
{
    return GetPrivateProfileIntA(settingsSection, "clickthrough", 0, workingPath(settingsFile).c_str()) == 1;
}

void saveClickThrough(bool on)
{
    writeInt("clickthrough", on ? 1 : 0, workingPath(settingsFile));
}
