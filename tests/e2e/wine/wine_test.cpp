// The Windows program, glimora.exe, under Wine on a private X server: the same
// face, the same pointer and the same expected pixels as the Linux program.
#include <algorithm>
#include <filesystem>
#include <tuple>

#include "e2e/support/eyes_fixture.h"
#include "e2e/support/ghost.h"

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

    // Ends whatever the test left running in the shared prefix, at the DPI it had.
    void TearDown() override
    {
        if (dpiSet)
            wine("reg delete 'HKCU\\Control Panel\\Desktop' /v LogPixels /f");
        shell(wineEnvironment + WINE_SERVER " -k");
    }

    // A Wine command on the test's display (where Wine's desktop then stays for
    // the program), run to its end; its exit status. Its output is in out.txt.
    int wine(const std::string& command) const
    {
        return shell("cd " + work.path() + " && DISPLAY=" + desktop.name() + " " + wineEnvironment + "wine " +
                     command + " >out.txt 2>&1");
    }

    // The user's display scale as Windows' settings store it, for programs started after.
    void setDpi(int dpi)
    {
        dpiSet = true;
        ASSERT_EQ(wine("reg add 'HKCU\\Control Panel\\Desktop' /v LogPixels /t REG_DWORD /d " +
                       std::to_string(dpi) + " /f"),
                  0);
    }

    // The pupil where the gaze puts it for a pointer on each face pixel of the
    // cases, at its block's last screen pixel, each pixel a scale x scale block.
    void expectPupilsFollowThePointerAtScale(int scale)
    {
        for (const auto& c : pupilCases) {
            pointAt(box.x + c.pointerX * scale + scale - 1, box.y + c.pointerY * scale + scale - 1);
            EXPECT_TRUE(showsPupilAt(c.pupilX, c.pupilY, scale))
                << "scale " << scale << ", pointer at (" << c.pointerX << ", " << c.pointerY << ")";
        }
    }

    // name=value lines the inspector tells of the running face.
    std::string inspectFace()
    {
        EXPECT_EQ(wine(WINDOWS_INSPECT " face"), 0);
        std::string lines = readFile(work.path() + "/out.txt");
        lines.erase(std::remove(lines.begin(), lines.end(), '\r'), lines.end());
        return lines;
    }

    bool dpiSet = false;

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

    void moveFace(int x, int y) override
    {
        ASSERT_EQ(wine(WINDOWS_INSPECT " move " + std::to_string(x) + " " + std::to_string(y)), 0);
        ASSERT_TRUE(eventually([&] { return desktop.frame(window).x == x; }));
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
    choose("Exit");
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
    choose("Run on start-up");
    EXPECT_TRUE(eventually([&] { return !runValue().empty(); }));
    EXPECT_EQ(runValue(), "\"" + windowsPath(WINDOWS_PROGRAM) + "\"");
    choose("Run on start-up");
    EXPECT_TRUE(eventually([&] { return runValue().empty(); }));
}

TEST_P(WineTest, ChosenSkinIsBuiltAroundTheSameCentreAndStored)
{
    const Box rebuilt = startThenChooseSkin(" x ");  // blanks around the name survive the file
    EXPECT_EQ(box, rebuilt);
    EXPECT_EQ(setting("skin"), "\" x \"");
}

// Wine takes the user's display language from the locale it runs in (LANGUAGE
// it ignores): German here, where the suite runs in C.UTF-8.
TEST_P(WineTest, GermanUserHasTheMenuAndTheBoxInGermanAndTheMenuWorksAsInEnglish)
{
    ASSERT_NO_FATAL_FAILURE(expectMenuSpeaksAndWorksAsInEnglish([&] {
        environment.push_back("LC_ALL=de_DE.UTF-8");
        makeDirs("skins/broken");  // listed in the menu from the start
    }));
    chooseSkin("broken");
    answerMessageBox(desktop.waitForWindow("Problem beim Laden des Skins"));
}

TEST_P(WineTest, SkinWithoutMainPictureShowsTheMessageAndEndsWithStatus255)
{
    makeDirs("skins/broken");
    start("face", 400, 300);
    chooseSkin("broken");
    answerMessageBox(desktop.waitForWindow("Problem loading Skin"));
    EXPECT_EQ(setting("skin"), "broken");
}

