// The fixture of the end-to-end tests: the program in a fresh working folder on
// its own X server, bare (no window manager) or under openbox, with a test face.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "e2e/support/desktop.h"
#include "e2e/support/face.h"
#include "support/fixtures.h"

// The menu's items from the top as the keyboard walks them, separators left out,
// by their English labels (in another language they are where they are in
// English). A new item goes in here where the menu shows it.
const std::vector<std::string> menuItems = {"Always on top", "Run on start-up", "Skins",        "Size",
                                            "Opacity",       "Click-through",   "Exit"};
// The keys that select this item of menuItems in the menu just opened.
std::string keysTo(const std::string& item);

class EyesTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override;

    // Stores the skin name and the window centre in eyes.ini, starts the program
    // and waits for its window.
    void start(const std::string& skin, int centreX, int centreY);
    // Starts the program on what eyes.ini holds; its first window with this title.
    Window launch(const std::string& title = "eyes");
    // A new window shows where it is made and moves to its saved place a moment
    // later: its frame once it is at the expected one, or the last seen.
    Box frameOnceAt(Window shown, const Box& expected) const;
    // The status the program ended with, or -1 if it still runs after the time.
    int exitStatus(int timeoutMs = 5000) { return eyes->wait(timeoutMs); }
    std::string setting(const std::string& key) const;
    // Waits until the screen shows the face with its pupil's corner at (x, y).
    testing::AssertionResult showsPupilAt(int x, int y, int scale = 1) const;

    void xdotool(const std::string& arguments) const
    {
        ASSERT_EQ(desktop.run("xdotool " + arguments), 0) << arguments;
    }
    void pointAt(int x, int y) const { xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y)); }
    void moveBy(int dx, int dy) const
    {
        xdotool("mousemove_relative -- " + std::to_string(dx) + " " + std::to_string(dy));
    }
    // Keys to our window the way a user would send them after activating it.
    void typeKeys(const std::string& keys) const
    {
        desktop.focus(window);
        xdotool("key " + keys);
    }
    // Drags the window with the left button from (x, y); true once it followed.
    bool dragBy(int x, int y, int dx, int dy);

    // Wake-ups of the program's process a second (voluntary context switches of
    // all its threads) over the time, from its first half second asleep.
    double wakeUpsPerSecond(int milliseconds) const;
    // After a rest (asleep, when it should be) the pupils follow the first move at
    // once and a pointer warped by a program within a second.
    void expectFollowsAfterRest(bool sleepsAtRest);
    // Another program's window as large as the screen, "fullscreen" or "maximized",
    // made the active one; 0 when it could not be.
    virtual Window openOtherWindow(const std::string& state) { return desktop.openActiveWindow(state); }
    virtual void closeOtherWindow(Window other) { desktop.destroyWindow(other); }
    // Puts the face's corner at (x, y), as another program may, once it is there.
    virtual void moveFace(int x, int y);
    // The face hides for a full-screen window, not for a maximised one, and comes
    // back where it was, above the rest.
    void expectStepsAsideForFullScreenOnly();

    // With an XEmbed tray (the tests' own, at the bottom right) the program's icon docks
    // there: a left click brings a face that is off every monitor whole into
    // view, and a right click opens the face's own menu, whose "Exit" ends it.
    void expectTrayIconBringsTheFaceIntoViewAndOpensItsMenu();
    // Right-clicks near the window's bottom-left corner and waits for the menu there.
    void openMenu();
    // Opens the menu and gives its top-left part, where the first items' labels are; it stays open.
    std::vector<uint32_t> openMenuLabels()
    {
        openMenu();
        return desktop.pixels({clickX + 1, clickY + 1, 160, 60});
    }
    // Opens the menu and picks this item of menuItems with the keyboard.
    void choose(const std::string& item)
    {
        openMenu();
        xdotool("key " + keysTo(item) + " Return");
    }
    // In the menu already open, opens this submenu of menuItems and waits for it.
    void openSubmenu(const std::string& item);
    // The "Skins" submenu lists "Default", then the skin folders as the system lists a folder.
    void chooseSkin(const std::string& name);
    // The "Size" submenu: 1 is "100 %", up to 4, "400 %".
    void chooseSize(int size)
    {
        openMenu();
        pickSize(size);
    }
    // The same in the menu already open.
    void pickSize(int size);
    // Once in English, then in the language `speak` sets up: the menu's labels
    // differ and its items are where they are in English, "200 %" doubling the
    // face around its centre, which box then holds.
    void expectMenuSpeaksAndWorksAsInEnglish(const std::function<void()>& speak);
    // Starts on the face centred at (400, 300) and chooses an 80 x 40 skin of this
    // name from the menu; box is then the new window's frame, and the frame
    // expected is returned.
    Box startThenChooseSkin(const std::string& name);
    // The message box is centred, though a window manager may add a title bar above
    // it, and Return answers it; the program then ends with -1.
    void answerMessageBox(Window message);

    TempWorkdir work;
    Desktop desktop{GetParam()};
    std::unique_ptr<Child> eyes;
    Window window = 0;
    Box box;  // the window's frame once started
    std::vector<std::string> program{GLIMORA_PROGRAM};
    std::vector<std::string> environment;  // NAME=value for the program, besides the display
    bool sortedFolders = false;  // Windows lists a folder sorted by name, Linux in directory order
    bool menusGrabTheKeyboard = true;  // GTK's popup menus do; Wine's take keys by focus
    int clickX = 0, clickY = 0;  // where the menu was opened

private:
    // Most of the strip right below and beside the click is the menu's light background.
    bool menuShown() const;
};

// Only where the program must have had a look meanwhile (one a second at rest).
void pause(int milliseconds);

std::string desktopKind(const testing::TestParamInfo<bool>& info);

