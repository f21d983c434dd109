#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/shell.h"
#include "platform/headless/headless.h"
#include "platform/win32.h"
#include "settings/settings.h"
#include "skin/skin.h"
#include "support/fixtures.h"

namespace {

std::string stored(const char* key)
{
    char buffer[32];
    GetPrivateProfileStringA("global", key, "(none)", buffer, sizeof buffer, "eyes.ini");
    return buffer;
}

// A headless window of the current skin's size, as the shell makes it.
class WindowPosition : public testing::Test {
protected:
    TempWorkdir dir;
    Skin skin;

    void SetUp() override
    {
        headless::reset();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "SettingsTestWindow";
        RegisterClassA(&windowClass);
        g_skin = &skin;
    }

    void TearDown() override
    {
        if (g_hwnd)
            DestroyWindow(g_hwnd);
        g_hwnd = nullptr;
        g_skin = nullptr;
    }

    void showSkin(int width, int height, int left, int top)
    {
        if (skin.mainImage)
            destroy_bitmap(skin.mainImage);
        skin.mainImage = create_bitmap(width, height);
        if (g_hwnd)
            DestroyWindow(g_hwnd);
        g_hwnd = CreateWindowExA(0, "SettingsTestWindow", "", WS_POPUP, left, top, width, height, nullptr,
                                 nullptr, nullptr, nullptr);
        ASSERT_NE(g_hwnd, nullptr);
    }

    POINT leftTop()
    {
        RECT rect{};
        GetWindowRect(g_hwnd, &rect);
        EXPECT_EQ(rect.right - rect.left, skin.getWidth());
        return {rect.left, rect.top};
    }
};

}  // namespace

TEST(WorkingPath, JoinsTheWorkingDirectoryWithTheName)
{
    TempWorkdir dir;
    EXPECT_EQ(workingPath("eyes.ini"), dir.path() + "/eyes.ini");
    std::string buffer(dir.path().size() + 4, '#');
    EXPECT_EQ(_getcwd(&buffer[0], static_cast<int>(dir.path().size())), nullptr) << "no room for the zero";
    EXPECT_EQ(buffer.substr(dir.path().size()), "####") << "nothing written past the size";
    EXPECT_EQ(_getcwd(&buffer[0], static_cast<int>(dir.path().size() + 1)), buffer.data());
    EXPECT_EQ(buffer.c_str(), dir.path());

    ASSERT_EQ(chdir("/"), 0);
    EXPECT_EQ(workingPath("eyes.ini"), "/eyes.ini");
}

TEST(WorkingPath, ServesADeepDirectoryAndSurvivesADeletedOne)
{
    TempWorkdir dir;
    std::string deep = dir.path();
    while (deep.size() < 2048)
        deep += "/" + std::string(200, 'd');
    makeDirs(deep);
    ASSERT_EQ(chdir(deep.c_str()), 0);
    SaveSkinName("deep");
    EXPECT_EQ(readFile(deep + "/eyes.ini"), "[global]\nskin=deep\n");

    ASSERT_EQ(unlink("eyes.ini"), 0);
    ASSERT_EQ(rmdir(deep.c_str()), 0);
    EXPECT_EQ(workingPath("eyes.ini"), "eyes.ini");
    SaveSkinName("anything");  // nowhere to write: quietly nothing
}

TEST(SkinName, IsStoredForTheLoaderAndCutTo511Characters)
{
    TempWorkdir dir;
    g_reloadSkin = false;
    ChooseSkin("green");
    EXPECT_TRUE(g_reloadSkin);
    EXPECT_EQ(stored("skin"), "green");

    // 511 characters that name a real nested skin folder, then more.
    std::string name = std::string(200, 'a') + "/" + std::string(200, 'b') + "/";
    name += std::string(511 - name.size(), 'c');
    makeDirs("skins/" + name);
    BITMAP* picture = makeBitmap(7, 5, 0);
    saveBmp("skins/" + name + "/main.bmp", picture);
    destroy_bitmap(picture);
    SaveSkinName((name + "-and-the-rest").c_str());

    headless::reset();
    Skin skin;
    EXPECT_TRUE(skin.load());
    EXPECT_EQ(skin.getWidth(), 7);
}

TEST_F(WindowPosition, FirstStartCentresTheWindowOnTheOrigin)
{
    showSkin(100, 80, 590, 472);
    LoadWindowPosition();
    EXPECT_EQ(leftTop().x, -50);
    EXPECT_EQ(leftTop().y, -40);
    EXPECT_FALSE(std::filesystem::exists("eyes.ini")) << "loading writes nothing back";
}

TEST_F(WindowPosition, OddSizesComeBackAndANewSkinKeepsTheCentre)
{
    showSkin(101, 51, 10, 20);
    SaveWindowPosition();
    EXPECT_EQ(stored("x"), "60");
    EXPECT_EQ(stored("y"), "45");
    MoveWindow(g_hwnd, 500, 500, 101, 51, TRUE);
    LoadWindowPosition();
    EXPECT_EQ(leftTop().x, 10);
    EXPECT_EQ(leftTop().y, 20);

    showSkin(100, 80, 200, 300);
    SaveWindowPosition();
    EXPECT_EQ(stored("x"), "250");
    EXPECT_EQ(stored("y"), "340");
    showSkin(60, 40, 0, 0);
    LoadWindowPosition();
    EXPECT_EQ(leftTop().x, 220);
    EXPECT_EQ(leftTop().y, 320);
}

TEST_F(WindowPosition, NegativeAndFarAwayCentresAreUsedUnchanged)
{
    showSkin(100, 80, -300, -200);
    SaveWindowPosition();
    EXPECT_EQ(stored("x"), "-250");
    EXPECT_EQ(stored("y"), "-160");
    MoveWindow(g_hwnd, 0, 0, 100, 80, TRUE);
    LoadWindowPosition();
    EXPECT_EQ(leftTop().x, -300);
    EXPECT_EQ(leftTop().y, -200);

    writeFile("eyes.ini", "[global]\nx=100000\n");
    LoadWindowPosition();
    EXPECT_EQ(leftTop().x, 100000 - 50);
    EXPECT_EQ(leftTop().y, -40) << "a missing y reads as 0 on its own";
}

TEST_F(WindowPosition, ExtremeStoredValuesWrapLike32BitArithmetic)
{
    showSkin(100, 80, 0, 0);
    writeFile("eyes.ini", "[global]\nx=-2147483648\ny=99999999999\n");
    LoadWindowPosition();
    RECT rect{};
    GetWindowRect(g_hwnd, &rect);
    EXPECT_EQ(rect.left, 2147483647 - 49);
    EXPECT_EQ(rect.top, 2147483647 - 40);
}
