// The registry's Run key, served by the desktop's autostart folder: each value
// is a desktop entry named after it (see desktop_entry.h). The user's key and
// the machine's are the same folder, the only autostart a user has; no other
// key exists.
#include <fcntl.h>
#include <pwd.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "desktop_entry.h"
#include "os/cwd.h"
#include "os/whole_file.h"
#include <win32_api.h>

namespace {

const char runKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr REGSAM queryValue = KEY_QUERY_VALUE, setValue = KEY_SET_VALUE;

struct OpenKey {
    std::string folder;
    REGSAM access;
};

// Handles given out and not yet closed; any other handle is refused.
std::set<OpenKey*> openKeys;

OpenKey* opened(HKEY key)
{
    auto* open = reinterpret_cast<OpenKey*>(key);
    return openKeys.count(open) ? open : nullptr;
}

// $XDG_CONFIG_HOME/autostart, by default ~/.config/autostart; relative
// settings are ignored as the desktop ignores them.
std::string autostartFolder()
{
    const char* config = getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/autostart";
    const char* home = getenv("HOME");
    if (!home || home[0] != '/') {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : nullptr;
    }
    return home && home[0] == '/' ? std::string(home) + "/.config/autostart" : "";
}

bool isFolder(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Missing folders are made private, like the rest of the user's configuration.
bool makeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0700);
    mkdir(path.c_str(), 0700);
    return isFolder(path);
}

bool isValueName(const char* name)
{
    return name && *name && !strchr(name, '/');
}

std::string entryPath(const OpenKey& key, const char* valueName)
{
    return key.folder + "/" + valueName + ".desktop";
}

}  // namespace

LSTATUS RegOpenKeyExA(HKEY key, const char* subKey, DWORD, REGSAM desired, HKEY* result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::string folder = autostartFolder();
    const bool runRoot = key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE;
    if (!runRoot || !subKey || strcasecmp(subKey, runKey) != 0 || folder.empty())
        return ERROR_FILE_NOT_FOUND;
    if (desired & setValue) {
        if (!makeFolders(folder) || faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
            return ERROR_ACCESS_DENIED;
    } else if (!isFolder(folder)) {
        return ERROR_FILE_NOT_FOUND;
    }
    auto* open = new OpenKey{folder, desired};
    openKeys.insert(open);
    *result = reinterpret_cast<HKEY>(open);
    return ERROR_SUCCESS;
}

// The Run key always exists here, so creating it is opening it for writing.
LSTATUS RegCreateKeyExA(HKEY key, const char* subKey, DWORD, char*, DWORD, REGSAM access, void*, HKEY* result,
                        DWORD* disposition)
{
    if (disposition)
        *disposition = REG_OPENED_EXISTING_KEY;
    return RegOpenKeyExA(key, subKey, 0, access, result);
}

LSTATUS RegSetValueExA(HKEY key, const char* valueName, DWORD, DWORD type, const BYTE* data, DWORD size)
{
    const OpenKey* open = opened(key);
    if (!open)
        return ERROR_INVALID_HANDLE;
    if (!(open->access & setValue))
        return ERROR_ACCESS_DENIED;
    if (!isValueName(valueName) || (!data && size))
        return ERROR_INVALID_PARAMETER;
    RegistryValue value{type, size ? std::string(reinterpret_cast<const char*>(data), size) : std::string()};
    // A Run value starts its program where it was registered from.
    std::string workingDirectory;
    currentDirectory(workingDirectory);
    bool stored = replaceFile(entryPath(*open, valueName), desktopEntry(valueName, value, workingDirectory));
    return stored ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LSTATUS RegDeleteValueA(HKEY key, const char* valueName)
{
    const OpenKey* open = opened(key);
    if (!open)
        return ERROR_INVALID_HANDLE;
    if (!(open->access & setValue))
        return ERROR_ACCESS_DENIED;
    if (!isValueName(valueName))
        return ERROR_FILE_NOT_FOUND;
    if (unlink(entryPath(*open, valueName).c_str()) == 0)
        return ERROR_SUCCESS;
    return errno == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED;
}

LSTATUS RegQueryValueExA(HKEY key, const char* valueName, DWORD*, DWORD* type, BYTE* data, DWORD* size)
{
    const OpenKey* open = opened(key);
    if (!open)
        return ERROR_INVALID_HANDLE;
    if (!(open->access & queryValue))
        return ERROR_ACCESS_DENIED;
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    std::string text;
    FileRead read = isValueName(valueName) ? readWholeFile(entryPath(*open, valueName).c_str(), text)
                                           : FileRead::Missing;
    if (read != FileRead::Ok)
        return read == FileRead::Missing ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED;
    RegistryValue value = readDesktopEntry(text);
    const DWORD needed = static_cast<DWORD>(value.data.size());
    LSTATUS status = ERROR_SUCCESS;
    if (data && *size < needed)
        status = ERROR_MORE_DATA;
    else if (data)
        memcpy(data, value.data.data(), needed);
    if (type)
        *type = value.type;
    if (size)
        *size = needed;
    return status;
}

LSTATUS RegCloseKey(HKEY key)
{
    OpenKey* open = opened(key);
    if (!open)
        return ERROR_INVALID_HANDLE;
    openKeys.erase(open);
    delete open;
    return ERROR_SUCCESS;
}
