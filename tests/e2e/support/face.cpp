#include "e2e/support/face.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "e2e/support/desktop.h"
#include "support/fixtures.h"

namespace {

bool inPupil(int x, int y, int pupilX, int pupilY)
{
    static const char* const rows[6] = {"..#.", ".###", "####", "####", "####", ".###"};
    int col = x - pupilX, row = y - pupilY;
    return col >= 0 && col < 4 && row >= 0 && row < 6 && rows[row][col] == '#';
}

uint32_t facePixel(int x, int y, int pupilX, int pupilY)
{
    bool cutOff = (x < faceCut && y < faceCut) || (x >= faceWidth - faceCut && y >= faceHeight - faceCut);
    bool inEye = x > 10 && x < 40 && y > 20 && y < 50;
    if (cutOff)
        return 0;  // the bare desktop, or nothing drawn
    if (inEye)
        return inPupil(x, y, pupilX, pupilY) ? 0 : 0xFFFFFF;
    return faceColour;
}

std::string hexColour(uint32_t colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "#%06x", colour);
    return text;
}

}  // namespace

void writeFaceSkin()
{
    makeDirs("skins/face");
    BITMAP* main = makeBitmap(faceWidth, faceHeight, faceColour);
    rectfill(main, 11, 21, 39, 49, 0xFFFFFF);
    putpixel(main, 25, 35, magenta());
    saveBmp("skins/face/main.bmp", main);
    destroy_bitmap(main);
    BITMAP* mask = makeBitmap(faceWidth, faceHeight, 0);
    rectfill(mask, 0, 0, faceCut - 1, faceCut - 1, 0xFFFFFF);
    rectfill(mask, faceWidth - faceCut, faceHeight - faceCut, faceWidth - 1, faceHeight - 1, 0xFFFFFF);
    saveBmp("skins/face/mask.bmp", mask);
    destroy_bitmap(mask);
}

std::vector<uint32_t> expectedFace(int pupilX, int pupilY, int scale)
{
    std::vector<uint32_t> frame;
    for (int y = 0; y < faceHeight * scale; ++y)
        for (int x = 0; x < faceWidth * scale; ++x)
            frame.push_back(facePixel(x / scale, y / scale, pupilX, pupilY));
    return frame;
}

testing::AssertionResult showsPupilAt(const std::function<std::vector<uint32_t>()>& read, int pupilX, int pupilY,
                                      int scale)
{
    std::vector<uint32_t> expected = expectedFace(pupilX, pupilY, scale), shown;
    if (eventually([&] { return (shown = read()) == expected; }, 3000))
        return testing::AssertionSuccess();
    auto first = std::mismatch(shown.begin(), shown.end(), expected.begin(), expected.end()).first - shown.begin();
    auto failure = testing::AssertionFailure() << shown.size() << " pixels shown, the first wrong at ("
                                               << first % (faceWidth * scale) << ", " << first / (faceWidth * scale)
                                               << ")";
    if (size_t(first) < shown.size() && size_t(first) < expected.size())
        failure << ": " << hexColour(shown[first]) << " where " << hexColour(expected[first]) << " belongs";
    return failure;
}

const PupilCase pupilCases[7] = {
    {25, 35, 23, 32},   // on the marker
    {125, 35, 33, 32},  // right of the eye: looking right
    {25, 135, 23, 42},  // straight below
    {-75, 35, 13, 32},  // left of the window
    {30, 40, 28, 37},   // over the eye: on the pointer
    {12, 22, 16, 25},   // in the eye's corner, which does not count as over it
    {40, 44, 38, 41},   // on the eye's right border, cut by the face
};
