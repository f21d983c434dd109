#include <gtest/gtest.h>

#include <allegro.h>

#include <cstdlib>
#include <filesystem>

#include "app/popup_menu.h"
#include "app/winmain.h"
#include "headless/headless.h"
#include "support/fixtures.h"

namespace {

void writeSkin(const std::string& folder, int width, int height)
{
    makeDirs(folder);
    BITMAP* face = makeBitmap(width, height, makecol32(90, 140, 200));
    rectfill(face, 5, 5, 20, 15, makecol32(255, 255, 255));
    putpixel(face, 12, 10, magenta());
    saveBmp(folder + "/main.bmp", face);
    destroy_bitmap(face);
}

std::string storedSkin()
{
    char name[512];
    GetPrivateProfileStringA("global", "skin", "", name, sizeof name, "eyes.ini");
    return name;
}

const MenuItem* findItem(const Menu& menu, const std::string& text)
{
    for (const MenuItem& item : menu.items) {
        if (item.text == text)
            return &item;
        if (item.submenu)
            if (const MenuItem* found = findItem(*item.submenu, text))
                return found;
    }
    return nullptr;
}

const Menu& skinsOf(const headless::Popup& popup)
{
    return *findItem(popup.menu, "Skins")->submenu;
}

// Drives the running program: each step opens the menu with a right click
// and answers it, from t = 100 ms on, 100 ms apart; Esc comes after the last.
class Menus : public testing::Test {
protected:
    void SetUp() override
    {
        headless::reset(1000, 800);
        writeSkin("skins", 100, 80);
        for (const char* name : {"red", "green", "blue"})
            writeSkin(std::string("skins/") + name, 60, 40);
        makeDirs("skins/.hidden");
        writeFile("skins/notes.txt", "not a skin");
        writeFile("eyes.ini", "[global]\nx=500\ny=400\n");
        setenv("XDG_CONFIG_HOME", (workdir.path() + "/config").c_str(), 1);
    }
    void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

    // answer(popup) picks the id to choose from the menu as shown.
    void choose(std::function<UINT_PTR(const Menu&)> answer)
    {
        uint64_t t = 100 + 100 * steps++;
        headless::at(t, [] {
            headless::answerNextPopup(0);
            headless::setPointer(500, 400);
            headless::pressButton(WM_RBUTTONDOWN);
        });
        // Look at the menu just shown, then open it again with the answer.
        headless::at(t + 20, [answer] {
            headless::answerNextPopup(answer(headless::popups().back().menu));
            headless::pressButton(WM_RBUTTONDOWN);
        });
    }
    void chooseId(UINT_PTR id)
    {
        choose([id](const Menu&) { return id; });
    }
    int run()
    {
        headless::at(100 + 100 * steps, [] { headless::pressKey(VK_ESCAPE); });
        return WinMain(nullptr, nullptr, nullptr, 0);
    }

