#include "core.h"

int MessageBoxA(HWND, const char* text, const char* caption, UINT)
{
    text = text ? text : "";
    caption = caption ? caption : "Error";  // Win32's caption when none is given
    // Without a display there is no box; callers say on stderr what they must.
    if (!core::displayOpen())
        return 0;
    backend::messageBox(text, caption);
    return IDOK;
}
