// eyes.ini in the working directory: the window's centre and the chosen skin.
#pragma once

#include <string>

// The settings file, in the working directory, and its one section.
constexpr char settingsFile[] = "eyes.ini";
constexpr char settingsSection[] = "global";

// The working directory joined with a name, without any length limit of ours.
std::string workingPath(const char* name);

void LoadWindowPosition();
void SaveWindowPosition();
void SaveSkinName(const char* name);
void ChooseSkin(const char* name);
