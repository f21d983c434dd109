#include "e2e/test_skin.h"

#include "support/fixtures.h"

namespace {

constexpr int cut = 6;

// The built-in pupil, row by row.
const char* const pupilRows[6] = {"..#.", ".###", "####", "####", "####", ".###"};

bool inEyeWhite(int x, int y)
{
    return x > 10 && x < 40 && y > 20 && y < 50;
}

bool inPupil(int x, int y, int pupilX, int pupilY)
{
    int col = x - pupilX, row = y - pupilY;
    return col >= 0 && col < 4 && row >= 0 && row < 6 && pupilRows[row][col] == '#';
}

int colour(uint32_t rgb)
{
    return makecol32((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

bool insideFaceShape(int x, int y)
{
    bool topLeft = x < cut && y < cut;
    bool bottomRight = x >= faceWidth - cut && y >= faceHeight - cut;
    return !topLeft && !bottomRight;
}

void drawFaceSkin(const std::string& folder)
{
    makeDirs(folder);
    BITMAP* main = makeBitmap(faceWidth, faceHeight, colour(faceColour));
    rectfill(main, 11, 21, 39, 49, colour(eyeWhite));
    putpixel(main, 25, 35, magenta());
    saveBmp(folder + "/main.bmp", main);
    destroy_bitmap(main);

    BITMAP* mask = makeBitmap(faceWidth, faceHeight, 0);
    for (int y = 0; y < faceHeight; ++y)
        for (int x = 0; x < faceWidth; ++x)
            if (!insideFaceShape(x, y))
                putpixel(mask, x, y, colour(0xFFFFFF));
    saveBmp(folder + "/mask.bmp", mask);
    destroy_bitmap(mask);
}

std::vector<uint32_t> expectedFace(int pupilX, int pupilY)
{
    std::vector<uint32_t> frame;
    for (int y = 0; y < faceHeight; ++y)
        for (int x = 0; x < faceWidth; ++x) {
            uint32_t pixel = faceColour;
            if (!insideFaceShape(x, y))
                pixel = desktopColour;
            else if (inEyeWhite(x, y))
                pixel = inPupil(x, y, pupilX, pupilY) ? 0x000000 : eyeWhite;
            frame.push_back(pixel);
        }
    return frame;
}

void drawPlainSkin(const std::string& folder, int width, int height, uint32_t rgb)
{
    makeDirs(folder);
    BITMAP* main = makeBitmap(width, height, colour(rgb));
    saveBmp(folder + "/main.bmp", main);
    destroy_bitmap(main);
}
