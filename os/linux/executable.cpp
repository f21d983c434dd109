#include "os/executable.h"

#include <unistd.h>

std::string executablePath()
{
    std::string path(4096, '\0');
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", &path[0], path.size());
        if (length < 0)
            return "";
        if (static_cast<size_t>(length) < path.size())
            return path.substr(0, static_cast<size_t>(length));
        path.resize(path.size() * 2);
    }
}
