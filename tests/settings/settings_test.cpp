#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <tuple>

#include "globals/globals.h"
#include "headless/headless.h"
#include "system/win32.h"
#include "settings/settings.h"
#include "os/cwd.h"
#include "support/fixtures.h"

namespace {

using Place = std::pair<LONG, LONG>;

// The shell's window, made the skin's size as the shell makes it.
class WindowPosition : public testing::Test {
protected:
    TempWorkdir dir;

    void SetUp() override
    {
        headless::reset();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "SettingsTestWindow";
        RegisterClassA(&windowClass);
        g_hwnd = CreateWindowExA(0, "SettingsTestWindow", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                 nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(g_hwnd);
        g_hwnd = nullptr;
    }
    void showSkin(int width, int height, int left, int top)
    {
        MoveWindow(g_hwnd, left, top, width, height, TRUE);
    }
    RECT frame()
    {
        RECT rect{};
        GetWindowRect(g_hwnd, &rect);
        return rect;
    }
};

}  // namespace

TEST(WorkingPath, JoinsAnyWorkingDirectoryWithTheNameAndSurvivesADeletedOne)
{
    TempWorkdir dir;
    EXPECT_EQ(workingPath("eyes.ini"), dir.path() + "/eyes.ini");

    const std::string step(200, 'd');
    std::string deep = dir.path();
    auto descendTo = [&](size_t length) {
        for (; deep.size() < length; deep += "/" + step)
            ASSERT_TRUE(mkdir(step.c_str(), 0700) == 0 && chdir(step.c_str()) == 0);
    };
    descendTo(2048);
    SaveSkinName("deep");
    EXPECT_EQ(readFile(deep + "/eyes.ini"), "[global]\nskin=deep\n");
    unlink("eyes.ini");
    descendTo(5000);
    std::string directory;
    ASSERT_TRUE(currentDirectory(directory));
    EXPECT_EQ(directory, deep) << "longer than the first buffer";
    EXPECT_EQ(workingPath("eyes.ini"), "eyes.ini") << "too long to open as an absolute path";
    SaveSkinName("deeper");
    EXPECT_EQ(readFile("eyes.ini"), "[global]\nskin=deeper\n");
    unlink("eyes.ini");
    for (; deep != dir.path(); deep.resize(deep.size() - step.size() - 1))
        ASSERT_TRUE(chdir("..") == 0 && rmdir(step.c_str()) == 0);

    makeDirs("gone");
    ASSERT_TRUE(chdir("gone") == 0 && rmdir((dir.path() + "/gone").c_str()) == 0);
    EXPECT_EQ(workingPath("eyes.ini"), "eyes.ini");
    SaveSkinName("anything");  // nowhere to write: quietly nothing

    ASSERT_EQ(chdir("/"), 0);
    EXPECT_EQ(workingPath("eyes.ini"), "/eyes.ini");
}

TEST_F(WindowPosition, AWindowOffEveryMonitorIsCentredOnThePrimaryOneAndOnePartlyOnStays)
{
    const RECT primary{1280, 0, 2560, 1024}, left{-1920, 0, 0, 1080}, first{0, 0, 1280, 1024};
    headless::setMonitors({primary, left, first});
    using Loaded = std::tuple<int, int, LONG, LONG, const char*>;
    for (const auto& [x, y, placedLeft, placedTop, why] :
         {Loaded{5000, -4000, 1280 + 590, 472, "off every monitor: the primary's middle"},
          Loaded{-1000, 500, -1050, 460, "on the left monitor"},
          Loaded{0, 0, -50, -40, "the first start's place, partly on two monitors"},
          Loaded{-1969, 500, -2019, 460, "one column on the left monitor"},
          Loaded{-1970, 500, 1280 + 590, 472, "just off the left monitor"},
          Loaded{2609, 1063, 2559, 1023, "one pixel on the primary's corner"},
          Loaded{2610, 1063, 1280 + 590, 472, "just off the primary's corner"}}) {
        writeFile("eyes.ini", "[global]\nx=" + std::to_string(x) + "\ny=" + std::to_string(y) + "\n");
        showSkin(100, 80, 0, 0);
        LoadWindowPosition();
        EXPECT_EQ(Place(frame().left, frame().top), Place(placedLeft, placedTop)) << why;
    }
    headless::setMonitors({});
    writeFile("eyes.ini", "[global]\nx=-5000\ny=-5000\n");
    LoadWindowPosition();
    EXPECT_EQ(Place(frame().left, frame().top), Place(590, 472)) << "the screen when no monitors are told apart";
}

TEST(SkinName, ReadsBackAsWrittenWithBlanksAndQuotesAroundIt)
{
    TempWorkdir dir;
    for (const std::string name : {" x ", "x\t", " ", "\"quoted\"", "'q'", "\"half", "plain name", ""}) {
        SaveSkinName(name.c_str());
        char read[512];
        GetPrivateProfileStringA("global", "skin", "?", read, sizeof read, "eyes.ini");
        EXPECT_EQ(read, name);
    }
    SaveSkinName(" x ");
    EXPECT_EQ(readFile("eyes.ini"), "[global]\nskin=\" x \"\n");
    SaveSkinName("plain");
    EXPECT_EQ(readFile("eyes.ini"), "[global]\nskin=plain\n") << "names without blanks around them are not quoted";
}

TEST(SkinName, IsCutTo511CharactersOnReading)
{
    TempWorkdir dir;
    const std::string name = std::string(200, 'a') + "/" + std::string(310, 'b');
    SaveSkinName((name + "-and-the-rest").c_str());
    EXPECT_EQ(loadSkinName(), name);
}

TEST_F(WindowPosition, TheCentreIsStoredAndTheWindowOfAnySkinPlacedAroundIt)
{
    using Saved = std::tuple<int, int, int, int, std::string>;
    for (const auto& [width, height, left, top, stored] : {Saved{101, 51, 10, 20, "x=60\ny=45\n"},
                                                          Saved{100, 80, -300, -200, "x=-250\ny=-160\n"},
                                                          Saved{100, 80, 200, 300, "x=250\ny=340\n"}}) {
        showSkin(width, height, left, top);
        SaveWindowPosition();
        EXPECT_EQ(readFile("eyes.ini"), "[global]\n" + stored);
    }

    // A desktop that covers every place, so that only the arithmetic shows.
    headless::setMonitors({{INT_MIN, INT_MIN, INT_MAX, INT_MAX}});
    using Loaded = std::tuple<std::string, int, int, LONG, LONG>;
    for (const auto& [stored, width, height, left, top] : {Loaded{"x=60\ny=45\n", 101, 51, 10, 20},
                                                          Loaded{"x=-250\ny=-160\n", 100, 80, -300, -200},
                                                          Loaded{"x=250\ny=340\n", 60, 40, 220, 320},
                                                          Loaded{"", 100, 80, 500, 500},
                                                          Loaded{"x=100000\n", 100, 80, 500, 500},
                                                          Loaded{"y=0\nx=\n", 100, 80, 500, 500}}) {
        writeFile("eyes.ini", "[global]\n" + stored);
        showSkin(width, height, 500, 500);
        LoadWindowPosition();
        const RECT placed = frame();
        EXPECT_EQ(Place(placed.left, placed.top), Place(left, top)) << stored;
        EXPECT_EQ(Place(placed.right - placed.left, placed.bottom - placed.top), Place(width, height));
    }

    writeFile("eyes.ini", "[global]\nx=-2147483648\ny=99999999999\n");
    LoadWindowPosition();
    EXPECT_EQ(Place(frame().left, frame().top), Place(INT_MAX - 49, INT_MAX - 40)) << "wraps like 32-bit arithmetic";
}