    TempWorkdir workdir;
    int steps = 0;
};

TEST_F(Menus, ItemsInOrderWithOneEntryPerSkinFolderNumberedInTheSkinsRange)
{
    chooseId(0);
    ASSERT_EQ(run(), 0);
    const headless::Popup& popup = headless::popups().front();
    EXPECT_EQ(popup.x, 500);
    EXPECT_EQ(popup.y, 400);
    const std::vector<MenuItem>& items = popup.menu.items;
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(items[0].text, "Always on top");
    EXPECT_EQ(items[0].id, IDM_ALWAYS_ON_TOP);
    EXPECT_TRUE(items[0].checked);
    EXPECT_EQ(items[1].text, "Run on start-up");
    EXPECT_FALSE(items[1].checked);
    EXPECT_EQ(items[2].flags, UINT(MF_SEPARATOR));
    EXPECT_EQ(items[3].text, "Skins");
    EXPECT_EQ(items[4].text, "Size");
    EXPECT_EQ(items[5].text, "Opacity");
    EXPECT_EQ(items[6].text, "Click-through");
    EXPECT_FALSE(items[6].checked);
    EXPECT_EQ(items[7].flags, UINT(MF_SEPARATOR));
    EXPECT_EQ(items[8].text, "Exit");
    EXPECT_EQ(items[8].id, IDM_EXIT);

    // Radio items, the plain size marked where eyes.ini names none.
    ASSERT_NE(items[4].submenu, nullptr);
    const std::vector<MenuItem>& sizes = items[4].submenu->items;
    ASSERT_EQ(sizes.size(), 4u);
    const char* const labels[] = {"100 %", "200 %", "300 %", "400 %"};
    for (size_t i = 0; i < sizes.size(); ++i) {
        EXPECT_EQ(sizes[i].text, labels[i]);
        EXPECT_EQ(sizes[i].id, IDM_FIRST_SIZE + i);
        EXPECT_TRUE(sizes[i].radio);
        EXPECT_EQ(sizes[i].checked, i == 0);
    }

    // The default face first, marked as the current skin where eyes.ini names none.
    const Menu& skins = skinsOf(popup);
    ASSERT_EQ(skins.items.size(), 4u) << "no dot folders, no files";
    EXPECT_EQ(skins.items[0].text, "Default");
    for (size_t i = 0; i < skins.items.size(); ++i) {
        EXPECT_EQ(skins.items[i].id, IDM_FIRST_SKIN + i);
        EXPECT_TRUE(skins.items[i].radio);
        EXPECT_EQ(skins.items[i].checked, i == 0);
    }
}

TEST_F(Menus, ChoosingASkinStoresItAndRebuildsAroundTheSameCentreNumberingFromTheFirstSkinIdAgain)
{
    choose([](const Menu& menu) { return findItem(menu, "green")->id; });
    headless::WindowState rebuilt;
    headless::at(250, [&] { rebuilt = *headless::window(g_hwnd); });
    chooseId(0);
    chooseId(0);  // the same skin again still rebuilds: checked below through the store
    ASSERT_EQ(run(), 0);

    EXPECT_EQ(storedSkin(), "green");
    EXPECT_EQ(rebuilt.frame.right - rebuilt.frame.left, 60);
    EXPECT_EQ(rebuilt.frame.left, 470);
    EXPECT_EQ(rebuilt.frame.top, 380);
    const Menu& skins = skinsOf(headless::popups().back());
    EXPECT_EQ(skins.items.front().id, IDM_FIRST_SKIN);
    EXPECT_TRUE(findItem(skins, "green")->checked) << "the chosen skin is marked";
    EXPECT_FALSE(findItem(skins, "Default")->checked);
    EXPECT_EQ(GetPrivateProfileIntA("global", "x", 0, "eyes.ini"), 500u);
}

// Anything but the four opacities reads as opaque; the one chosen is stored,
// marked, and taken by the rebuilt window as a constant alpha.
TEST_F(Menus, OpacityIsOneOfFourRadioItemsAndAPlainFaceTakesItAsItsWindowsAlpha)
{
    writeFile("eyes.ini", "[global]\nx=500\ny=400\nopacity=55\n");
    choose([](const Menu& menu) { return findItem(menu, "60 %")->id; });
    int opacity[2] = {};
    headless::at(50, [&] { opacity[0] = headless::window(g_hwnd)->opacity; });
    headless::at(250, [&] { opacity[1] = headless::window(g_hwnd)->opacity; });
    chooseId(0);
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(opacity[0], 255);
    EXPECT_EQ(opacity[1], 153);
    EXPECT_EQ(GetPrivateProfileIntA("global", "opacity", 0, "eyes.ini"), 60u);
    const std::vector<MenuItem>& before = findItem(headless::popups()[0].menu, "Opacity")->submenu->items;
    const std::vector<MenuItem>& after = findItem(headless::popups()[2].menu, "Opacity")->submenu->items;
    ASSERT_EQ(before.size(), 4u);
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_TRUE(before[i].radio);
        EXPECT_EQ(before[i].checked, i == 0) << before[i].text;
        EXPECT_EQ(after[i].checked, i == 2) << after[i].text;
    }
}

// While on, clicks pass; the pointer over the face fades it to a quarter, and
// Ctrl held there gives it the clicks back at full opacity, all on the ticks.
TEST_F(Menus, ClickThroughIsStoredPassesClicksFadesUnderThePointerAndCtrlTakesThemBack)
{
    chooseId(IDM_CLICK_THROUGH);
    struct Seen {
        bool passes;
        int opacity;
    };
    std::vector<Seen> seen;
    auto sample = [&](uint64_t t) {
        headless::at(t, [&] { seen.push_back({headless::window(g_hwnd)->passesClicks, headless::window(g_hwnd)->opacity}); });
    };
    headless::at(150, [] { headless::setPointer(900, 700); });
    sample(1300);  // away from the face
    headless::at(1310, [] { headless::setPointer(500, 400); });
    sample(2500);  // over it
    headless::at(2510, [] { headless::holdControl(true); });
    sample(3700);  // Ctrl held over it
    headless::at(3710, [] { headless::holdControl(false); });
    sample(4900);
    headless::at(5000, [] { headless::pressKey(VK_ESCAPE); });
    ASSERT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
    EXPECT_EQ(GetPrivateProfileIntA("global", "clickthrough", 0, "eyes.ini"), 1u);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_TRUE(seen[0].passes);
    EXPECT_EQ(seen[0].opacity, 255);
    EXPECT_TRUE(seen[1].passes);
    EXPECT_EQ(seen[1].opacity, 63);
    EXPECT_FALSE(seen[2].passes);
    EXPECT_EQ(seen[2].opacity, 255);
    EXPECT_TRUE(seen[3].passes);
    EXPECT_EQ(seen[3].opacity, 63);
}

