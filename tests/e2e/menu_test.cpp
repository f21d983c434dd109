// The popup menu on a real X server: where it opens, and each of its commands.
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "e2e/eyes_test.h"

namespace {

const std::string messageTitle = "Problem loading Skin";

class MenuTest : public EyesTest {
protected:
    // Right-clicks near the window's bottom-left corner and waits for the menu there.
    void openMenu()
    {
        clickX = box.x + 8;
        clickY = box.y + box.height - 15;
        pointAt(clickX, clickY);
        xdotool("click 3");
        ASSERT_TRUE(eventually([&] { return menuShown(); })) << "no menu at the click";
    }

    // Most of the strip right below and beside the click is the menu's light background.
    bool menuShown() const
    {
        std::vector<uint32_t> strip = desktop.pixels({clickX + 1, clickY + 1, 100, 4});
        auto light = [](uint32_t pixel) { return (pixel & 0xC0C0C0) == 0xC0C0C0; };
        return std::count_if(strip.begin(), strip.end(), light) > int(strip.size()) * 9 / 10;
    }

    // Opens the menu and picks an item with the keyboard.
    void choose(const std::string& keys)
    {
        openMenu();
        xdotool("key " + keys + " Return");
    }

    // The "Skins" submenu lists the two skin folders in directory order.
    void chooseSkin(const std::string& name)
    {
        bool first = std::filesystem::directory_iterator("skins")->path().filename() == name;
        choose(first ? "Down Down Down Right" : "Down Down Down Right Down");
    }

    // The message box is centred, though a window manager may add a title bar above it,
    // and Return answers it; the program then ends with -1.
    void answerMessageBox(Window message)
    {
        ASSERT_NE(message, 0u) << "no message box";
        Box shown = desktop.frame(message);
        EXPECT_NEAR(shown.x + shown.width / 2, screenWidth / 2, 2);
        EXPECT_NEAR(shown.y + shown.height / 2, screenHeight / 2, 32);
        // Away from the box, so that only its own focus can take the key.
        pointAt(1, 1);
        xdotool("key Return");
        EXPECT_EQ(exitStatus(), 255);
    }

    int clickX = 0, clickY = 0;
};

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
    choose("Down Down");
    EXPECT_TRUE(eventually(registered));
    choose("Down Down");
    EXPECT_TRUE(eventually([&] { return !registered(); }));
    if (!desktop.hasWindowManager())
        return;  // only a window manager keeps the above state
    auto above = [&] { return desktop.hasState(window, "_NET_WM_STATE_ABOVE"); };
    choose("Down");
    EXPECT_TRUE(eventually([&] { return !above(); }));
    choose("Down");
    EXPECT_TRUE(eventually(above));
}

// The chosen folder's name starts and ends with a blank, which must survive the file.
TEST_P(MenuTest, ChosenSkinAndCentreAreStoredOnExitAndUsedOnTheNextStart)
{
    makeDirs("skins/ x ");
    BITMAP* plain = makeBitmap(80, 40, 0x30C030);
    saveBmp("skins/ x /main.bmp", plain);
    destroy_bitmap(plain);
    start("face", 400, 300);
    chooseSkin(" x ");
    const Box rebuilt{400 - 40, 300 - 20, 80, 40};
    eventually([&] { return (box = desktop.frame(window = desktop.waitForWindow("eyes"))) == rebuilt; });
    ASSERT_EQ(box, rebuilt) << "rebuilt around the same centre";
    EXPECT_EQ(setting("skin"), "\" x \"");

    ASSERT_TRUE(dragBy(box.x + 8, box.y + 8, 100, 50));
    choose("Down Down Down Down");
    EXPECT_EQ(exitStatus(), 0);
    EXPECT_EQ(setting("x") + "," + setting("y"), "500,350");
    const Box stored{500 - 40, 350 - 20, 80, 40};
    EXPECT_EQ(frameOnceAt(launch(), stored), stored) << "the next start";
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

INSTANTIATE_TEST_SUITE_P(Desktops, MenuTest, testing::Values(false, true), desktopKind);

}  // namespace
