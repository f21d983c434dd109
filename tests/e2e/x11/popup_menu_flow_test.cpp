// The popup menu on a real X server: where it opens, and each of its commands.
#include <signal.h>
#include <unistd.h>

#include "e2e/support/eyes_fixture.h"

namespace {

const std::string messageTitle = "Problem loading Skin";

using MenuTest = EyesTest;

TEST_P(MenuTest, RightClickOpensTheMenuAtTheClickAndEscapeClosesIt)
{
    start("face", 400, 300);
    openMenu();
    // The menu starts at the click: up and left of it is still the face.
    EXPECT_EQ(desktop.pixels({clickX - 2, clickY - 2, 1, 1}), std::vector<uint32_t>{faceColour});
    xdotool("key Escape");
    // The face is painted again where the menu was.
    std::vector<uint32_t> face(40 * 4, faceColour);
    EXPECT_TRUE(eventually([&] { return desktop.pixels({clickX + 1, clickY + 1, 40, 4}) == face; }));
    EXPECT_EQ(exitStatus(200), -1) << "Escape in the menu must not end the program";
}

TEST_P(MenuTest, RunOnStartUpAndAlwaysOnTopToggle)
{
    start("face", 400, 300);
    std::string entry = work.path() + "/config/autostart/Glimora.desktop";
    auto registered = [&] { return access(entry.c_str(), F_OK) == 0; };
    ASSERT_FALSE(registered());
    choose("Run on start-up");
    EXPECT_TRUE(eventually(registered));
    choose("Run on start-up");
    EXPECT_TRUE(eventually([&] { return !registered(); }));
    if (!desktop.hasWindowManager())
        return;  // only a window manager keeps the above state
    auto above = [&] { return desktop.hasState(window, "_NET_WM_STATE_ABOVE"); };
    choose("Always on top");
    EXPECT_TRUE(eventually([&] { return !above(); }));
    choose("Always on top");
    EXPECT_TRUE(eventually(above));
}

// The chosen folder's name starts and ends with a blank, which must survive the file.
TEST_P(MenuTest, ChosenSkinAndCentreAreStoredOnExitAndUsedOnTheNextStart)
{
    const Box rebuilt = startThenChooseSkin(" x ");
    ASSERT_EQ(box, rebuilt) << "rebuilt around the same centre";
    EXPECT_EQ(setting("skin"), "\" x \"");

    ASSERT_TRUE(dragBy(box.x + 8, box.y + 8, 100, 50));
    choose("Exit");
    EXPECT_EQ(exitStatus(), 0);
    EXPECT_EQ(setting("x") + "," + setting("y"), "500,350");
    const Box stored{500 - 40, 350 - 20, 80, 40};
    EXPECT_EQ(frameOnceAt(launch(), stored), stored) << "the next start";
}

// A folder unpacked from an archive made elsewhere may be named in Latin-1 bytes,
// which are not UTF-8: it is the very folder that is loaded and stored.
TEST_P(MenuTest, FoldersNamedInAnyBytesAreChosenStoredAndLoadedAgainByTheirExactName)
{
    const std::string latin1 = "caf\xe9", otherScript = "\xe7\x9b\xae";
    makeDirs("skins/" + otherScript);
    BITMAP* tall = makeBitmap(40, 60, 0x3030C0);
    saveBmp("skins/" + otherScript + "/main.bmp", tall);
    destroy_bitmap(tall);
    const Box rebuilt = startThenChooseSkin(latin1);
    ASSERT_EQ(box, rebuilt);
    EXPECT_EQ(setting("skin"), latin1);
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
    window = launch();
    EXPECT_EQ(box = frameOnceAt(window, rebuilt), rebuilt) << "the next start";

    chooseSkin(otherScript);
    const Box tallBox{400 - 20, 300 - 30, 40, 60};
    EXPECT_TRUE(eventually([&] { return desktop.frame(window = desktop.waitForWindow("eyes")) == tallBox; }));
    EXPECT_EQ(setting("skin"), otherScript);
}

TEST_P(MenuTest, SkinWithoutMainPictureShowsTheMessageAndEndsWithStatus255AlsoOnTheNextStart)
{
    makeDirs("skins/broken");
    start("face", 400, 300);
    chooseSkin("broken");
    answerMessageBox(desktop.waitForWindow(messageTitle));
    EXPECT_EQ(setting("skin"), "broken");
    answerMessageBox(launch(messageTitle));
}

// A log-out must not wait on the box: it goes, and the program ends as after it.
TEST_P(MenuTest, SignalThatEndsTheSessionEndsTheProgramWhileTheMessageIsUp)
{
    makeDirs("skins/broken");
    writeFile("eyes.ini", "[global]\nskin=broken\n");
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        ASSERT_NE(launch(messageTitle), 0u) << "no message box";
        eyes->signal(signal);
        EXPECT_EQ(exitStatus(1000), 255) << "still running a second after signal " << signal;
    }
}

TEST_P(MenuTest, TheTrayIconBringsTheFaceIntoViewAndOpensTheFacesMenu)
{
    expectTrayIconBringsTheFaceIntoViewAndOpensItsMenu();
}

INSTANTIATE_TEST_SUITE_P(Desktops, MenuTest, testing::Values(false, true), desktopKind);

}  // namespace
