#include "test_window.h"

namespace {

using Menus = PlatformTest;

// The menu as it would be shown now, taken from the popup it opens.
Menu menuOf(HMENU handle)
{
    HWND hwnd = CreateWindowExA(0, "platform-test", "menu", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    headless::answerNextPopup(0);
    EXPECT_TRUE(TrackPopupMenu(handle, 0, 0, 0, 0, hwnd, nullptr));
    DestroyWindow(hwnd);
    return headless::popups().back().menu;
}

UINT_PTR asItem(HMENU submenu)
{
    return reinterpret_cast<UINT_PTR>(submenu);
}

// "Always on top" (1, checked), a separator, "Skins" with "red" (4) and "green" (5, checked), "Exit" (2).
HMENU makeMenu(HMENU* skins = nullptr)
{
    HMENU menu = CreatePopupMenu(), sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 4, "red");
    AppendMenuA(sub, MF_STRING | MF_CHECKED, 5, "green");
    AppendMenuA(menu, MF_STRING | MF_CHECKED, 1, "Always on top");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    EXPECT_TRUE(AppendMenuA(menu, MF_POPUP, asItem(sub), "Skins"));
    AppendMenuA(menu, MF_STRING, 2, "Exit");
    if (skins)
        *skins = sub;
    return menu;
}

TEST_F(Menus, ItemsKeepTheirOrderAndChecksAreFoundInSubmenus)
{
    HMENU skins;
    HMENU menu = makeMenu(&skins);
    const Menu shown = menuOf(menu);
    const auto& items = shown.items;
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, "Always on top");
    EXPECT_EQ(items[3].text, "Exit");

    EXPECT_EQ(CheckMenuItem(menu, 1, MF_BYCOMMAND | MF_UNCHECKED), DWORD(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_BYCOMMAND | MF_UNCHECKED), DWORD(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 5, MF_BYCOMMAND | MF_UNCHECKED), DWORD(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 4, MF_BYCOMMAND | MF_CHECKED), DWORD(MF_UNCHECKED));
    EXPECT_TRUE(menuOf(skins).items[0].checked);
    EXPECT_EQ(CheckMenuItem(menu, 99, MF_BYCOMMAND | MF_CHECKED), DWORD(-1));
    EXPECT_EQ(CheckMenuItem(menu, 0, MF_BYCOMMAND | MF_CHECKED), DWORD(-1)) << "not the separator";
    EXPECT_TRUE(DestroyMenu(menu));
}

TEST_F(Menus, DestroyingFreesSubmenusAndStaleHandlesFailHarmlessly)
{
    HMENU skins, inner = CreatePopupMenu(), other = CreatePopupMenu();
    HMENU menu = makeMenu(&skins);
    ASSERT_TRUE(AppendMenuA(skins, MF_POPUP, asItem(inner), "Inner"));

    // A menu hangs in one place, never inside itself.
    EXPECT_FALSE(AppendMenuA(other, MF_POPUP, asItem(inner), "Again"));
    EXPECT_FALSE(AppendMenuA(inner, MF_POPUP, asItem(menu), "Loop"));
    EXPECT_FALSE(AppendMenuA(menu, MF_POPUP, asItem(menu), "Self"));

    EXPECT_TRUE(DestroyMenu(menu));
    for (HMENU gone : {menu, skins, inner}) {
        EXPECT_FALSE(DestroyMenu(gone));
        EXPECT_FALSE(AppendMenuA(gone, MF_STRING, 1, "x"));
        EXPECT_EQ(CheckMenuItem(gone, 4, MF_CHECKED), DWORD(-1));
    }
    EXPECT_FALSE(AppendMenuA(other, MF_POPUP, asItem(skins), "Gone"));

    // A menu made after may live where a destroyed one did; the old handle still finds nothing.
    HMENU later = CreatePopupMenu();
    EXPECT_FALSE(AppendMenuA(menu, MF_STRING, 1, "x"));
    EXPECT_TRUE(menuOf(later).items.empty());
    DestroyMenu(later);

    HMENU child = CreatePopupMenu();
    AppendMenuA(other, MF_STRING, 1, "Keep");
    AppendMenuA(other, MF_POPUP, asItem(child), "Child");
    DestroyMenu(child);
    EXPECT_EQ(menuOf(other).items.size(), 1u) << "a submenu destroyed on its own takes its item along";
    DestroyMenu(other);
}

TEST_F(Menus, TheChoiceArrivesAsACommandAfterTheMenuHasClosed)
{
    HWND hwnd = makeWindow();
    HMENU menu = makeMenu();
    received.clear();
    headless::answerNextPopup(5);
    EXPECT_TRUE(TrackPopupMenu(menu, 0, 130, 70, 0, hwnd, nullptr));
    EXPECT_TRUE(received.empty());
    DestroyMenu(menu);
    pump();

    ASSERT_EQ(messages(), std::vector<UINT>{WM_COMMAND});
    EXPECT_EQ(received[0].wParam, 5u);
    ASSERT_EQ(headless::popups().size(), 1u);
    const headless::Popup& shown = headless::popups()[0];
    EXPECT_EQ(shown.x, 130);
    EXPECT_EQ(shown.y, 70);
    EXPECT_EQ(shown.menu.items[2].submenu->items[1].text, "green") << "a copy that outlives the menu";
    EXPECT_FALSE(TrackPopupMenu(menu, 0, 0, 0, 0, hwnd, nullptr));
}

}  // namespace
