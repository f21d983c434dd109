#include "test_window.h"

namespace {

using Menus = PlatformTest;
using Dialogs = PlatformTest;

const Menu& menuOf(HMENU handle)
{
    return *reinterpret_cast<const Menu*>(handle);
}

TEST_F(Menus, ItemsKeepTheirOrderAndChecksAreFoundInSubmenus)
{
    HMENU menu = CreatePopupMenu();
    HMENU skins = CreatePopupMenu();
    AppendMenuA(skins, MF_STRING, 4, "red");
    AppendMenuA(skins, MF_STRING | MF_CHECKED, 5, "green");
    ASSERT_TRUE(AppendMenuA(menu, MF_STRING | MF_CHECKED, 1, "Always on top"));
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ASSERT_TRUE(AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(skins), "Skins"));
    AppendMenuA(menu, MF_STRING, 2, "Exit");

    const auto& items = menuOf(menu).items;
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, "Always on top");
    EXPECT_TRUE(items[0].checked);
    EXPECT_EQ(items[1].flags, UINT(MF_SEPARATOR));
    EXPECT_EQ(items[2].flags, UINT(MF_POPUP));
    EXPECT_EQ(items[2].submenu, &menuOf(skins));
    EXPECT_EQ(items[3].id, 2u);
    EXPECT_FALSE(items[3].checked);

    EXPECT_EQ(CheckMenuItem(menu, 1, MF_BYCOMMAND | MF_UNCHECKED), DWORD(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_BYCOMMAND | MF_UNCHECKED), DWORD(MF_UNCHECKED));
    EXPECT_FALSE(items[0].checked);
    EXPECT_EQ(CheckMenuItem(menu, 5, MF_BYCOMMAND | MF_UNCHECKED), DWORD(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 4, MF_BYCOMMAND | MF_CHECKED), DWORD(MF_UNCHECKED));
    EXPECT_TRUE(menuOf(skins).items[0].checked);
    EXPECT_EQ(CheckMenuItem(menu, 99, MF_BYCOMMAND | MF_CHECKED), DWORD(-1));
    EXPECT_EQ(CheckMenuItem(menu, 0, MF_BYCOMMAND | MF_CHECKED), DWORD(-1));  // not the separator
    EXPECT_TRUE(DestroyMenu(menu));
}

TEST_F(Menus, DestroyingFreesSubmenusAndStaleHandlesFailHarmlessly)
{
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    HMENU inner = CreatePopupMenu();
    AppendMenuA(inner, MF_STRING, 9, "deep");
    AppendMenuA(sub, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), "Inner");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub");
    EXPECT_EQ(CheckMenuItem(menu, 9, MF_CHECKED), DWORD(MF_UNCHECKED));

    // A menu hangs in one place, never inside itself.
    HMENU other = CreatePopupMenu();
    EXPECT_FALSE(AppendMenuA(other, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), "Again"));
    EXPECT_FALSE(AppendMenuA(inner, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "Loop"));
    EXPECT_FALSE(AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "Self"));

    EXPECT_TRUE(DestroyMenu(menu));
    for (HMENU gone : {menu, sub, inner}) {
        EXPECT_FALSE(DestroyMenu(gone));
        EXPECT_FALSE(AppendMenuA(gone, MF_STRING, 1, "x"));
        EXPECT_EQ(CheckMenuItem(gone, 9, MF_CHECKED), DWORD(-1));
    }
    EXPECT_FALSE(AppendMenuA(other, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Gone"));

    // A submenu destroyed on its own takes its item with it.
    HMENU child = CreatePopupMenu();
    AppendMenuA(other, MF_STRING, 1, "Keep");
    AppendMenuA(other, MF_POPUP, reinterpret_cast<UINT_PTR>(child), "Child");
    DestroyMenu(child);
    ASSERT_EQ(menuOf(other).items.size(), 1u);
    EXPECT_EQ(menuOf(other).items[0].text, "Keep");
    DestroyMenu(other);
}

TEST_F(Menus, TheChoiceArrivesAsACommandAfterTheMenuHasClosed)
{
    HWND hwnd = makeWindow();
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 5, "green");
    AppendMenuA(menu, MF_STRING, 2, "Exit");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Skins");
    received.clear();

    headless::answerNextPopup(5);
    EXPECT_TRUE(TrackPopupMenu(menu, 0, 130, 70, 0, hwnd, nullptr));
    EXPECT_TRUE(received.empty());
    EXPECT_TRUE(TrackPopupMenu(menu, 0, 1, 2, 0, hwnd, nullptr));  // the answer was used up: dismissed
    DestroyMenu(menu);
    pump();

    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, UINT(WM_COMMAND));
    EXPECT_EQ(received[0].wParam, 5u);
    ASSERT_EQ(headless::popups().size(), 2u);
    const headless::Popup& shown = headless::popups()[0];
    EXPECT_EQ(shown.x, 130);
    EXPECT_EQ(shown.y, 70);
    ASSERT_EQ(shown.menu.items.size(), 2u);
    ASSERT_NE(shown.menu.items[1].submenu, nullptr);
    EXPECT_EQ(shown.menu.items[1].submenu->items[0].text, "green");  // a copy: outlives the menu

    EXPECT_FALSE(TrackPopupMenu(menu, 0, 0, 0, 0, hwnd, nullptr));
}

TEST_F(Dialogs, MessageBoxesReachTheUser)
{
    EXPECT_EQ(MessageBoxA(nullptr, "Cannot load skins/x/main.bmp", "eyes", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_OK), IDOK);
    ASSERT_EQ(headless::messageBoxes().size(), 2u);
    EXPECT_EQ(headless::messageBoxes()[0].text, "Cannot load skins/x/main.bmp");
    EXPECT_EQ(headless::messageBoxes()[0].caption, "eyes");
    EXPECT_EQ(headless::messageBoxes()[1].text, "");
    EXPECT_EQ(headless::messageBoxes()[1].caption, "Error");
}

}  // namespace
