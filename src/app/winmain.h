// The application shell: one window, one skin, rebuilt on every skin change.
#pragma once

#include "globals/globals.h"
#include "system/win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, char* commandLine, int showCommand);
bool CreateEyesWindow(int width, int height);
// The window is now on a display of this DPI (WM_DPICHANGED): when that changes
// the scale, the face is built again at the new one around the same centre.
void rebuildForDpi(unsigned dpi);
