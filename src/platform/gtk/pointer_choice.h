// Which compositor helper can tell the program where the pointer is. Free of
// GTK, so that the choice is tested headless.
#pragma once

#include <string>

namespace pointer_choice {

enum class Helper {
    NotNeeded,       // an X11 session: the X server sees the pointer everywhere
    GnomeExtension,  // GNOME on Wayland: our Shell extension answers
    KwinScript,      // KDE on Wayland: our KWin script pushes
    Impossible,      // another Wayland desktop: nothing tells a client the pointer
};

// From XDG_SESSION_TYPE, WAYLAND_DISPLAY and XDG_CURRENT_DESKTOP (any may be null).
Helper forSession(const char* sessionType, const char* waylandDisplay, const char* currentDesktop);

// What the user is told, once, when no helper answers on a Wayland session.
const char* noticeText(Helper helper);

// What GNOME Shell says of our extension: its extensions service's state
// number (1 active; 2 and 6 off; 3 error; 4 out of date; anything else, or
// nothing, unknown), the error it gives, the shell's major version and the
// newest one the extension lists.
struct ExtensionReport {
    int state = 0;
    std::string error;
    int shellMajor = 0;
    int newestListed = 0;
};
// The notice for GNOME: which state keeps the extension from answering, and the step that fixes it.
std::string gnomeNoticeText(const ExtensionReport& report);

}  // namespace pointer_choice
