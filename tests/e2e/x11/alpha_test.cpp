// The bundled alpha skin on X11: blended with the desktop under a compositing
// manager, the clean staircase of half-opaque pixels without one, and the
// switch between the two while the face is up.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "e2e/support/eyes_fixture.h"
#include "skin/allegro_setup.h"
#include "skin/bmp_reader.h"

namespace {

constexpr uint32_t desktopColour = 0x336699;
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

bool near(uint32_t seen, const int expected[3], int tolerance)
{
    for (int i = 0; i < 3; ++i)
        if (std::abs(channel(seen, 16 - 8 * i) - expected[i]) > tolerance)
            return false;
    return true;
}

// The ghost's main picture: straight colours and alpha, as its author saved it.
struct Picture {
    BITMAP* colour = nullptr;
    FourthBytes fourth;
    int alpha(int x, int y) const { return fourth.alpha[size_t(y) * colour->w + x]; }
    uint32_t rgb(int x, int y) const { return reinterpret_cast<uint32_t*>(colour->line[y])[x] & 0xffffff; }
};

// What the screen shows of the window outside the eyes, pixel for pixel.
using Expectation = bool (*)(const Picture&, int x, int y, uint32_t seen);

bool blended(const Picture& p, int x, int y, uint32_t seen)
{
    const int a = p.alpha(x, y);
    int expected[3];
    for (int i = 0; i < 3; ++i) {
        const int shift = 16 - 8 * i;
        expected[i] = (channel(p.rgb(x, y), shift) * a + channel(desktopColour, shift) * (255 - a) + 127) / 255;
    }
    return near(seen, expected, 3);
}

bool staircase(const Picture& p, int x, int y, uint32_t seen)
{
    if (p.alpha(x, y) < 128)
        return seen == desktopColour;
    const int expected[3] = {channel(p.rgb(x, y), 16), channel(p.rgb(x, y), 8), channel(p.rgb(x, y), 0)};
    return near(seen, expected, 2);
}

class AlphaTest : public EyesTest {
protected:
    void SetUp() override
    {
        EyesTest::SetUp();
        setUpAllegro();
        ASSERT_EQ(shell("cp -R " GLIMORA_SOURCE_DIR "/skins/ghost skins/ghost"), 0);
        ghost.colour = loadBitmapFile("skins/ghost/main.bmp", nullptr, &ghost.fourth);
        ASSERT_TRUE(ghost.colour && !ghost.fourth.alpha.empty()) << "the ghost has no alpha";
        ASSERT_EQ(desktop.run("hsetroot -solid '#336699' >/dev/null"), 0);
    }
    void TearDown() override
    {
        if (ghost.colour)
            destroy_bitmap(ghost.colour);
    }

    void startCompositor()
    {
        compositor = std::make_unique<Child>(std::vector<std::string>{"xcompmgr"}, "",
                                             std::vector<std::string>{"DISPLAY=" + desktop.name()});
    }
    void stopCompositor()
    {
        compositor->signal(SIGTERM);
        compositor->wait(5000);
        compositor.reset();
    }

    // The first pixel of the window (outside the eyes) that breaks the expectation,
    // once the screen has stopped breaking it, or "" when none does.
    std::string firstMismatch(Expectation expected) const
    {
        std::string mismatch;
        eventually([&] {
            mismatch.clear();
            std::vector<uint32_t> shown = desktop.pixels(box);
            for (int y = 0; y < box.height && mismatch.empty() && !shown.empty(); ++y)
                for (int x = 0; x < box.width && mismatch.empty(); ++x)
                    if (!inEyes(x, y) && !expected(ghost, x, y, shown[size_t(y) * box.width + x])) {
                        char text[120];
                        std::snprintf(text, sizeof text, "(%d, %d): 0x%06x with alpha %d, picture 0x%06x", x, y,
                                      shown[size_t(y) * box.width + x], ghost.alpha(x, y), ghost.rgb(x, y));
                        mismatch = text;
                    }
            return mismatch.empty() && !shown.empty();
        });
        return mismatch;
    }

    // The window that takes a click at the screen point.
    Window windowAt(int x, int y) const
    {
        pointAt(x, y);
        Window at = 0;
        eventually([&] { return (at = desktop.windowAtPointer()) != 0; });
        return at;
    }

    // The darkest pixel's column in the left eye: where its pupil is.
    int leftPupilColumn() const
    {
        std::vector<uint32_t> shown = desktop.pixels({box.x + 44, box.y + 48, 36, 44});
        int darkest = 3 * 255 + 1, column = -1;
        for (size_t i = 0; i < shown.size(); ++i) {
            int sum = channel(shown[i], 16) + channel(shown[i], 8) + channel(shown[i], 0);
            if (sum < darkest)
                darkest = sum, column = 44 + int(i % 36);
        }
        return column;
    }

    Picture ghost;
    std::unique_ptr<Child> compositor;
};

TEST_P(AlphaTest, BlendsUnderACompositorAndLetsClicksThroughTransparentPixels)
{
    startCompositor();
    start("ghost", 400, 300);
    ASSERT_EQ(box.width, ghost.colour->w);
    pointAt(100, 300);
    EXPECT_EQ(firstMismatch(blended), "");
    ASSERT_EQ(ghost.alpha(1, 1), 0);
    EXPECT_NE(windowAt(box.x + 1, box.y + 1), window) << "a fully transparent corner took the click";
    EXPECT_EQ(windowAt(box.x + 90, box.y + 130), window) << "the face did not take the click";

    pointAt(box.x - 300, box.y + 70);
    EXPECT_TRUE(eventually([&] { return leftPupilColumn() < 62; })) << leftPupilColumn();
    pointAt(box.x + box.width + 300, box.y + 70);
    EXPECT_TRUE(eventually([&] { return leftPupilColumn() > 62; })) << leftPupilColumn();
}

TEST_P(AlphaTest, ShowsHalfOpaquePixelsWithoutACompositorAndSwitchesWhenOneStartsOrStops)
{
    start("ghost", 400, 300);
    pointAt(100, 300);
    EXPECT_EQ(firstMismatch(staircase), "");
    startCompositor();
    EXPECT_EQ(firstMismatch(blended), "") << "after the compositor started";
    stopCompositor();
    EXPECT_EQ(firstMismatch(staircase), "") << "after the compositor stopped";
    EXPECT_EQ(exitStatus(0), -1) << "the program ended";
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Desktops, AlphaTest, testing::Values(false, true), desktopKind);
