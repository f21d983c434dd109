#include "os/cwd.h"

#include <unistd.h>

#include <cerrno>

#include "platform/win32.h"

char* _getcwd(char* buffer, int size)
{
    if (!buffer || size <= 0) {
        errno = EINVAL;
        return nullptr;
    }
    return getcwd(buffer, static_cast<size_t>(size));
}

bool currentDirectory(std::string& directory)
{
    std::string buffer(4096, '\0');
    while (!_getcwd(&buffer[0], static_cast<int>(buffer.size()))) {
        if (errno != ERANGE || buffer.size() > (1u << 24))
            return false;
        buffer.resize(buffer.size() * 2);
    }
    directory.assign(buffer.c_str());
    return true;
}
