// Which compositor helper can tell the program where the pointer is. Free of
// GTK, so that the choice is tested headless.
#pragma once

namespace pointer_choice {

enum class Helper {
    NotNeeded,       // an X11 session: the X server sees the pointer everywhere
    GnomeExtension,  // GNOME on Wayland: our Shell extension answers
    KwinScript,      // KDE on Wayland: our KWin script pushes
    Impossible,      // another Wayland desktop: nothing tells a client the pointer
};

// From XDG_SESSION_TYPE, WAYLAND_DISPLAY and XDG_CURRENT_DESKTOP (any may be null).
Helper forSession(const char* sessionType, const char* waylandDisplay, const char* currentDesktop);

}  // namespace pointer_choice
