// eyes.ini in the working directory: the window's centre and the chosen skin.
#pragma once

#include <string>

// The working directory joined with a name, without any length limit of ours.
std::string workingPath(const char* name);

void LoadWindowPosition();
void SaveWindowPosition();
void SaveSkinName(const char* name);
void ChooseSkin(const char* name);
