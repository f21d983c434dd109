// The application shell: one window, one skin, rebuilt on every skin change.
#pragma once

#include "platform/win32.h"

class Skin;

constexpr UINT_PTR IDT_EYES = 101;

extern HWND g_hwnd;
extern Skin* g_skin;
extern bool g_reloadSkin;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, char* commandLine, int showCommand);
bool CreateEyesWindow(int width, int height);
LRESULT CALLBACK EyesWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
