// eyes.ini in the working directory: the window's centre and the chosen skin.
#pragma once

#include <string>

#include "system/win32.h"

// The settings file, in the working directory, and its one section.
constexpr char settingsFile[] = "eyes.ini";
constexpr char settingsSection[] = "global";

// The working directory joined with a name, without any length limit of ours.
std::string workingPath(const char* name);

// A window of this size in the middle of the primary monitor, where the face
// is made and a face off every monitor comes back.
RECT centredOnPrimaryMonitor(int width, int height);
void LoadWindowPosition();
void SaveWindowPosition();
// The stored skin's folder under skins/, cut to 511 characters; empty for the
// skins folder itself, the default face.
std::string loadSkinName();
void SaveSkinName(const char* name);
void ChooseSkin(const char* name);

// The size the user picked for the face, a whole-number enlargement on top of
// the display's scale: "size" in the settings file, 1 to 4; anything else is 1.
constexpr int smallestFaceSize = 1, largestFaceSize = 4;
int loadFaceSize();
// Stores the size and asks for the face to be built again around its centre.
void chooseFaceSize(int size);

// How opaque the face is, in percent: "opacity" in the settings file, one of
// these; anything else is fully opaque.
constexpr int faceOpacities[] = {100, 80, 60, 40};
int loadOpacity();
// Stores the opacity and asks for the face to be built again with it.
void chooseOpacity(int percent);

// Whether clicks pass through the face: "clickthrough=1" in the settings file.
bool loadClickThrough();
void saveClickThrough(bool on);
