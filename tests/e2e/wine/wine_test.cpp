// The Windows program, glimora.exe, under Wine on a private X server: the same
// face, the same pointer and the same expected pixels as the Linux program.
#include <algorithm>
#include <filesystem>

#include "e2e/support/eyes_fixture.h"

namespace {

const std::string wineEnvironment =
    "WINEPREFIX=" WINE_PREFIX " WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= ";
const std::string runKey = "'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run'";

class WineTest : public EyesTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists(exe())) << exe() << " is not built: scripts/setup windows";
        // Started from the test's folder, which holds the skins, while the program
        // lies in the build folder: the working folder is the one it keeps to.
        program = {"wine", exe()};
        sortedFolders = true;
        menusGrabTheKeyboard = false;
        environment = {"WINEPREFIX=" WINE_PREFIX, "WINEARCH=win64", "WINEDEBUG=-all",
                       "WINEDLLOVERRIDES=mscoree,mshtml="};
        EyesTest::SetUp();
    }

    // Ends whatever the test left running in the shared prefix.
    void TearDown() override { shell(wineEnvironment + WINE_SERVER " -k"); }

    virtual std::string exe() const { return WINDOWS_PROGRAM; }

    std::vector<std::unique_ptr<Child>> others;

    // The "Glimora" value under the current user's Run key; empty when there is none.
    std::string runValue() const
    {
        std::string out = work.path() + "/reg.txt";
        if (shell(wineEnvironment + "wine reg query " + runKey + " /v Glimora >" + out + " 2>/dev/null") != 0)
            return "";
        std::string text = readFile(out);
        size_t type = text.find("REG_SZ");
        if (type == std::string::npos)
            return "";
        size_t start = text.find_first_not_of(' ', type + 6);
        return text.substr(start, text.find_first_of("\r\n", start) - start);
    }

    // A path as Windows sees it (drive Z: is the root).
    static std::string windowsPath(const std::string& path)
    {
        std::string windows = "Z:" + path;
        std::replace(windows.begin(), windows.end(), '/', '\\');
        return windows;
    }

    // Without a window manager nothing moves X's keyboard focus to Wine's box: a user clicks it.
    void answerMessageBox(Window message)
    {
        desktop.focus(message);
        EyesTest::answerMessageBox(message);
    }

    // Another Windows program's window: Wine tells its programs of its own windows only.
    Window openOtherWindow(const std::string& state) override
    {
        others.push_back(std::make_unique<Child>(std::vector<std::string>{"wine", WINDOWS_OTHER_WINDOW, state},
                                                 work.path(), environmentWithDisplay()));
        return desktop.waitForWindow("test window");
    }
    void closeOtherWindow(Window other) override
    {
        desktop.close(other);
        EXPECT_EQ(others.back()->wait(5000), 0);
    }

    std::vector<std::string> environmentWithDisplay() const
    {
        std::vector<std::string> variables{"DISPLAY=" + desktop.name()};
        variables.insert(variables.end(), environment.begin(), environment.end());
        return variables;
    }

    void expectPupilsFollowThePointer()
    {
        for (const auto& c : pupilCases) {
            pointAt(box.x + c.pointerX, box.y + c.pointerY);
            EXPECT_TRUE(showsPupilAt(c.pupilX, c.pupilY)) << "pointer at (" << c.pointerX << ", " << c.pointerY << ")";
        }
    }
};

TEST_P(WineTest, ShapedFaceAtItsSavedCentreWithPupilsFollowingThePointerUntilEscStoresTheCentre)
{
    start("face", 400, 300);
    EXPECT_EQ(box, (Box{400 - faceWidth / 2, 300 - faceHeight / 2, faceWidth, faceHeight}));
    expectPupilsFollowThePointer();
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
    EXPECT_EQ(setting("x") + "," + setting("y"), "400,300");
}

TEST_P(WineTest, LeftDragMovesTheWindowAndExitFromTheMenuStoresItsCentre)
{
    start("face", 400, 300);
    EXPECT_TRUE(dragBy(box.x + 8, box.y + 40, 150, 90));
    pointAt(box.x + 25, box.y + 35);
    EXPECT_TRUE(showsPupilAt(23, 32));
    choose("Down Down Down Down");
    EXPECT_EQ(exitStatus(), 0);
    EXPECT_EQ(setting("x") + "," + setting("y"), "550,390");
}

