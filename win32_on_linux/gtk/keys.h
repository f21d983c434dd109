// Native key events in Win32's terms.
#pragma once

#include <gdk/gdk.h>

#include <win32_api.h>

// The Win32 virtual-key code of a key, or 0 for keys that have none.
UINT virtualKeyOf(guint keyval);
// WM_KEYDOWN's lParam: repeat count 1 and the scan code in bits 16-23.
LPARAM keyDownParam(const GdkEventKey& event);
