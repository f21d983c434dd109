#include "app/popup_menu.h"

#include <allegro.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "globals/globals.h"
#include "os/folder_listing.h"
#include "os/translation.h"
#include "settings/settings.h"
#include "settings/startup.h"

namespace {

// The menu's own state; what others share is in globals.h.
HMENU skinMenu = nullptr;
bool alwaysOnTop = true;
bool runOnStartup = false;
int skinItemCount = 0;

// The skin of this folder under skins/ ("" for the skins folder itself, the default face).
void appendSkin(HMENU skins, const std::string& name, const char* label)
{
    if (!g_skinNames)
        g_skinNames = std::make_unique<std::vector<std::string>>();
    g_skinNames->push_back(name);
    AppendMenuA(skins, MF_STRING, skinItemCount + IDM_FIRST_SKIN, label);
    skinItemCount += 1;
}

// The stored skin's item carries the radio mark, as the current size does.
void markCurrentSkin()
{
    const auto current = std::find(g_skinNames->begin(), g_skinNames->end(), loadSkinName());
    if (current != g_skinNames->end())
        CheckMenuRadioItem(skinMenu, IDM_FIRST_SKIN, IDM_FIRST_SKIN + skinItemCount - 1,
                           IDM_FIRST_SKIN + UINT(current - g_skinNames->begin()), MF_BYCOMMAND);
}

HMENU buildSizeMenu()
{
    // Languages write a percentage differently: "100 %", "%100", "100%".
    const char* const labels[] = {translate("100 %"), translate("200 %"), translate("300 %"), translate("400 %")};
    HMENU sizes = CreatePopupMenu();
    for (int size = smallestFaceSize; size <= largestFaceSize; ++size)
        AppendMenuA(sizes, MF_STRING, IDM_FIRST_SIZE + size - 1, labels[size - 1]);
    CheckMenuRadioItem(sizes, IDM_FIRST_SIZE, IDM_FIRST_SIZE + largestFaceSize - 1,
                       IDM_FIRST_SIZE + loadFaceSize() - 1, MF_BYCOMMAND);
    return sizes;
}

HMENU buildOpacityMenu()
{
    const char* const labels[] = {translate("100 %"), translate("80 %"), translate("60 %"), translate("40 %")};
    HMENU opacities = CreatePopupMenu();
    UINT current = IDM_FIRST_OPACITY;
    for (UINT i = 0; i < std::size(faceOpacities); ++i) {
        AppendMenuA(opacities, MF_STRING, IDM_FIRST_OPACITY + i, labels[i]);
        if (faceOpacities[i] == loadOpacity())
            current = IDM_FIRST_OPACITY + i;
    }
    CheckMenuRadioItem(opacities, IDM_FIRST_OPACITY, IDM_FIRST_OPACITY + UINT(std::size(faceOpacities)) - 1, current,
                       MF_BYCOMMAND);
    return opacities;
}

void toggleAlwaysOnTop(HWND hwnd)
{
    CheckMenuItem(g_menu, IDM_ALWAYS_ON_TOP, MF_BYCOMMAND | (alwaysOnTop ? MF_UNCHECKED : MF_CHECKED));
    SetWindowPos(hwnd, alwaysOnTop ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    alwaysOnTop = !alwaysOnTop;
}

void toggleRunOnStartup()
{
    SetRunOnStartup(!runOnStartup);
    CheckMenuItem(g_menu, IDM_RUN_ON_STARTUP, MF_BYCOMMAND | (runOnStartup ? MF_UNCHECKED : MF_CHECKED));
    runOnStartup = !runOnStartup;
}

}  // namespace

void buildPopupMenu()
{
    runOnStartup = IsRunOnStartup();
    // Every new window starts topmost with its item checked, so the flag starts there too.
    alwaysOnTop = true;
    g_menu = CreatePopupMenu();
    skinMenu = CreatePopupMenu();
    AppendMenuA(g_menu, MF_STRING | MF_CHECKED, IDM_ALWAYS_ON_TOP, translate("Always on top"));
    AppendMenuA(g_menu, MF_STRING | (runOnStartup ? MF_CHECKED : MF_UNCHECKED), IDM_RUN_ON_STARTUP,
                translate("Run on start-up"));
    AppendMenuA(g_menu, MF_SEPARATOR, 0, nullptr);
    // Listed by the names the file system holds: Allegro's listing hands them on
    // through its text conversion, which turns bytes that are not UTF-8 into '^'.
    appendSkin(skinMenu, "", translate("Default"));
    for (const FolderEntry& entry : listFolder("skins"))
        AddSkinMenuItem(("skins/" + entry.name).c_str(),
                        (entry.isFolder ? FA_DIREC : 0) | (entry.hidden ? FA_HIDDEN : 0), skinMenu);
    markCurrentSkin();
    AppendMenuA(g_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(skinMenu), translate("Skins"));
    AppendMenuA(g_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(buildSizeMenu()), translate("Size"));
    AppendMenuA(g_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(buildOpacityMenu()), translate("Opacity"));
    AppendMenuA(g_menu, MF_STRING | (loadClickThrough() ? MF_CHECKED : MF_UNCHECKED), IDM_CLICK_THROUGH,
                translate("Click-through"));
    AppendMenuA(g_menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(g_menu, MF_STRING, IDM_EXIT, translate("Exit"));
}

int AddSkinMenuItem(const char* fileName, int attributes, void* param)
{
    if (!fileName && attributes == 0 && !param) {
        skinItemCount = 0;
        return 0;
    }
    const char* slash = std::strrchr(fileName, '/');
    const char* name = slash ? slash + 1 : fileName;
    // Skins beyond their range of ids are not listed rather than taken for sizes.
    if (!(attributes & FA_DIREC) || name[0] == '.' || IDM_FIRST_SKIN + skinItemCount >= IDM_FIRST_SIZE)
        return 0;
    appendSkin(static_cast<HMENU>(param), name, name);
    return 0;
}

void runMenuCommand(HWND hwnd, UINT id)
{
    switch (id) {
    case IDM_ALWAYS_ON_TOP:
        toggleAlwaysOnTop(hwnd);
        return;
    case IDM_EXIT:
        PostQuitMessage(0);
        return;
    case IDM_RUN_ON_STARTUP:
        toggleRunOnStartup();
        return;
    case IDM_CLICK_THROUGH:
        // Built again as after an opacity: the window takes it from its start.
        saveClickThrough(!loadClickThrough());
        g_reloadSkin = true;
        return;
    }
    if (id >= IDM_FIRST_OPACITY && id < IDM_FIRST_OPACITY + std::size(faceOpacities)) {
        chooseOpacity(faceOpacities[id - IDM_FIRST_OPACITY]);
        return;
    }
    if (id >= IDM_FIRST_SIZE && id < IDM_FIRST_SIZE + largestFaceSize) {
        chooseFaceSize(int(id - IDM_FIRST_SIZE) + 1);
        return;
    }
    unsigned index = id - IDM_FIRST_SKIN;
    if (g_skinNames && index < g_skinNames->size())
        ChooseSkin((*g_skinNames)[index].c_str());
}

bool isAlwaysOnTop()
{
    return alwaysOnTop;
}

void stepFaceSize(int notches)
{
    const int current = loadFaceSize();
    const int size = std::clamp(current + notches, smallestFaceSize, largestFaceSize);
    if (size != current)
        chooseFaceSize(size);
}

void destroyPopupMenu()
{
    DestroyMenu(g_menu);
    skinMenu = nullptr;
    g_menu = nullptr;
    AddSkinMenuItem(nullptr, 0, nullptr);
    g_skinNames.reset();
}
