// The desktops users really have: a scaled screen, monitors that went away, a
// session that ends around the program, and starts that cannot succeed.
#include <signal.h>

#include <algorithm>
#include <regex>

#include "e2e/support/eyes_fixture.h"

namespace {

using DesktopTest = EyesTest;

// The menu's light background fills a strip right below and beside the point.
bool menuShownAt(const Desktop& desktop, int x, int y)
{
    return eventually([&] {
        std::vector<uint32_t> strip = desktop.pixels({x + 1, y + 1, 60, 2});
        return std::all_of(strip.begin(), strip.end(), [](uint32_t pixel) { return (pixel & 0xC0C0C0) == 0xC0C0C0; });
    });
}

TEST_P(DesktopTest, AtScaleTwoTheFaceIsDrawnTwiceAsLargeAroundItsCentreWithPupilsWhereTheyAreAtScaleOne)
{
    environment = {"GDK_SCALE=2"};
    start("face", 400, 300);
    ASSERT_EQ(box, (Box{400 - faceWidth, 300 - faceHeight, 2 * faceWidth, 2 * faceHeight}));
    struct {
        int pointerX, pointerY, pupilX, pupilY;  // the pointer in screen pixels from the corner
    } const cases[] = {
        {51, 71, 23, 32},    // on the marker's block, not its first pixel
        {250, 70, 33, 32},   // right of the eye
        {-150, 71, 13, 32},  // left of the window
        {61, 81, 28, 37},    // over the eye
        {24, 44, 16, 25},    // the eye's corner
        {81, 89, 38, 41},    // on the eye's right border
    };
    for (const auto& c : cases) {
        pointAt(box.x + c.pointerX, box.y + c.pointerY);
        EXPECT_TRUE(showsPupilAt(c.pupilX, c.pupilY, 2)) << "pointer at (" << c.pointerX << ", " << c.pointerY << ")";
    }
    // The menu opens at the click, in screen pixels as well.
    const int clickX = box.x + 16, clickY = box.y + 110;
    pointAt(clickX, clickY);
    xdotool("click 3");
    EXPECT_TRUE(menuShownAt(desktop, clickX, clickY)) << "no menu at the click";
    EXPECT_EQ(desktop.pixels({clickX - 1, clickY - 1, 1, 1}), std::vector<uint32_t>{faceColour});
    xdotool("key Escape");
    ASSERT_TRUE(dragBy(box.x + 16, box.y + 80, 150, 90));
    desktop.close(window);
    EXPECT_EQ(exitStatus(), 0);
    EXPECT_EQ(setting("x") + "," + setting("y"), "550,390") << "the centre stays in screen pixels";
}

TEST_P(DesktopTest, AFaceOffEveryMonitorAndAFirstStartAreCentredOnThePrimaryOneAndOneHalfOnStays)
{
    const Box centred{(screenWidth - faceWidth) / 2, (screenHeight - faceHeight) / 2, faceWidth, faceHeight};
    for (const char* stored : {"x=5000\ny=-4000\n", "", "y=300\n"}) {
        writeFile("eyes.ini", std::string("[global]\nskin=face\n") + stored);
        EXPECT_EQ(frameOnceAt(launch(), centred), centred) << stored;
        eyes.reset();
    }
    if (desktop.hasWindowManager())
        return;  // a window manager keeps a corner of its own choosing on screen
    const Box quarter{-faceWidth / 2, -faceHeight / 2, faceWidth, faceHeight};
    writeFile("eyes.ini", "[global]\nskin=face\nx=0\ny=0\n");
    EXPECT_EQ(frameOnceAt(launch(), quarter), quarter) << "a stored (0, 0) is kept";
}

// SIGINT comes while the popup menu is open, which must not hold the end up.
TEST_P(DesktopTest, SignalsOfAnEndingSessionStoreTheDraggedCentreAndEndWithStatusZero)
{
    for (int number : {SIGTERM, SIGHUP, SIGINT}) {
        start("face", 400, 300);
        ASSERT_TRUE(dragBy(box.x + 8, box.y + 40, 150, 90));
        if (number == SIGINT) {
            pointAt(box.x + 8, box.y + 40);
            xdotool("click 3");
            ASSERT_TRUE(menuShownAt(desktop, box.x + 8, box.y + 40)) << "no menu";
        }
        eyes->signal(number);
        EXPECT_EQ(exitStatus(), 0) << strsignal(number);
        EXPECT_EQ(setting("x") + "," + setting("y"), "550,390") << strsignal(number);
    }
}

TEST_P(DesktopTest, ALostDisplayStoresTheLastCentreAndEndsWithinASecond)
{
    start("face", 400, 300);
    ASSERT_TRUE(dragBy(box.x + 8, box.y + 40, 150, 90));
    // A frame drawn after the move shows the program has read the notice of it,
    // which a busy program may not have read yet when the display goes, and then never can.
    pointAt(box.x + 25, box.y + 35);
    ASSERT_TRUE(showsPupilAt(23, 32));
    desktop.stop();
    EXPECT_EQ(exitStatus(1000), 0);
    EXPECT_EQ(setting("x") + "," + setting("y"), "550,390");
}

INSTANTIATE_TEST_SUITE_P(Desktops, DesktopTest, testing::Values(false, true), desktopKind);

// The program started from a shell with this environment and these arguments.
struct Outcome {
    int status;
    std::string out, err;
};
Outcome runProgram(const std::string& environmentAndArguments)
{
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY " + environmentAndArguments;
    int status = shell(command + " >out.txt 2>err.txt");
    return {status, readFile("out.txt"), readFile("err.txt")};
}
Outcome runProgram(const std::string& environment, const std::string& arguments)
{
    return runProgram(environment + " " GLIMORA_PROGRAM " " + arguments);
}

TEST(StartFailure, WithoutAUsableDisplayOrSkinOneLineSaysWhyAndTheStatusIs255)
{
    TempWorkdir work;
    makeDirs("skins");
    BITMAP* face = makeBitmap(20, 20, faceColour);
    saveBmp("skins/main.bmp", face);
    destroy_bitmap(face);
    const std::string none = unusedDisplayName();
    struct {
        std::string environment;
        std::string says;
    } const cases[] = {
        {"", "glimora: no X display: DISPLAY is not set\n"},
        {"DISPLAY=" + none, "glimora: cannot open the X display \"" + none + "\" named by DISPLAY\n"},
        {"WAYLAND_DISPLAY=wayland-0", "glimora: DISPLAY is not set: glimora needs X11, or XWayland on a Wayland desktop\n"},
    };
    for (const auto& c : cases) {
        Outcome run = runProgram(c.environment, "");
        EXPECT_EQ(run.status, 255) << c.environment;
        EXPECT_EQ(run.err, c.says);
        EXPECT_EQ(run.out, "");
    }
    Desktop shallow{false, 16};
    ASSERT_TRUE(shallow.ready());
    Outcome run = runProgram("DISPLAY=" + shallow.name(), "");
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.err, "glimora: the X display \"" + shallow.name() + "\" has no 24-bit true-colour visual\n");

