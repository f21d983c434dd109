#include "settings/startup.h"

#include <string>

#include "os/executable.h"
#include "system/win32.h"

namespace {

const char runKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char valueName[] = "Glimora";

// The current user's key: a normal user may not write the machine-wide one,
// and a check mark must not show what was never stored.
void setUserValue(bool enable)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, runKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    if (enable) {
        const std::string program = executablePath();
        // Quoted, so that a folder with blanks starts this program and not a part of its path.
        const std::string command = "\"" + program + "\"";
        if (!program.empty())
            RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                           static_cast<DWORD>(command.size() + 1));
    } else {
        RegDeleteValueA(key, valueName);
    }
    RegCloseKey(key);
}

bool hasValue(HKEY root)
{
    HKEY key;
    if (RegOpenKeyExA(root, runKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = REG_NONE, size = 0;
    LSTATUS status = RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ && size != 0;
}

}  // namespace

void SetRunOnStartup(bool enable)
{
    setUserValue(enable);
    // An entry made earlier for the whole machine goes too where the user may remove it.
    if (!enable) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, runKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, valueName);
            RegCloseKey(key);
        }
    }
}

// Entries made earlier for the whole machine count too.
bool IsRunOnStartup()
{
    return hasValue(HKEY_CURRENT_USER) || hasValue(HKEY_LOCAL_MACHINE);
}
