#include "os/executable.h"

#include <windows.h>

std::string executablePath()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return "";
        // A full buffer means the name was cut short.
        if (length < path.size())
            return path.substr(0, length);
        if (path.size() > (1u << 16))
            return "";
        path.resize(path.size() * 2);
    }
}
