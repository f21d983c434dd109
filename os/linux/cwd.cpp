#include "os/cwd.h"

#include <unistd.h>

#include <cerrno>

bool currentDirectory(std::string& directory)
{
    std::string buffer(4096, '\0');
    while (!getcwd(&buffer[0], buffer.size())) {
        if (errno != ERANGE || buffer.size() > (1u << 24))
            return false;
        buffer.resize(buffer.size() * 2);
    }
    directory.assign(buffer.c_str());
    return true;
}
