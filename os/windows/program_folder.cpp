#include "os/program_folder.h"

#include <windows.h>

#include "os/executable.h"

bool enterProgramFolder()
{
    DWORD skins = GetFileAttributesA("skins");
    if (skins != INVALID_FILE_ATTRIBUTES && (skins & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    std::string path = executablePath();
    size_t separator = path.find_last_of("\\/");
    return separator != std::string::npos && SetCurrentDirectoryA(path.substr(0, separator + 1).c_str());
}
