// What the user is told, once, when no helper can tell the program where the
// pointer is on a Wayland session, in the user's language. Free of GTK, so
// that it is tested headless.
#pragma once

#include <string>

#include "wayland_pointer/pointer_choice.h"

namespace notice_texts {

// When no helper answers on a Wayland session.
std::string forHelper(pointer_choice::Helper helper);

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
std::string forGnome(const ExtensionReport& report);
// Whether the extension is only off, so that turning it on is the fix.
bool isOff(const ExtensionReport& report);

// The desktop notification's title, and its action's label where it offers to turn the extension on.
const char* title();
const char* turnOn();

}  // namespace notice_texts
