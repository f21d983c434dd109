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

std::string storedText(const char* key)
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

    RECT frame()
    {
        RECT rect{};
        GetWindowRect(g_hwnd, &rect);
        return rect;
    }
};

}  // namespace

TEST(WorkingPath, JoinsTheWorkingDirectoryWithTheName)
{
    TempWorkdir dir;
    EXPECT_EQ(workingPath("eyes.ini"), dir.path() + "/eyes.ini");
    ASSERT_EQ(chdir("/"), 0);
    EXPECT_EQ(workingPath("eyes.ini"), "/eyes.ini");
}

TEST(WorkingPath, ServesADeepWorkingDirectory)
{
    TempWorkdir dir;
    std::string deep = dir.path();
    while (deep.size() < 2048)
        deep += "/" + std::string(200, 'd');
    makeDirs(deep);
    ASSERT_EQ(chdir(deep.c_str()), 0);
    EXPECT_EQ(workingPath("eyes.ini"), deep + "/eyes.ini");
    SaveSkinName("deep");
    EXPECT_EQ(readFile(deep + "/eyes.ini"), "[global]\nskin=deep\n");
}

TEST(WorkingPath, FallsBackToARelativeNameWhenTheDirectoryIsGone)
{
    TempWorkdir dir;
    makeDirs("gone");
    ASSERT_EQ(chdir("gone"), 0);
    ASSERT_EQ(rmdir((dir.path() + "/gone").c_str()), 0);
    EXPECT_EQ(workingPath("eyes.ini"), "eyes.ini");
    SaveSkinName("anything");  // nowhere to write: quietly nothing
}

TEST(SkinName, IsStoredForTheLoaderAndCutTo511Characters)
{
    TempWorkdir dir;
    g_reloadSkin = false;
    ChooseSkin("green");
    EXPECT_TRUE(g_reloadSkin);
    EXPECT_EQ(storedText("skin"), "green");

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
    EXPECT_TRUE(headless::messageBoxes().empty());
}

TEST_F(WindowPosition, FirstStartCentresTheWindowOnTheOrigin)
{
    showSkin(100, 80, 590, 472);
    LoadWindowPosition();
    EXPECT_EQ(frame().left, -50);
    EXPECT_EQ(frame().top, -40);
    EXPECT_EQ(frame().right, 50);
    EXPECT_FALSE(std::filesystem::exists("eyes.ini")) << "loading writes nothing back";
}

TEST_F(WindowPosition, OddSizeComesBackToTheSameEdges)
{
    showSkin(101, 51, 10, 20);
    SaveWindowPosition();
    EXPECT_EQ(storedText("x"), "60");
    EXPECT_EQ(storedText("y"), "45");
    MoveWindow(g_hwnd, 500, 500, 101, 51, TRUE);
    LoadWindowPosition();
    EXPECT_EQ(frame().left, 10);
    EXPECT_EQ(frame().top, 20);
}

TEST_F(WindowPosition, ANewSkinKeepsTheCentre)
{
    showSkin(100, 80, 200, 300);
    SaveWindowPosition();
    EXPECT_EQ(storedText("x"), "250");
    EXPECT_EQ(storedText("y"), "340");
    showSkin(60, 40, 0, 0);
    LoadWindowPosition();
    EXPECT_EQ(frame().left, 220);
    EXPECT_EQ(frame().top, 320);
    EXPECT_EQ(frame().right, 280);
    EXPECT_EQ(frame().bottom, 360);
}

TEST_F(WindowPosition, NegativeAndFarAwayCentresAreUsedUnchanged)
{
    showSkin(100, 80, -300, -200);
    SaveWindowPosition();
    EXPECT_EQ(storedText("x"), "-250");
    EXPECT_EQ(storedText("y"), "-160");
    MoveWindow(g_hwnd, 0, 0, 100, 80, TRUE);
    LoadWindowPosition();
    EXPECT_EQ(frame().left, -300);
    EXPECT_EQ(frame().top, -200);

    writeFile("eyes.ini", "[global]\nx=100000\n");
    LoadWindowPosition();
    EXPECT_EQ(frame().left, 100000 - 50);
    EXPECT_EQ(frame().top, -40) << "a missing y reads as 0 on its own";
}

TEST_F(WindowPosition, ExtremeStoredValuesDoNotBreakTheArithmetic)
{
    showSkin(100, 80, 0, 0);
    writeFile("eyes.ini", "[global]\nx=-2147483648\ny=99999999999\n");
    LoadWindowPosition();
    EXPECT_EQ(frame().left, 2147483598) << "wraps like 32-bit arithmetic";
    EXPECT_EQ(frame().top, 2147483647 - 40);
}

TEST_F(WindowPosition, SavingKeepsTheSkinNameAndOtherLines)
{
    writeFile("eyes.ini", "; mine\n[global]\nskin=owl\n[extra]\nkeep=1\n");
    showSkin(40, 30, 5, 5);
    SaveWindowPosition();
    EXPECT_EQ(readFile("eyes.ini"), "; mine\n[global]\nskin=owl\nx=25\ny=20\n[extra]\nkeep=1\n");
}
