// On Windows the program calls the real Win32 API. This header stands where the
// Linux layer's declarations stand on Linux (the build picks one by include
// path). Allegro comes first: winalleg.h then brings in <windows.h> so that
// both agree on BITMAP and on the entry point.
#pragma once

#include <allegro.h>
#include <winalleg.h>