// The manifest's UTF-8 code page: a folder named in another script reaches every
// ...A call whole (the program's own path, the working folder, the settings).
TEST_P(WineTest, ProgramInAFolderNamedInAnotherScriptFindsItsSkinsAndSettingsThere)
{
    const std::string folder = work.path() + "/\u00d6l-\u76ee", elsewhere = work.path() + "/elsewhere";
    makeDirs(elsewhere);
    makeDirs(folder);
    std::filesystem::copy("skins", folder + "/skins", std::filesystem::copy_options::recursive);
    std::filesystem::copy_file(exe(), folder + "/glimora.exe");
    writeFile(folder + "/eyes.ini", "[global]\nskin=face\nx=400\ny=300\n");
    program = {"/bin/sh", "-c", "cd \"$1\" && exec wine \"$2\"", "sh", elsewhere, folder + "/glimora.exe"};
    window = launch();
    ASSERT_NE(window, 0u);
    box = frameOnceAt(window, {400 - faceWidth / 2, 300 - faceHeight / 2, faceWidth, faceHeight});
    EXPECT_TRUE(dragBy(box.x + 8, box.y + 40, 150, 90));
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
    const std::string stored = readFile(folder + "/eyes.ini");
    EXPECT_TRUE(stored.find("x=550") != std::string::npos && stored.find("y=390") != std::string::npos) << stored;
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere));
}

// The command line of the Linux program. Started as Explorer starts it,
// without a console or files to write to, it tells in a message box.
TEST_P(WineTest, AnswersHelpAndVersionAsOnLinuxAndAWrongOptionEndsWith64)
{
    // After whatever Wine says first.
    const std::tuple<const char*, int, const char*> cases[] = {
        {"--version", 0, "\nglimora " GLIMORA_VERSION "\r\n"},
        {"--help", 0, "\nUsage: glimora [--help | --version]\r\n"},
        {"--bogus", 64, "\nglimora: unknown option '--bogus'; try 'glimora --help'\r\n"}};
    for (const auto& [option, status, said] : cases) {
        EXPECT_EQ(wine(exe() + " " + option), status);
        EXPECT_NE(("\n" + readFile(work.path() + "/out.txt")).find(said), std::string::npos) << option;
    }

    program = {"wine", "start", "/wait", "/unix", exe(), "--bogus"};
    const Window message = launch("Glimora");
    ASSERT_NE(message, 0u);
    desktop.focus(message);
    xdotool("key Return");
    EXPECT_EQ(exitStatus(), 64);
}

// A name an earlier build stored in the legacy code page (Latin-1 here) names no folder now.
TEST_P(WineTest, SkinNameStoredInTheLegacyCodePageShowsTheMessageAndIsKept)
{
    makeDirs("skins/Gr\u00f6\u00dfe");
    BITMAP* plain = makeBitmap(80, 40, 0x30C030);
    saveBmp("skins/Gr\u00f6\u00dfe/main.bmp", plain);
    destroy_bitmap(plain);
    writeFile("eyes.ini", "[global]\nskin=Gr\xf6\xdf" "e\nx=400\ny=300\n");
    answerMessageBox(launch("Problem loading Skin"));
    EXPECT_EQ(setting("skin"), "Gr\xf6\xdf" "e");
}

