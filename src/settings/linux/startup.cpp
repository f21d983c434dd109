#include "settings/startup.h"

#include <string>

#include "os/executable.h"
#include "platform/win32.h"

namespace {

const char runKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char valueName[] = "Glimora";

}  // namespace

void SetRunOnStartup(bool enable)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, runKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    if (enable) {
        const std::string program = executablePath();
        if (!program.empty())
            RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(program.c_str()),
                           static_cast<DWORD>(program.size() + 1));
    } else {
        RegDeleteValueA(key, valueName);
    }
    RegCloseKey(key);
}

bool IsRunOnStartup()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, runKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = REG_NONE, size = 0;
    LSTATUS status = RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ && size != 0;
}
