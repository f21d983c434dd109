#include "os/executable.h"

#include <sys/stat.h>
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

std::string nearestShareFolder(const std::string& name)
{
    std::string folder = executablePath();
    struct stat status;
    for (size_t slash; (slash = folder.rfind('/')) != std::string::npos;) {
        folder.erase(slash);
        const std::string candidate = folder + "/share/" + name;
        if (stat(candidate.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
            return candidate;
    }
    return "";
}
