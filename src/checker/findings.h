// What a skin author needs to know about a loaded skin: the eyes the program
// finds, the files it uses, and what will make the skin look wrong.
#pragma once

#include <string>
#include <vector>

#include "system/win32.h"

class Skin;

enum class Problem {
    NoMarkers,
    TooManyMarkers,
    MarkerFillsAnotherArea,
    AreaReachesEdge,
    AreaCoversMostOfPicture,
    PupilLargerThanEye,
    MaskSizeDiffers,
    MaskShowsNothing,
    BackgroundSmaller,
    UnreadableFile,
    FourthBytesIgnored,
    AlphaUnused,
};

struct Warning {
    Problem problem;
    std::string text;
};

struct EyeFinding {
    POINT marker;
    RECT bounds;
    std::string pupilFile;  // "eyeN.bmp", "eye.bmp" or "built-in oval"
    int pupilWidth, pupilHeight;
};

struct Findings {
    int width = 0, height = 0;
    bool alpha = false;  // main.bmp has an alpha channel
    bool maskUsed = false;
    bool backgroundUsed = false;
    std::vector<EyeFinding> eyes;
    std::vector<Warning> warnings;
};

// skin is loaded from folder; the folder's main.bmp is read
// again for the markers as drawn, before detection painted over them.
Findings findProblems(const std::string& folder, const Skin& skin);
