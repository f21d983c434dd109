// Finding a key in profile (INI) text the way Win32's profile functions do:
// section and key names match whatever their letter case, blanks around names
// and values do not count, lines starting with ';' or '#' are comments, and a
// name found twice counts where it is first found. CRLF, NUL bytes and lines
// of any length are plain text here; one pass, no copies.
#pragma once

#include <cstddef>
#include <string>

struct IniLookup {
    bool sectionFound = false;
    bool keyFound = false;
    // The value without its surrounding blanks, when the key was found.
    size_t valueBegin = 0, valueEnd = 0;
    // Where a missing key belongs: after the section's last key line (or its header).
    size_t insertAt = 0;
};

IniLookup findIniKey(const std::string& text, const char* section, const char* key);

// Blanks do not count around names passed in either.
std::string trimBlanks(const char* name);
