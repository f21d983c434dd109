// Named mutexes as lock files in the user's runtime folder: flock is held per
// open file, across processes, and let go by the system when a process ends,
// as Windows abandons a mutex.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "core.h"

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

std::string lockPath(const char* name)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string folder = runtime && *runtime ? runtime : "/tmp";
    // A shared folder names the user, whose locks no one else may hold.
    if (!runtime || !*runtime)
        return folder + "/" + name + "-" + std::to_string(getuid()) + ".lock";
    return folder + "/" + name + ".lock";
}

// A handle is the lock file's descriptor plus one, so that none is null.
HANDLE handleOf(int descriptor)
{
    return reinterpret_cast<HANDLE>(intptr_t{descriptor} + 1);
}

}  // namespace

HANDLE CreateMutexA(void*, BOOL, const char* name)
{
    lastError = ERROR_SUCCESS;
    if (!name || !*name || std::string(name).find('/') != std::string::npos) {
        lastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    const int descriptor = open(lockPath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        lastError = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0)
        lastError = ERROR_ALREADY_EXISTS;
    return handleOf(descriptor);
}

BOOL CloseHandle(HANDLE handle)
{
    const intptr_t descriptor = reinterpret_cast<intptr_t>(handle) - 1;
    return handle && close(int(descriptor)) == 0;
}

DWORD GetLastError()
{
    return lastError;
}
