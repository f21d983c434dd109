#include "wayland_pointer/pointer_choice.h"

#include <strings.h>

#include <cstring>
#include <string>

namespace pointer_choice {

namespace {

bool isSet(const char* value)
{
    return value && *value;
}

// XDG_CURRENT_DESKTOP is a colon-separated list, most specific first ("ubuntu:GNOME").
bool listsDesktop(const char* desktops, const char* name)
{
    size_t length = std::strlen(name);
    for (const char* entry = desktops; entry && *entry;) {
        const char* end = std::strchr(entry, ':');
        size_t entryLength = end ? size_t(end - entry) : std::strlen(entry);
        if (entryLength == length && strncasecmp(entry, name, length) == 0)
            return true;
        entry = end ? end + 1 : nullptr;
    }
    return false;
}

}  // namespace

Helper forSession(const char* sessionType, const char* waylandDisplay, const char* currentDesktop)
{
    // An X11 session says so; otherwise a Wayland socket decides, as for a
    // compositor started from a console, whose session type stays "tty".
    bool x11 = isSet(sessionType) && strcasecmp(sessionType, "x11") == 0;
    bool wayland = !x11 && ((isSet(sessionType) && strcasecmp(sessionType, "wayland") == 0) || isSet(waylandDisplay));
    if (!wayland)
        return Helper::NotNeeded;
    if (listsDesktop(currentDesktop, "GNOME"))
        return Helper::GnomeExtension;
    if (listsDesktop(currentDesktop, "KDE"))
        return Helper::KwinScript;
    return Helper::Impossible;
}

}  // namespace pointer_choice
