// Skins drawn for the end-to-end tests, and the frames the program must show with them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A 60 x 70 face with one eye: white from (11, 21) to (39, 49), so its bounds are
// (10, 20, 40, 50), with the marker at (25, 35) and the built-in 4 x 6 pupil.
// Its mask cuts a 6 x 6 square off the top-left and the bottom-right corners.
constexpr int faceWidth = 60;
constexpr int faceHeight = 70;
constexpr uint32_t faceColour = 0xC03030;
constexpr uint32_t eyeWhite = 0xFFFFFF;
constexpr uint32_t desktopColour = 0x000000;

void drawFaceSkin(const std::string& folder);
// The window's pixels with the pupil's top-left corner at (x, y).
std::vector<uint32_t> expectedFace(int pupilX, int pupilY);
bool insideFaceShape(int x, int y);

// A skin of one colour, no eyes and no mask.
void drawPlainSkin(const std::string& folder, int width, int height, uint32_t colour);
