#include "os/cwd.h"

#include <windows.h>

bool currentDirectory(std::string& directory)
{
    // The length may grow between the two calls when another thread changes it.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD needed = GetCurrentDirectoryA(0, nullptr);
        if (needed == 0)
            return false;
        std::string buffer(needed, '\0');
        DWORD length = GetCurrentDirectoryA(needed, &buffer[0]);
        if (length == 0)
            return false;
        if (length < needed) {
            buffer.resize(length);
            directory = buffer;
            return true;
        }
    }
    return false;
}
