// Win32's profile functions over a text file that is read whole at each call
// and replaced whole at each write, so nothing is cached between calls.
#include <algorithm>
#include <cstring>
#include <string>

#include "ini_text.h"
#include "os/whole_file.h"
#include <win32_api.h>

namespace {

DWORD copyCut(const char* text, size_t length, char* buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    size_t count = length < size - 1 ? length : size - 1;
    memcpy(buffer, text, count);
    buffer[count] = '\0';
    return static_cast<DWORD>(count);
}

// The stored value (cut at a NUL byte, as the caller sees text), or false.
bool readValue(const char* section, const char* key, const char* path, std::string& value)
{
    std::string text;
    if (!section || !key || !path || readWholeFile(path, text) != FileRead::Ok)
        return false;
    IniLookup found = findIniKey(text, section, key);
    if (!found.keyFound)
        return false;
    const char* start = text.data() + found.valueBegin;
    value.assign(start, strnlen(start, found.valueEnd - found.valueBegin));
    // As in Win32, one pair of matching quotes around the value is dropped.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return true;
}

bool hasAny(const std::string& text, const char* characters)
{
    return text.find_first_of(characters) != std::string::npos;
}

// Names and values that would not read back as written are refused, so that a
// value can never smuggle in lines of its own.
bool writable(const std::string& section, const std::string& key, const char* value)
{
    return !section.empty() && !hasAny(section, "]\r\n") && !key.empty() && !hasAny(key, "=\r\n") &&
           !strchr("[;#", key[0]) && !strpbrk(value, "\r\n");
}

std::string lineEndingOf(const std::string& text)
{
    size_t newline = text.find('\n');
    return newline != std::string::npos && newline > 0 && text[newline - 1] == '\r' ? "\r\n" : "\n";
}

std::string spliced(const std::string& text, size_t begin, size_t end, const std::string& piece)
{
    std::string result;
    result.reserve(text.size() - (end - begin) + piece.size());
    return result.append(text, 0, begin).append(piece).append(text, end, std::string::npos);
}

std::string withValue(const std::string& text, const std::string& section, const std::string& key,
                      const char* value)
{
    IniLookup found = findIniKey(text, section.c_str(), key.c_str());
    if (found.keyFound)
        return spliced(text, found.valueBegin, found.valueEnd, value);
    const std::string eol = lineEndingOf(text);
    std::string lines = key + "=" + value + eol;
    size_t at = found.sectionFound ? found.insertAt : text.size();
    if (!found.sectionFound)
        lines = (text.empty() ? "" : eol) + "[" + section + "]" + eol + lines;
    // An unfinished last line is ended first; a carriage return already there
    // becomes part of that ending, or the line would read a different value.
    if (at > 0 && text[at - 1] != '\n')
        lines = (text[at - 1] == '\r' ? "\n" : eol) + lines;
    return spliced(text, at, at, lines);
}

}  // namespace

DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue, char* buffer,
                               DWORD size, const char* path)
{
    std::string value;
    if (readValue(section, key, path, value))
        return copyCut(value.data(), value.size(), buffer, size);
    const char* fallback = defaultValue ? defaultValue : "";
    return copyCut(fallback, strlen(fallback), buffer, size);
}

UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* path)
{
    std::string value;
    if (!readValue(section, key, path, value) || value.empty())
        return static_cast<UINT>(defaultValue);
    // A leading signed decimal, held to the 32-bit range like Win32's own parse.
    const char* digit = value.c_str();
    bool negative = *digit == '-';
    if (*digit == '-' || *digit == '+')
        ++digit;
    long long magnitude = 0;
    for (; *digit >= '0' && *digit <= '9'; ++digit)
        magnitude = std::min(magnitude * 10 + (*digit - '0'), 1LL << 31);
    long long number = negative ? -magnitude : std::min(magnitude, (1LL << 31) - 1);
    return static_cast<UINT>(static_cast<int>(number));
}

// Win32's deletions through a null key or value are not offered: nothing here deletes.
BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* path)
{
    if (!section || !key || !value || !path)
        return FALSE;
    const std::string sectionName = trimBlanks(section), keyName = trimBlanks(key);
    if (!writable(sectionName, keyName, value))
        return FALSE;
    std::string text;
    if (readWholeFile(path, text) == FileRead::Failed)
        return FALSE;
    return replaceFile(path, withValue(text, sectionName, keyName, value)) ? TRUE : FALSE;
}
