// The settings file as users may leave it after editing by hand: the input's
// first line is a skin name, the rest eyes.ini. The file is read as the
// program reads it, the name stored; then the name must read back as stored
// and the centre must not have moved.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "scratch_folder.h"
#include "settings/settings.h"
#include "system/win32.h"

namespace {

std::string readSkin()
{
    char name[512];
    GetPrivateProfileStringA("global", "skin", "", name, sizeof name, workingPath("eyes.ini").c_str());
    return name;
}

POINT readCentre()
{
    return {int(GetPrivateProfileIntA("global", "x", -1, workingPath("eyes.ini").c_str())),
            int(GetPrivateProfileIntA("global", "y", -1, workingPath("eyes.ini").c_str()))};
}

// A folder name from the menu: printable, and short enough for the reader's buffer.
bool plainName(const std::string& name)
{
    return name.size() < 500 && std::none_of(name.begin(), name.end(), [](char c) { return uint8_t(c) < 0x20; });
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    scratch::make();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    scratch::enter();
    std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t lineEnd = std::min(input.find('\n'), input.size());
    std::string_view firstLine = input.substr(0, lineEnd);
    const std::string name(firstLine.substr(0, firstLine.find('\0')));  // a C string, as the menu gives it
    std::ofstream("eyes.ini", std::ios::binary | std::ios::trunc) << input.substr(std::min(lineEnd + 1, size));

    readSkin();
    const POINT centre = readCentre();
    SaveSkinName(name.c_str());
    if (plainName(name) && readSkin() != name)
        abort();  // the stored name reads back otherwise
    const POINT after = readCentre();
    if (after.x != centre.x || after.y != centre.y)
        abort();  // storing the skin moved the centre
    scratch::leave();
    return 0;
}
