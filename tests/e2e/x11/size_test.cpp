// The size the user picks: "Size" in the menu and Ctrl + wheel over the face,
// each pixel of the face a block as large as the size, kept for the next start.
#include "e2e/support/eyes_fixture.h"

namespace {

using SizeTest = EyesTest;

Box faceAt(int size, int centreX = 400, int centreY = 300)
{
    return {centreX - faceWidth * size / 2, centreY - faceHeight * size / 2, faceWidth * size, faceHeight * size};
}

TEST_P(SizeTest, TwoHundredPercentDoublesTheFaceAroundItsCentreWithItsGazeAndIsKept)
{
    start("face", 400, 300);
    ASSERT_NO_FATAL_FAILURE(chooseSize(2));
    ASSERT_TRUE(eventually([&] { return desktop.frame(window = desktop.waitForWindow("eyes")) == faceAt(2); }))
        << desktop.frame(window);
    box = faceAt(2);
    EXPECT_EQ(setting("size"), "2");
    pointAt(box.x + 61, box.y + 81);  // over the eye: on the pointer
    EXPECT_TRUE(showsPupilAt(28, 37, 2));
    pointAt(box.x + 250, box.y + 70);  // right of the eye: looking right
    EXPECT_TRUE(showsPupilAt(33, 32, 2));
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
    EXPECT_EQ(setting("x") + "," + setting("y"), "400,300");
    EXPECT_EQ(frameOnceAt(launch(), faceAt(2)), faceAt(2)) << "the next start";
}

TEST_P(SizeTest, CtrlWheelStepsThroughTheSizesAndStopsAtTheSmallestAndTheLargest)
{
    start("face", 400, 300);
    pointAt(400, 300);
    const struct {
        const char* button;  // 4 turns the wheel away from the user, 5 towards
        int size;
    } steps[] = {{"4", 2}, {"4", 3}, {"4", 4}, {"4", 4}, {"5", 3}, {"5", 2}, {"5", 1}, {"5", 1}};
    for (const auto& step : steps) {
        xdotool(std::string("keydown ctrl click ") + step.button + " keyup ctrl");
        EXPECT_TRUE(eventually([&] { return setting("size") == std::to_string(step.size); }))
            << "wheel " << step.button << " to size " << step.size;
        EXPECT_TRUE(eventually([&] { return desktop.frame(desktop.waitForWindow("eyes")) == faceAt(step.size); }))
            << "size " << step.size;
    }
    xdotool("click 4");  // without Ctrl the wheel is not the face's
    window = desktop.waitForWindow("eyes");
    EXPECT_EQ(desktop.frame(window), faceAt(1));
    EXPECT_EQ(setting("size"), "1");
    desktop.close(window);
    EXPECT_EQ(exitStatus(), 0);
}

TEST_P(SizeTest, TheSizeIsOnTopOfTheDesktopsScaleAndAnythingElseStoredIsTheFirstSize)
{
    environment = {"GDK_SCALE=2"};
    writeFaceSkin();
    writeFile("eyes.ini", "[global]\nskin=face\nx=400\ny=300\nsize=2\n");
    EXPECT_EQ(frameOnceAt(window = launch(), faceAt(4)), faceAt(4)) << "2 x 2";
    desktop.close(window);
    EXPECT_EQ(exitStatus(), 0);
    environment.clear();
    for (const char* stored : {"7", "abc", "-1", "0", "2x"}) {
        writeFile("eyes.ini", std::string("[global]\nskin=face\nx=400\ny=300\nsize=") + stored + "\n");
        EXPECT_EQ(frameOnceAt(window = launch(), faceAt(1)), faceAt(1)) << "size=" << stored;
        desktop.close(window);
        EXPECT_EQ(exitStatus(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Desktops, SizeTest, testing::Values(false, true), desktopKind);

}  // namespace
