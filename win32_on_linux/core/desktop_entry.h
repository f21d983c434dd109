// A registry value kept as a desktop entry, so that the desktop's autostart
// folder can serve as the Run key:
// - REG_SZ: an Application entry whose Exec line runs the data (one program
//   path, bare or in Windows' double quotes, quoted as desktop entries require) in the folder it was registered
//   from (Path=). Its size reads back as the text's length + 1; size 0 is an
//   entry without an Exec line, which no desktop starts.
// - any other type: an entry with Hidden=true, which desktops treat as absent,
//   keeping the type and the bytes in X-Glimora-Type and X-Glimora-Data (hex).
// - an entry hidden by other means (the user disabled it) reads as REG_NONE.
#pragma once

#include <string>

#include <win32_api.h>

struct RegistryValue {
    DWORD type = REG_NONE;
    std::string data;  // as a query returns it; REG_SZ text with its terminating zero
};

std::string desktopEntry(const std::string& name, const RegistryValue& value, const std::string& workingDirectory);
RegistryValue readDesktopEntry(const std::string& text);
