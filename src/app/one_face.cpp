#include "app/one_face.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "os/cwd.h"

namespace {

HANDLE claim = nullptr;

// The folder by a hash of its path, as a name that Windows takes for a mutex
// and a message (no backslash) and the layer for a file (no slash).
std::string folderName()
{
    std::string folder;
    currentDirectory(folder);
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : folder)
        hash = (hash ^ c) * 1099511628211ull;
    char name[40];
    snprintf(name, sizeof name, "Glimora-%016llx", static_cast<unsigned long long>(hash));
    return name;
}

}  // namespace

UINT comeIntoViewMessage()
{
    static const UINT message = RegisterWindowMessageA(folderName().c_str());
    return message;
}

bool claimFolder()
{
    // Registered before the claim, so the first face hears a start that follows at once.
    const UINT message = comeIntoViewMessage();
    claim = CreateMutexA(nullptr, FALSE, folderName().c_str());
    if (!claim || GetLastError() != ERROR_ALREADY_EXISTS)
        return true;
    CloseHandle(claim);
    claim = nullptr;
    PostMessageA(HWND_BROADCAST, message, 0, 0);
    return false;
}

void releaseFolder()
{
    if (claim)
        CloseHandle(claim);
    claim = nullptr;
}
