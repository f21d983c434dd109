// The popup menu on a real X server: where it opens, and each of its commands.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "e2e/eyes_test.h"
#include "e2e/test_skin.h"

namespace {

bool light(uint32_t pixel)
{
    return (pixel & 0xC0C0C0) == 0xC0C0C0;
}

class MenuTest : public EyesTest {
protected:
    void SetUp() override
    {
        EyesTest::SetUp();
        drawFaceSkin("skins/face");
    }

    // Right-clicks on the face below the eye and waits for the menu there.
    void openMenu()
    {
        clickX = box.x + 8;
        clickY = box.y + 55;
        pointAt(clickX, clickY);
        xdotool("click 3");
        ASSERT_TRUE(eventually([&] { return menuShown(); })) << "no menu at the click";
    }

    // Most of the strip right below and beside the click is the menu's light background.
    bool menuShown() const
    {
        std::vector<uint32_t> strip = desktop.pixels({clickX + 1, clickY + 1, 100, 4});
        return std::count_if(strip.begin(), strip.end(), light) > int(strip.size()) * 9 / 10;
    }

    // The index of a skin in the "Skins" submenu, which lists folders in directory order.
    static int skinIndex(const std::string& name)
    {
        int index = 0;
        DIR* skins = opendir("skins");
        while (dirent* entry = readdir(skins)) {
            struct stat info;
            std::string path = std::string("skins/") + entry->d_name;
            if (entry->d_name[0] == '.' || stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
                continue;
            if (name == entry->d_name)
                break;
            ++index;
        }
        closedir(skins);
        return index;
    }

    void chooseSkin(const std::string& name)
    {
        openMenu();
        std::string keys = "Down Down Down Right";
        for (int i = skinIndex(name); i > 0; --i)
            keys += " Down";
        xdotool("key " + keys + " Return");
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

TEST_P(MenuTest, ExitEndsWithStatusZero)
{
    start("face", 400, 300);
    openMenu();
    xdotool("key Down Down Down Down Return");
    EXPECT_EQ(exitStatus(), 0);
}

TEST_P(MenuTest, ChoosingASkinRebuildsTheWindowAroundTheSameCentre)
{
    drawPlainSkin("skins/plain", 80, 40, 0x30C030);
    start("face", 400, 300);
    chooseSkin("plain");
    ASSERT_TRUE(eventually([&] { return desktop.frame(desktop.waitForWindow("eyes")).width == 80; }));
    Box rebuilt = desktop.frame(desktop.waitForWindow("eyes"));
    EXPECT_EQ(rebuilt.x, 400 - 40);
    EXPECT_EQ(rebuilt.y, 300 - 20);
    EXPECT_EQ(rebuilt.height, 40);
    EXPECT_EQ(setting("skin"), "plain");
}

TEST_P(MenuTest, AlwaysOnTopTogglesTheAboveState)
{
    if (!desktop.hasWindowManager())
        GTEST_SKIP() << "only a window manager keeps the state";
    start("face", 400, 300);
    auto above = [&] { return desktop.netWmState(window).find("_NET_WM_STATE_ABOVE") != std::string::npos; };
    ASSERT_TRUE(above());
    openMenu();
    xdotool("key Down Return");
    EXPECT_TRUE(eventually([&] { return !above(); }));
    openMenu();
    xdotool("key Down Return");
    EXPECT_TRUE(eventually(above));
}

TEST_P(MenuTest, RunOnStartUpCreatesAndRemovesTheDesktopEntry)
{
    start("face", 400, 300);
    std::string entry = work.path() + "/config/autostart/Glimora.desktop";
    auto registered = [&] { return access(entry.c_str(), F_OK) == 0; };
    ASSERT_FALSE(registered());
    openMenu();
    xdotool("key Down Down Return");
    EXPECT_TRUE(eventually(registered));
    openMenu();
    xdotool("key Down Down Return");
    EXPECT_TRUE(eventually([&] { return !registered(); }));
}

TEST_P(MenuTest, SkinWithoutMainPictureShowsTheMessageAndEndsWithStatus255)
{
    makeDirs("skins/broken");
    start("face", 400, 300);
    chooseSkin("broken");
    Window message = desktop.waitForWindow("Problem loading Skin");
    ASSERT_NE(message, 0u) << "no message box";
    // Centred; a window manager may add a title bar above it.
    Box shown = desktop.frame(message);
    EXPECT_NEAR(shown.x + shown.width / 2, screenWidth / 2, 2);
    EXPECT_NEAR(shown.y + shown.height / 2, screenHeight / 2, 32);
    // Away from the box, so that only its own focus can take the key.
    pointAt(1, 1);
    xdotool("key Return");
    EXPECT_EQ(exitStatus(), 255);
    EXPECT_EQ(setting("skin"), "broken");
}

INSTANTIATE_TEST_SUITE_P(Desktops, MenuTest, testing::Values(false, true), desktopKind);

}  // namespace
