// The Win32 API and Allegro, as every part of the program sees them. On Windows
// they are the system's: Allegro comes first, then its winalleg.h brings in
// <windows.h> so that both agree on BITMAP and on the entry point. On Linux
// win32_on_linux/ serves a winalleg.h of its own with the same names.
#pragma once

#include <allegro.h>
#include <winalleg.h>
