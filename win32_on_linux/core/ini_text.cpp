#include "ini_text.h"

#include <cctype>
#include <cstring>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

struct Span {
    size_t begin, end;
};

// One line's content without its line ending, and where the next line starts.
struct Line {
    Span content;
    size_t next;
};

Line lineAt(const std::string& text, size_t begin)
{
    const void* newline = memchr(text.data() + begin, '\n', text.size() - begin);
    size_t end = newline ? static_cast<const char*>(newline) - text.data() : text.size();
    size_t next = newline ? end + 1 : end;
    if (end > begin && text[end - 1] == '\r')
        --end;
    return {{begin, end}, next};
}

Span trimmed(const std::string& text, Span span)
{
    while (span.begin < span.end && isBlank(text[span.begin]))
        ++span.begin;
    while (span.end > span.begin && isBlank(text[span.end - 1]))
        --span.end;
    return span;
}

bool sameName(const std::string& text, Span span, const std::string& name)
{
    if (span.end - span.begin != name.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char a = text[span.begin + i], b = name[i];
        if (a != b && !(a < 128 && b < 128 && tolower(a) == tolower(b)))
            return false;
    }
    return true;
}

enum class Kind { Other, Section, Key };

struct Parsed {
    Kind kind = Kind::Other;
    Span name{}, value{};
};

Parsed parse(const std::string& text, Span content)
{
    Parsed line;
    Span all = trimmed(text, content);
    if (all.begin == all.end || text[all.begin] == ';' || text[all.begin] == '#')
        return line;
    const char* start = text.data() + all.begin;
    size_t length = all.end - all.begin;
    if (*start == '[') {
        const void* close = memchr(start, ']', length);
        if (close) {
            line.kind = Kind::Section;
            line.name = trimmed(text, {all.begin + 1, size_t(static_cast<const char*>(close) - text.data())});
        }
        return line;
    }
    const void* equals = memchr(start, '=', length);
    if (equals) {
        size_t at = static_cast<const char*>(equals) - text.data();
        line.kind = Kind::Key;
        line.name = trimmed(text, {all.begin, at});
        line.value = trimmed(text, {at + 1, all.end});
    }
    return line;
}

}  // namespace

std::string trimBlanks(const char* name)
{
    std::string text(name);
    Span span = trimmed(text, {0, text.size()});
    return text.substr(span.begin, span.end - span.begin);
}

IniLookup findIniKey(const std::string& text, const char* section, const char* key)
{
    const std::string sectionName = trimBlanks(section), keyName = trimBlanks(key);
    IniLookup found;
    bool inSection = false;
    for (size_t begin = 0; begin < text.size();) {
        Line line = lineAt(text, begin);
        Parsed parsed = parse(text, line.content);
        if (parsed.kind == Kind::Section) {
            if (found.sectionFound)
                break;
            inSection = sameName(text, parsed.name, sectionName);
            if (inSection) {
                found.sectionFound = true;
                found.insertAt = line.next;
            }
        } else if (inSection && parsed.kind == Kind::Key) {
            if (sameName(text, parsed.name, keyName)) {
                found.keyFound = true;
                found.valueBegin = parsed.value.begin;
                found.valueEnd = parsed.value.end;
                return found;
            }
            found.insertAt = line.next;
        }
        begin = line.next;
    }
    return found;
}
