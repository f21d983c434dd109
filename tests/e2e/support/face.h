// The face the end-to-end tests draw, and what its window shows for a pointer.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

// skins/face is 60 x 70 with one white eye from (11, 21) to (39, 49), so its bounds
// are (10, 20, 40, 50), its marker at (25, 35) and the built-in 4 x 6 pupil. Its
// mask cuts a 6 x 6 square off the top-left and the bottom-right corners.
constexpr int faceWidth = 60;
constexpr int faceHeight = 70;
constexpr int faceCut = 6;
constexpr uint32_t faceColour = 0xC03030;

// Draws skins/face in the working folder.
void writeFaceSkin();

// What the face's window shows with the pupil's top-left corner at (x, y), each
// pixel a scale x scale block, row by row.
std::vector<uint32_t> expectedFace(int pupilX, int pupilY, int scale = 1);

// Waits until read() gives the face with its pupil's corner at (x, y).
testing::AssertionResult showsPupilAt(const std::function<std::vector<uint32_t>()>& read, int pupilX, int pupilY,
                                      int scale = 1);

// A pointer relative to the window's top-left corner, and where the pupil's corner goes.
struct PupilCase {
    int pointerX, pointerY, pupilX, pupilY;
};
extern const PupilCase pupilCases[7];