    // The display is asked for its scale before the skin loads at it: both are said.
    unlink("skins/main.bmp");
    const std::string gone = unusedDisplayName();
    run = runProgram("DISPLAY=" + gone, "");
    EXPECT_EQ(run.status, 255);
    EXPECT_TRUE(std::regex_search(run.err, std::regex("^glimora: cannot open the X display \"" + gone +
                                                      "\" named by DISPLAY\n"
                                                      "glimora: Problem loading \"[^\n]*/skins/\". Skin not loaded.\n"
                                                      "glimora: [^\n]*/skins/main.bmp is missing\n$")))
        << run.err;
}

TEST(CommandLine, HelpAndVersionNeedNoDisplayAndAnythingElseIsAUsageError)
{
    TempWorkdir work;
    Outcome help = runProgram("", "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(std::regex_search(help.out, std::regex("^Usage: glimora ")));
    for (const char* told : {"eyes.ini", "skins", "Exit status", "64", "255"})
        EXPECT_NE(help.out.find(told), std::string::npos) << told;
    EXPECT_EQ(help.err, "");

    Outcome version = runProgram("", "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "glimora " GLIMORA_VERSION "\n");

    for (const char* wrong : {"--verbose", "-x", "folder", "--help --version"}) {
        Outcome run = runProgram("", wrong);
        EXPECT_EQ(run.status, 64) << wrong;
        EXPECT_EQ(run.out, "") << wrong;
        EXPECT_TRUE(std::regex_match(run.err, std::regex("glimora: [^\n]+; try 'glimora --help'\n"))) << run.err;
    }
}

}  // namespace