// The start at log-on from the Run key begins in a folder without skins: the
// program's own folder, unpacked with its skins (the test's), serves instead.
TEST_P(WineTest, StartedFromAFolderWithoutSkinsItUsesItsOwnFolder)
{
    const std::string unpacked = work.path() + "/glimora.exe", elsewhere = work.path() + "/elsewhere";
    std::filesystem::copy_file(exe(), unpacked);
    makeDirs(elsewhere);
    program = {"/bin/sh", "-c", "cd \"$1\" && exec wine \"$2\"", "sh", elsewhere, unpacked};
    start("face", 400, 300);
    EXPECT_EQ(box, (Box{400 - faceWidth / 2, 300 - faceHeight / 2, faceWidth, faceHeight}));
    EXPECT_TRUE(dragBy(box.x + 8, box.y + 40, 150, 90));
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
    EXPECT_EQ(setting("x") + "," + setting("y"), "550,390");
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere));
}

TEST_P(WineTest, RunOnStartUpAddsAndRemovesTheQuotedProgramUnderTheUsersRunKey)
{
    start("face", 400, 300);
    ASSERT_EQ(runValue(), "");
    choose("Down Down");
    EXPECT_TRUE(eventually([&] { return !runValue().empty(); }));
    EXPECT_EQ(runValue(), "\"" + windowsPath(WINDOWS_PROGRAM) + "\"");
    choose("Down Down");
    EXPECT_TRUE(eventually([&] { return runValue().empty(); }));
}

TEST_P(WineTest, ChosenSkinIsBuiltAroundTheSameCentreAndStored)
{
    const Box rebuilt = startThenChooseSkin(" x ");  // blanks around the name survive the file
    EXPECT_EQ(box, rebuilt);
    EXPECT_EQ(setting("skin"), "\" x \"");
}

TEST_P(WineTest, SkinWithoutMainPictureShowsTheMessageAndEndsWithStatus255)
{
    makeDirs("skins/broken");
    start("face", 400, 300);
    chooseSkin("broken");
    answerMessageBox(desktop.waitForWindow("Problem loading Skin"));
    EXPECT_EQ(setting("skin"), "broken");
}

TEST_P(WineTest, CheckerPaintsTheSamePreviewsAsOnLinux)
{
    const std::string inWork = "cd " + work.path() + " && ";
    for (const char* pointer : {"25,35", "125,35", "30,40", "-75,35"}) {
        const std::string options = std::string(" --pointer ") + pointer + " skins/face >/dev/null";
        ASSERT_EQ(shell(inWork + wineEnvironment + "DISPLAY=" + desktop.name() + " wine " WINDOWS_CHECKER
                        " --preview on-windows.png" + options),
                  0);
        ASSERT_EQ(shell(inWork + LINUX_CHECKER " --preview on-linux.png" + options), 0);
        EXPECT_EQ(shell(inWork + "compare -metric AE on-windows.png on-linux.png null: 2>/dev/null"), 0)
            << "pointer at " << pointer;
    }
}

// Wine 8 tells a window of raw input only while the pointer moves over it, so
// the timer keeps its pace and only the following is checked.
TEST_P(WineTest, AfterARestThePupilsFollowTheFirstMoveAtOnceAndAWarpWithinASecond)
{
    start("face", 400, 300);
    expectFollowsAfterRest(false);
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
}

TEST_P(WineTest, HidesForAFullScreenWindowNotAMaximisedOneAndComesBackOnTop)
{
    start("face", 400, 300);
    expectStepsAsideForFullScreenOnly();
    desktop.close(window);
    EXPECT_EQ(exitStatus(), 0);
}

INSTANTIATE_TEST_SUITE_P(Wine, WineTest, testing::Values(false), desktopKind);

// 64-bit Windows places heaps above 4 GiB, where Allegro once cut pointers to
// 32 bits; this build of the program reserves the low 4 GiB before it starts.
class HighMemoryTest : public WineTest {
protected:
    std::string exe() const override { return WINDOWS_HIGH_MEMORY_PROGRAM; }
};

TEST_P(HighMemoryTest, FaceWithHeapsAbove4GiBFindsItsEyeAndFollowsThePointer)
{
    start("face", 400, 300);
    expectPupilsFollowThePointer();
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
}

TEST_P(HighMemoryTest, SkinsMenuListsTheSkinFoldersWhenTheListingsHandleIsAbove4GiB)
{
    EXPECT_EQ(startThenChooseSkin("plain"), box);
    EXPECT_EQ(setting("skin"), "plain");
}

INSTANTIATE_TEST_SUITE_P(Wine, HighMemoryTest, testing::Values(false), desktopKind);

}  // namespace