TEST_F(Menus, TheDefaultItemStoresAnEmptyNameForTheSkinsFolderItself)
{
    writeFile("eyes.ini", "[global]\nx=500\ny=400\nskin=green\n");
    choose([](const Menu& menu) { return findItem(menu, "Default")->id; });
    ASSERT_EQ(run(), 0);
    EXPECT_NE(readFile("eyes.ini").find("skin=\n"), std::string::npos) << readFile("eyes.ini");
}

TEST_F(Menus, SameSkinChosenAgainRebuildsTheWindow)
{
    choose([](const Menu& menu) { return findItem(menu, "red")->id; });
    HWND first = nullptr, second = nullptr, third = nullptr;
    headless::at(90, [&] { first = g_hwnd; });
    headless::at(190, [&] { second = g_hwnd; });
    choose([](const Menu& menu) { return findItem(menu, "red")->id; });
    headless::at(290, [&] { third = g_hwnd; });
    ASSERT_EQ(run(), 0);
    EXPECT_NE(first, second);
    EXPECT_NE(second, third);
    EXPECT_EQ(storedSkin(), "red");
}

TEST_F(Menus, AlwaysOnTopFlagCheckAndWindowAgreeAcrossRebuilds)
{
    std::vector<bool> above;
    auto sample = [&](uint64_t t) { headless::at(t, [&] { above.push_back(headless::window(g_hwnd)->above); }); };
    chooseId(IDM_ALWAYS_ON_TOP);  // off
    sample(190);
    choose([](const Menu& menu) { return findItem(menu, "blue")->id; });
    sample(290);
    chooseId(IDM_ALWAYS_ON_TOP);  // off again in the new window
    sample(390);
    chooseId(IDM_ALWAYS_ON_TOP);  // and on
    sample(490);
    ASSERT_EQ(run(), 0);

    EXPECT_EQ(above, (std::vector<bool>{false, true, false, true}));
    const std::vector<headless::Popup>& shown = headless::popups();
    // Each step shows the menu twice; the first showing of each step tells the state then.
    EXPECT_TRUE(shown[0].menu.items[0].checked);
    EXPECT_FALSE(shown[2].menu.items[0].checked);
    EXPECT_TRUE(shown[4].menu.items[0].checked) << "a new window starts on top, checked";
    EXPECT_FALSE(shown[6].menu.items[0].checked);
}

TEST_F(Menus, RunOnStartUpFlipsTheEntryAndTheCheckEvenWhenTheFolderIsUnwritable)
{
    const std::string entry = workdir.path() + "/config/autostart/Glimora.desktop";
    bool createdAfterFirst = false;
    chooseId(IDM_RUN_ON_STARTUP);
    headless::at(190, [&] { createdAfterFirst = std::filesystem::exists(entry); });
    chooseId(IDM_RUN_ON_STARTUP);
    headless::at(290, [&] {
        // An autostart "folder" that is a file cannot take the entry.
        writeFile(workdir.path() + "/config/autostart.tmp", "");
        std::filesystem::remove_all(workdir.path() + "/config/autostart");
        std::filesystem::rename(workdir.path() + "/config/autostart.tmp", workdir.path() + "/config/autostart");
    });
    chooseId(IDM_RUN_ON_STARTUP);
    chooseId(0);
    ASSERT_EQ(run(), 0);

    EXPECT_TRUE(createdAfterFirst);
    const std::vector<headless::Popup>& shown = headless::popups();
    EXPECT_FALSE(shown[0].menu.items[1].checked);
    EXPECT_TRUE(shown[2].menu.items[1].checked);
    EXPECT_FALSE(shown[4].menu.items[1].checked);
    EXPECT_TRUE(shown[6].menu.items[1].checked) << "the item follows the click";
}

TEST_F(Menus, ExitEndsTheProgram)
{
    chooseId(IDM_EXIT);
    headless::at(500, [] { ADD_FAILURE() << "still running"; });
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
}

TEST_F(Menus, SkinWithoutMainPictureIsReportedNowAndAtTheNextStart)
{
    makeDirs("skins/empty");
    choose([](const Menu& menu) { return findItem(menu, "empty")->id; });
    EXPECT_EQ(run(), -1);
    headless::reset(1000, 800);
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), -1);
    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].text,
              "Problem loading \"" + workdir.path() + "/skins/empty/\". Skin not loaded.");
}

}  // namespace