// The catalogue of the user's language, else of that language without its
// country (Canadian French reads French), else English (Portugal's Portuguese
// is not Brazil's). The locale needs no installing: Wine reads its name. In a
// console, which script makes of Wine's terminal, the words are whole too: its
// code page is the locale's (932 for Japanese), not UTF-8.
TEST_P(WineTest, CheckerSpeaksTheUsersLanguageOrItsLanguageWithoutTheCountryInAFileAndInAConsole)
{
    const std::string toFile = "wine " WINDOWS_CHECKER " --bogus 2>err.txt";
    const std::string toConsole = "script -qec 'wine " WINDOWS_CHECKER " --bogus' /dev/null >err.txt";
    const std::tuple<const char*, std::string, const char*> cases[] = {
        {"de_DE.UTF-8", toFile, "glimora-check: unbekannte Option --bogus"},
        {"fr_CA.UTF-8", toFile, "glimora-check: option inconnue --bogus"},
        {"pt_BR.UTF-8", toFile, "glimora-check: op\u00e7\u00e3o desconhecida --bogus"},
        {"pt_PT.UTF-8", toFile, "glimora-check: unknown option --bogus"},
        {"zh_TW.UTF-8", toFile, "glimora-check: unknown option --bogus"},
        {"ja_JP.UTF-8", toConsole, "glimora-check: \u4e0d\u660e\u306a\u30aa\u30d7\u30b7\u30e7\u30f3 --bogus"}};
    for (const auto& [locale, run, said] : cases) {
        shell("cd " + work.path() + " && LC_ALL=" + locale + " " + wineEnvironment + run);
        // Wine 10 may speak first, of its own (its Wayland driver wants XDG_RUNTIME_DIR).
        std::string err = readFile(work.path() + "/err.txt");
        err.erase(0, std::min(err.find("glimora-check: "), err.size()));
        EXPECT_EQ(err.substr(0, err.find_first_of("\r\n")), said) << locale;
    }
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
TEST_P(WineTest, TheNotificationAreaIconBringsTheFaceIntoViewAndOpensItsMenu)
{
    expectTrayIconBringsTheFaceIntoViewAndOpensItsMenu();
}

TEST_P(WineTest, ASecondStartInTheFolderEndsWithStatusZeroAndBringsTheOneFaceWholeIntoView)
{
    start("face", 400, 300);
    ASSERT_NO_FATAL_FAILURE(moveFace(-500, -500));
    Child second(program, work.path(), environment);
    EXPECT_EQ(second.wait(10000), 0);
    EXPECT_TRUE(eventually([&] { return desktop.frame(window) == Box{0, 0, faceWidth, faceHeight}; }));
    EXPECT_EQ(desktop.run("xdotool search --onlyvisible --name '^eyes$' | wc -l | grep -qx 1"), 0) << "one face";
    EXPECT_EQ(exitStatus(0), -1) << "the first face ended";
}

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

// Windows' display scales: the face drawn at the nearest whole scale, crisp,
// around the same stored centre, which stays in screen pixels.
TEST_P(WineTest, AtDpi144192And288TheFaceIsDrawnAtScale22And3AroundTheSameCentre)
{
    for (const auto& [dpi, scale] : {std::pair{144, 2}, std::pair{192, 2}, std::pair{288, 3}}) {
        setDpi(dpi);
        start("face", 400, 300);
        EXPECT_EQ(box, (Box{400 - faceWidth * scale / 2, 300 - faceHeight * scale / 2, faceWidth * scale,
                            faceHeight * scale}))
            << dpi << " DPI";
        // Per monitor (2), as the manifest asks; Wine 8 gives every program that.
        EXPECT_EQ(inspectFace(), "awareness=2\n");
        expectPupilsFollowThePointerAtScale(scale);
        typeKeys("Escape");
        EXPECT_EQ(exitStatus(), 0);
        EXPECT_EQ(setting("x") + "," + setting("y"), "400,300") << dpi << " DPI";
    }
}

TEST_P(WineTest, MovedToADisplayOfAnotherDpiTheFaceIsRebuiltAtItsScaleAroundTheSameCentre)
{
    start("face", 400, 300);
    ASSERT_TRUE(dragBy(box.x + 8, box.y + 40, 150, 90));
    ASSERT_EQ(wine(WINDOWS_INSPECT " dpi-changed 192"), 0);
    const Box rebuilt{550 - faceWidth, 390 - faceHeight, 2 * faceWidth, 2 * faceHeight};
    eventually([&] { return (box = desktop.frame(window = desktop.waitForWindow("eyes"))) == rebuilt; });
    EXPECT_EQ(box, rebuilt);
    expectPupilsFollowThePointerAtScale(2);
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
    EXPECT_EQ(setting("x") + "," + setting("y"), "550,390");
}

// The user's size, from the menu and with Ctrl + wheel, on top of the display's scale.
TEST_P(WineTest, SizeFromTheMenuAndCtrlWheelEnlargesTheFaceAroundItsCentreAndIsKept)
{
    start("face", 400, 300);
    ASSERT_NO_FATAL_FAILURE(chooseSize(2));
    const Box doubled{400 - faceWidth, 300 - faceHeight, 2 * faceWidth, 2 * faceHeight};
    eventually([&] { return (box = desktop.frame(window = desktop.waitForWindow("eyes"))) == doubled; });
    ASSERT_EQ(box, doubled);
    EXPECT_EQ(setting("size"), "2");
    expectPupilsFollowThePointerAtScale(2);
    pointAt(400, 300);
    xdotool("keydown ctrl click 4 keyup ctrl");
    const Box tripled{400 - faceWidth * 3 / 2, 300 - faceHeight * 3 / 2, 3 * faceWidth, 3 * faceHeight};
    eventually([&] { return (box = desktop.frame(window = desktop.waitForWindow("eyes"))) == tripled; });
    EXPECT_EQ(box, tripled);
    EXPECT_EQ(setting("size"), "3");
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
    EXPECT_EQ(setting("x") + "," + setting("y"), "400,300");
}

// Windows' own layered window: its constant alpha is asked of the desktop as on
// Linux, a quarter of it while the pointer is over the face, and with
// WS_EX_TRANSPARENT Wine gives a click on the face to the Windows program's
// window under it (not to an X window of another program).
TEST_P(WineTest, OpacityAndClickThroughFromTheMenuAreStoredFadeUnderThePointerAndPassClicksToTheWindowBelow)
{
    start("face", 400, 300);
    openMenu();
    openSubmenu("Opacity");
    xdotool("key Down Down Return");
    ASSERT_TRUE(eventually([&] { return setting("opacity") == "60"; }));
    auto opacity = [&](unsigned long value) {
        return eventually([&] { return desktop.opacity(window = desktop.waitForWindow("eyes")) == value; });
    };
    EXPECT_TRUE(opacity(2576980377u)) << "60 % not asked for";
    choose("Click-through");
    ASSERT_TRUE(eventually([&] { return setting("clickthrough") == "1"; }));
    const Window below = openOtherWindow("maximized");
    ASSERT_NE(below, 0u);
    pointAt(box.x + 8, box.y + 40);
    EXPECT_TRUE(opacity(640034342u)) << "not faded to 15 % under the pointer";
    xdotool("click 1");
    EXPECT_NE(desktop.waitForWindow("test window clicked", 5000), 0u) << "the click stopped at the face";
    closeOtherWindow(below);
    desktop.close(window);
    EXPECT_EQ(exitStatus(), 0);
}

// The ghost through UpdateLayeredWindowIndirect. Under a compositing manager
// Wine blends it as the Linux program does; without one Wine cuts out only the
// fully transparent pixels and shows the rest premultiplied over black.
TEST_P(WineTest, AlphaSkinBlendsUnderACompositorAndShowsOverBlackWithoutOne)
{
    Ghost ghost;
    ASSERT_TRUE(ghost.loaded());
    ASSERT_EQ(desktop.run(ghostDesktopCommand), 0);
    auto compositor = std::make_unique<Child>(std::vector<std::string>{"xcompmgr"}, "",
                                              std::vector<std::string>{"DISPLAY=" + desktop.name()});
    start("ghost", 400, 300);
    ASSERT_EQ(box.width, ghost.width());
    pointAt(100, 300);
    EXPECT_EQ(firstMismatch(desktop, box, ghost, blended), "");
    const Window desktopWindow = desktop.windowAtPointer();
    pointAt(box.x + ghostCornerX, box.y + ghostCornerY);
    EXPECT_TRUE(eventually([&] { return desktop.windowAtPointer() == desktopWindow; }))
        << "a transparent corner takes the click";
    pointAt(box.x + ghostFaceX, box.y + ghostFaceY);
    EXPECT_TRUE(eventually([&] { return desktop.windowAtPointer() != desktopWindow; }))
        << "the face does not take the click";
    pointAt(box.x - 300, box.y + 70);
    EXPECT_TRUE(eventually([&] { return leftPupilColumn(desktop, box) < ghostLeftEyeX; }));
    pointAt(box.x + box.width + 300, box.y + 70);
    EXPECT_TRUE(eventually([&] { return leftPupilColumn(desktop, box) > ghostLeftEyeX; }));

    compositor.reset();
    pointAt(100, 300);
    EXPECT_EQ(firstMismatch(desktop, box, ghost, overBlack), "") << "after the compositor stopped";
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
