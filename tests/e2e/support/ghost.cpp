#include "e2e/support/ghost.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "e2e/support/process.h"
#include "skin/allegro_setup.h"

namespace {

// The ghost's eyes, whose pixels blend with the eyeballs and pupils, not the desktop.
constexpr Box ghostEyes{40, 44, 90, 54};

bool inEyes(int x, int y)
{
    return x >= ghostEyes.x && x < ghostEyes.x + ghostEyes.width && y >= ghostEyes.y &&
           y < ghostEyes.y + ghostEyes.height;
}

int channel(uint32_t pixel, int shift)
{
    return int(pixel >> shift & 0xff);
}

// Each channel of the seen pixel within the tolerance of what f gives for the shift.
template <typename Expected>
bool near(uint32_t seen, int tolerance, Expected f)
{
    for (int shift : {16, 8, 0})
        if (std::abs(channel(seen, shift) - f(shift)) > tolerance)
            return false;
    return true;
}

}  // namespace

Ghost::Ghost()
{
    setUpAllegro();
    if (shell("mkdir -p skins && cp -R " GLIMORA_SOURCE_DIR "/skins/ghost skins/ghost") == 0)
        colour = loadBitmapFile("skins/ghost/main.bmp", nullptr, &fourth);
}

Ghost::~Ghost()
{
    if (colour)
        destroy_bitmap(colour);
}

bool blended(const Ghost& ghost, int x, int y, uint32_t seen)
{
    const int a = ghost.alpha(x, y);
    return near(seen, 3, [&](int shift) {
        return (channel(ghost.rgb(x, y), shift) * a + channel(ghostDesktopColour, shift) * (255 - a) + 127) / 255;
    });
}

bool staircase(const Ghost& ghost, int x, int y, uint32_t seen)
{
    if (ghost.alpha(x, y) < 128)
        return seen == ghostDesktopColour;
    return near(seen, 2, [&](int shift) { return channel(ghost.rgb(x, y), shift); });
}

bool overBlack(const Ghost& ghost, int x, int y, uint32_t seen)
{
    const int a = ghost.alpha(x, y);
    if (a == 0)
        return seen == ghostDesktopColour;
    return near(seen, 3, [&](int shift) { return (channel(ghost.rgb(x, y), shift) * a + 127) / 255; });
}

std::string firstMismatch(const Desktop& desktop, const Box& box, const Ghost& ghost, GhostExpectation expected)
{
    std::string mismatch;
    eventually([&] {
        mismatch.clear();
        std::vector<uint32_t> shown = desktop.pixels(box);
        if (shown.empty())
            mismatch = "no screenshot";
        for (int y = 0; y < box.height && mismatch.empty(); ++y)
            for (int x = 0; x < box.width && mismatch.empty(); ++x)
                if (!inEyes(x, y) && !expected(ghost, x, y, shown[size_t(y) * box.width + x])) {
                    char text[120];
                    std::snprintf(text, sizeof text, "(%d, %d): 0x%06x with alpha %d, picture 0x%06x", x, y,
                                  shown[size_t(y) * box.width + x], ghost.alpha(x, y), ghost.rgb(x, y));
                    mismatch = text;
                }
        return mismatch.empty();
    });
    return mismatch;
}

int leftPupilColumn(const Desktop& desktop, const Box& box)
{
    const Box eye{box.x + 44, box.y + 48, 36, 44};
    std::vector<uint32_t> shown = desktop.pixels(eye);
    int darkest = 3 * 255 + 1, column = -1;
    for (size_t i = 0; i < shown.size(); ++i) {
        const int sum = channel(shown[i], 16) + channel(shown[i], 8) + channel(shown[i], 0);
        if (sum < darkest) {
            darkest = sum;
            column = eye.x - box.x + int(i % eye.width);
        }
    }
    return column;
}
