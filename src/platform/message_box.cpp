#include <cstdio>

#include "core.h"

int MessageBoxA(HWND, const char* text, const char* caption, UINT)
{
    text = text ? text : "";
    caption = caption ? caption : "Error";  // Win32's caption when none is given
    if (!core::displayOpen()) {
        // The user must still learn why the program ends.
        std::fprintf(stderr, "%s: %s\n", caption, text);
        return 0;
    }
    backend::messageBox(text, caption);
    return IDOK;
}
