#include "desktop_entry.h"

#include <cstdlib>
#include <cstring>

#include "ini_text.h"

namespace {

const char group[] = "Desktop Entry";
const char hexDigits[] = "0123456789abcdef";

// The escapes of a desktop entry's string values; blanks at either end are
// escaped because readers drop them.
std::string escaped(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == ' ' && (i == 0 || i + 1 == text.size()))
            out += "\\s";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

char unescapedCharacter(char c)
{
    switch (c) {
    case 's': return ' ';
    case 't': return '\t';
    case 'n': return '\n';
    case 'r': return '\r';
    case '\\': return '\\';
    default: return '\0';
    }
}

std::string unescaped(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i] == '\\' && i + 1 < text.size() ? unescapedCharacter(text[i + 1]) : '\0';
        if (c)
            ++i;
        out += c ? c : text[i];
    }
    return out;
}

// One Exec argument: quoted when it holds a reserved character, with '"', '`',
// '$' and '\' escaped inside the quotes and '%' doubled everywhere.
std::string execArgument(const std::string& program)
{
    const bool quote = program.empty() || program.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos;
    std::string argument;
    for (char c : program) {
        if (quote && c && strchr("\"`$\\", c))
            argument += '\\';
        argument += c;
        if (c == '%')
            argument += '%';
    }
    return quote ? '"' + argument + '"' : argument;
}

// A Run value is a command line: Windows quotes a program path that has blanks,
// which the Exec line then quotes in its own way.
std::string programOfCommand(const std::string& command)
{
    const size_t last = command.size() - 1;
    if (command.size() >= 2 && command[0] == '"' && command.find('"', 1) == last)
        return command.substr(1, last - 1);
    return command;
}

std::string programOf(const std::string& exec)
{
    std::string program;
    bool quoted = false;
    for (size_t i = 0; i < exec.size(); ++i) {
        char c = exec[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        bool escape = (quoted && c == '\\') || (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%');
        if (escape && i + 1 < exec.size())
            c = exec[++i];
        program += c;
    }
    return program;
}

std::string hex(const std::string& bytes)
{
    std::string out;
    for (unsigned char byte : bytes)
        out.append({hexDigits[byte >> 4], hexDigits[byte & 15]});
    return out;
}

std::string unhex(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        const char* high = strchr(hexDigits, text[i]);
        const char* low = strchr(hexDigits, text[i + 1]);
        if (!text[i] || !text[i + 1] || !high || !low)
            break;
        out += static_cast<char>((high - hexDigits) << 4 | (low - hexDigits));
    }
    return out;
}

bool lookUp(const std::string& text, const char* key, std::string& value)
{
    IniLookup found = findIniKey(text, group, key);
    if (found.keyFound)
        value = unescaped(text.substr(found.valueBegin, found.valueEnd - found.valueBegin));
    return found.keyFound;
}

}  // namespace

std::string desktopEntry(const std::string& name, const RegistryValue& value, const std::string& workingDirectory)
{
    std::string entry = std::string("[") + group + "]\nType=Application\nName=" + escaped(name) + "\n";
    if (value.type != REG_SZ)
        return entry + "Hidden=true\nX-Glimora-Type=" + std::to_string(value.type) +
               "\nX-Glimora-Data=" + hex(value.data) + "\n";
    if (!value.data.empty())
        entry += "Exec=" + escaped(execArgument(programOfCommand(value.data.c_str()))) + "\n";
    if (!workingDirectory.empty())
        entry += "Path=" + escaped(workingDirectory) + "\n";
    return entry;
}

RegistryValue readDesktopEntry(const std::string& text)
{
    RegistryValue value;
    std::string field;
    if (lookUp(text, "X-Glimora-Type", field)) {
        value.type = static_cast<DWORD>(strtoul(field.c_str(), nullptr, 10));
        if (lookUp(text, "X-Glimora-Data", field))
            value.data = unhex(field);
    } else if (!(lookUp(text, "Hidden", field) && field == "true")) {
        value.type = REG_SZ;
        if (lookUp(text, "Exec", field))
            value.data = programOf(field) + '\0';
    }
    return value;
}
