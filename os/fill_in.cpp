#include "os/translation.h"

#include <cctype>
#include <cstdlib>
#include <vector>

std::string fillIn(const char* format, std::initializer_list<std::string> values)
{
    const std::vector<std::string> given(values);
    std::string text;
    size_t next = 0;  // the value a plain %s takes
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            text += *p;
            continue;
        }
        if (p[1] == '%') {
            text += '%';
            ++p;
            continue;
        }
        size_t index = next;
        const char* s = p + 1;
        if (std::isdigit(static_cast<unsigned char>(*s))) {
            char* end = nullptr;
            const unsigned long n = std::strtoul(s, &end, 10);
            if (*end == '$' && n > 0) {
                index = n - 1;
                s = end + 1;
            }
        }
        if (*s != 's') {  // not a directive of ours: kept as written
            text += *p;
            continue;
        }
        if (index < given.size())
            text += given[index];
        next = index + 1;
        p = s;
    }
    return text;
}

std::string translateWith(const char* english, std::initializer_list<std::string> values)
{
    return fillIn(translate(english), values);
}
