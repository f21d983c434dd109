#include <algorithm>
#include <memory>
#include <vector>

#include "core.h"
#include "core/handles.h"

namespace {

// Every menu not yet destroyed; a handle is honoured only while it is here.
core::Handles<Menu>& liveMenus()
{
    static core::Handles<Menu> live;
    return live;
}

Menu* findMenu(HMENU handle)
{
    return liveMenus().find(handle);
}

bool reaches(const Menu& from, const Menu* target)
{
    if (&from == target)
        return true;
    return std::any_of(from.items.begin(), from.items.end(),
                       [&](const MenuItem& item) { return item.submenu && reaches(*item.submenu, target); });
}

bool isAttached(const Menu* submenu)
{
    bool attached = false;
    liveMenus().forEach([&](const Menu& menu) {
        attached = attached || std::any_of(menu.items.begin(), menu.items.end(),
                                           [&](const MenuItem& item) { return item.submenu == submenu; });
    });
    return attached;
}

// Removes the items that open this menu, so that no item is left pointing at a freed one.
void detach(const Menu* submenu)
{
    liveMenus().forEach([&](Menu& menu) {
        auto& items = menu.items;
        items.erase(std::remove_if(items.begin(), items.end(),
                                   [&](const MenuItem& item) { return item.submenu == submenu; }),
                    items.end());
    });
}

void destroyTree(Menu* menu)
{
    std::unique_ptr<Menu> owned = liveMenus().remove(liveMenus().handleOf(menu));
    if (!owned)
        return;
    for (const MenuItem& item : owned->items)
        destroyTree(item.submenu);
}

MenuItem* findCommand(Menu& menu, UINT id)
{
    for (MenuItem& item : menu.items) {
        if (item.flags == MF_STRING && item.id == id)
            return &item;
        if (MenuItem* inner = item.submenu ? findCommand(*item.submenu, id) : nullptr)
            return inner;
    }
    return nullptr;
}

}  // namespace

HMENU CreatePopupMenu()
{
    return liveMenus().add<HMENU>(std::make_unique<Menu>());
}

BOOL AppendMenuA(HMENU handle, UINT flags, UINT_PTR idOrSubmenu, const char* text)
{
    Menu* menu = findMenu(handle);
    if (!menu)
        return FALSE;
    MenuItem item;
    item.checked = flags & MF_CHECKED;
    if (flags & MF_SEPARATOR) {
        item.flags = MF_SEPARATOR;
    } else if (flags & MF_POPUP) {
        // A menu hangs in one place only, and never inside itself.
        Menu* submenu = findMenu(reinterpret_cast<HMENU>(idOrSubmenu));
        if (!submenu || isAttached(submenu) || reaches(*submenu, menu))
            return FALSE;
        item.flags = MF_POPUP;
        item.submenu = submenu;
        item.text = text ? text : "";
    } else {
        item.flags = MF_STRING;
        item.id = idOrSubmenu;
        item.text = text ? text : "";
    }
    menu->items.push_back(std::move(item));
    return TRUE;
}

DWORD CheckMenuItem(HMENU handle, UINT id, UINT flags)
{
    Menu* menu = findMenu(handle);
    MenuItem* item = menu ? findCommand(*menu, id) : nullptr;
    if (!item)
        return static_cast<DWORD>(-1);
    DWORD previous = item->checked ? MF_CHECKED : MF_UNCHECKED;
    item->checked = flags & MF_CHECKED;
    return previous;
}

// The items first to last become one group of radio items, with only check checked.
BOOL CheckMenuRadioItem(HMENU handle, UINT first, UINT last, UINT check, UINT)
{
    Menu* menu = findMenu(handle);
    if (!menu || check < first || check > last || !findCommand(*menu, check))
        return FALSE;
    for (UINT id = first; id <= last; ++id)
        if (MenuItem* item = findCommand(*menu, id)) {
            item->radio = true;
            item->checked = id == check;
        }
    return TRUE;
}

BOOL DestroyMenu(HMENU handle)
{
    Menu* menu = findMenu(handle);
    if (!menu)
        return FALSE;
    detach(menu);
    destroyTree(menu);
    return TRUE;
}

// The choice is posted, so it arrives after the menu has closed.
BOOL TrackPopupMenu(HMENU handle, UINT, int x, int y, int, HWND hwnd, const RECT*)
{
    Menu* menu = findMenu(handle);
    core::Window* window = core::findWindow(hwnd);
    if (!menu || !window)
        return FALSE;
    UINT_PTR chosen = backend::popupMenu(window->native, *menu, x, y);
    if (chosen)
        PostMessageA(hwnd, WM_COMMAND, chosen, 0);
    return TRUE;
}
