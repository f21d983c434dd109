#include "e2e/support/eyes_fixture.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

long voluntarySwitches(pid_t pid)
{
    long sum = 0;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream status(task.path() / "status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0)
                sum += std::stol(line.substr(line.find(':') + 1));
    }
    return sum;
}

long millisecondsSince(Clock::time_point start)
{
    return long(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

}  // namespace

void pause(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void EyesTest::SetUp()
{
    ASSERT_TRUE(desktop.ready()) << "no X server" << (GetParam() ? " with openbox" : "");
    writeFaceSkin();
}

void EyesTest::start(const std::string& skin, int centreX, int centreY)
{
    writeFile("eyes.ini", "[global]\nskin=" + skin + "\nx=" + std::to_string(centreX) + "\ny=" +
                              std::to_string(centreY) + "\n");
    window = launch();
    ASSERT_NE(window, 0u) << "the program showed no window";
    eventually([&] {
        box = desktop.frame(window);
        return box.x + box.width / 2 == centreX && box.y + box.height / 2 == centreY;
    });
}

Box EyesTest::frameOnceAt(Window shown, const Box& expected) const
{
    Box seen;
    eventually([&] { return (seen = desktop.frame(shown)) == expected; });
    return seen;
}

Window EyesTest::launch(const std::string& title)
{
    std::vector<std::string> variables{"DISPLAY=" + desktop.name(), "XDG_CONFIG_HOME=" + work.path() + "/config"};
    variables.insert(variables.end(), environment.begin(), environment.end());
    eyes = std::make_unique<Child>(program, work.path(), variables);
    Window shown = desktop.waitForWindow(title);
    if (!shown) {
        const int status = eyes->wait(0);
        ADD_FAILURE() << "no window \"" << title << "\": the program "
                      << (status == -1 ? "runs" : "ended with status " + std::to_string(status))
                      << "; the screen's windows:\n" << desktop.windowNames();
    }
    return shown;
}

std::string EyesTest::setting(const std::string& key) const
{
    std::smatch value;
    std::string ini = readFile("eyes.ini");
    return std::regex_search(ini, value, std::regex("(^|\n)" + key + "=([^\r\n]*)")) ? value[2].str() : "";
}

testing::AssertionResult EyesTest::showsPupilAt(int x, int y, int scale) const
{
    return ::showsPupilAt([&] { return desktop.pixels(desktop.frame(window)); }, x, y, scale);
}

bool EyesTest::dragBy(int x, int y, int dx, int dy)
{
    const Box from = box;
    desktop.watchMoves(window);
    pointAt(x, y);
    xdotool("mousedown 1");
    // In steps, so that whoever moves the window has taken the pointer before the last one.
    for (int step = 1; step <= 5; ++step)
        xdotool("sleep 0.05 mousemove " + std::to_string(x + dx * step / 5) + " " + std::to_string(y + dy * step / 5));
    bool followed = eventually([&] {
        box = desktop.frame(window);
        return box.x == from.x + dx && box.y == from.y + dy;
    });
    xdotool("mouseup 1");
    // The program learns where the move ended only from this notice.
    return followed && desktop.toldAt(window, box.x, box.y);
}

void EyesTest::openMenu()
{
    clickX = box.x + 8;
    clickY = box.y + box.height - 15;
    pointAt(clickX, clickY);
    xdotool("click 3");
    ASSERT_TRUE(eventually([&] { return menuShown(); })) << "no menu at the click";
    // Shown is not yet listening: keys reach the menu once it holds the keyboard.
    if (menusGrabTheKeyboard) {
        ASSERT_TRUE(eventually([&] { return desktop.keyboardGrabbed(); })) << "the menu does not take the keyboard";
    }
}

bool EyesTest::menuShown() const
{
    std::vector<uint32_t> strip = desktop.pixels({clickX + 1, clickY + 1, 100, 4});
    auto light = [](uint32_t pixel) { return (pixel & 0xC0C0C0) == 0xC0C0C0; };
    return std::count_if(strip.begin(), strip.end(), light) > int(strip.size()) * 9 / 10;
}

void EyesTest::chooseSkin(const std::string& name)
{
    std::vector<std::string> folders;
    for (const auto& entry : std::filesystem::directory_iterator("skins"))
        folders.push_back(entry.path().filename().string());
    if (sortedFolders)
        std::sort(folders.begin(), folders.end());
    openMenu();
    openSubmenu("Skins");
    std::string keys = "key Down";  // past "Default", the skins folder itself
    for (auto folder = folders.begin(); folder != folders.end() && *folder != name; ++folder)
        keys += " Down";
    xdotool(keys + " Return");
}

void EyesTest::openSubmenu(const std::string& item)
{
    const int shown = desktop.shownWindows();
    xdotool("key " + keysTo(item) + " Right");
    // Keys reach the submenu once it is there.
    ASSERT_TRUE(eventually([&] { return desktop.shownWindows() > shown; })) << "no submenu " << item;
}

void EyesTest::pickSize(int size)
{
    openSubmenu("Size");
    std::string keys = "key";
    for (int step = 1; step < size; ++step)
        keys += " Down";
    xdotool(keys + " Return");
}

Box EyesTest::startThenChooseSkin(const std::string& name)
{
    makeDirs("skins/" + name);
    BITMAP* plain = makeBitmap(80, 40, 0x30C030);
    saveBmp("skins/" + name + "/main.bmp", plain);
    destroy_bitmap(plain);
    start("face", 400, 300);
    chooseSkin(name);
    const Box rebuilt{400 - 40, 300 - 20, 80, 40};
    eventually([&] { return (box = desktop.frame(window = desktop.waitForWindow("eyes"))) == rebuilt; });
    return rebuilt;
}

void EyesTest::answerMessageBox(Window message)
{
    ASSERT_NE(message, 0u) << "no message box";
    Box shown = desktop.frame(message);
    EXPECT_NEAR(shown.x + shown.width / 2, screenWidth / 2, 2);
    EXPECT_NEAR(shown.y + shown.height / 2, screenHeight / 2, 32);
    // Away from the box, so that only its own focus can take the key.
    pointAt(1, 1);
    xdotool("key Return");
    EXPECT_EQ(exitStatus(), 255);
}

std::string desktopKind(const testing::TestParamInfo<bool>& info)
{
    return info.param ? "Openbox" : "Bare";
}

double EyesTest::wakeUpsPerSecond(int milliseconds) const
{
    const pid_t pid = desktop.processOf(window);
    // Counted from the first half second without one, as a busy machine may
    // hold back the ticks that begin the rest: one that follows never has it.
    const long first = voluntarySwitches(pid);
    const Clock::time_point watched = Clock::now();
    long before = first;
    Clock::time_point quietSince = watched;
    const bool quiet = eventually([&] {
        const long now = voluntarySwitches(pid);
        if (now != before)
            quietSince = Clock::now();
        before = now;
        return millisecondsSince(quietSince) >= 500;
    });
    if (!quiet)  // never asleep for half a second: the rate over all of it
        return double(before - first) * 1000 / std::max(1L, millisecondsSince(watched));
    pause(milliseconds);
    return double(voluntarySwitches(pid) - before) * 1000 / milliseconds;
}

void EyesTest::expectFollowsAfterRest(bool sleepsAtRest)
{
    // All away from the face: raw input for a move over it would prove nothing.
    const PupilCase& right = pupilCases[1];
    const PupilCase& below = pupilCases[2];
    const PupilCase& left = pupilCases[3];
    pointAt(box.x + right.pointerX, box.y + right.pointerY);
    ASSERT_TRUE(showsPupilAt(right.pupilX, right.pupilY));
    pause(500);  // two ticks see the rest
    // Moved as a mouse moves it (Xvfb makes raw motion of relative moves only),
    // twice: where raw input does not come, two such moves end its trust.
    const PupilCase* from = &right;
    for (const PupilCase* to : {&left, &right}) {
        moveBy(to->pointerX - from->pointerX, to->pointerY - from->pointerY);
        ASSERT_TRUE(showsPupilAt(to->pupilX, to->pupilY));
        pause(500);
        from = to;
    }
    if (sleepsAtRest) {
        EXPECT_LE(wakeUpsPerSecond(2000), 3.0) << "asleep at rest";
    }
    Clock::time_point start = Clock::now();
    moveBy(below.pointerX - right.pointerX, below.pointerY - right.pointerY);
    EXPECT_TRUE(showsPupilAt(below.pupilX, below.pupilY));
    // A look a second would take up to 1000 ms; raw input brings the move at once.
    EXPECT_LT(millisecondsSince(start), 500) << "the first move after a rest is followed at once";
    pause(500);
    start = Clock::now();
    desktop.warpPointer(box.x + right.pointerX, box.y + right.pointerY);
    EXPECT_TRUE(showsPupilAt(right.pupilX, right.pupilY));
    EXPECT_LT(millisecondsSince(start), 1500) << "a warp is seen at the next look";
}

// Hidden, the face is read from the screen where its colour is: under Wine 10
// a hidden window keeps its X window mapped, showing nothing.
void EyesTest::expectStepsAsideForFullScreenOnly()
{
    auto faceShown = [&] { return desktop.pixels({box.x + 8, box.y + 40, 1, 1}) == std::vector<uint32_t>{faceColour}; };
    const Window maximized = openOtherWindow("maximized");
    ASSERT_NE(maximized, 0u);
    pause(1500);  // longer than a look at rest
    EXPECT_TRUE(desktop.viewable(window)) << "hidden for a maximised window";
    closeOtherWindow(maximized);
    const Window fullScreen = openOtherWindow("fullscreen");
    ASSERT_NE(fullScreen, 0u);
    EXPECT_TRUE(eventually([&] { return !faceShown(); })) << "shown over a full-screen window";
    closeOtherWindow(fullScreen);
    EXPECT_TRUE(eventually(faceShown)) << "not back after the full screen";
    EXPECT_EQ(frameOnceAt(window, box), box);
    if (desktop.hasWindowManager()) {
        EXPECT_TRUE(desktop.hasState(window, "_NET_WM_STATE_ABOVE"));
    }
    const PupilCase& c = pupilCases[0];
    pointAt(box.x + c.pointerX, box.y + c.pointerY);
    EXPECT_TRUE(showsPupilAt(c.pupilX, c.pupilY));
}

void EyesTest::expectMenuSpeaksAndWorksAsInEnglish(const std::function<void()>& speak)
{
    start("face", 400, 300);
    const std::vector<uint32_t> english = openMenuLabels();
    xdotool("key " + keysTo("Exit") + " Return");
    ASSERT_EQ(exitStatus(), 0);

    speak();
    start("face", 400, 300);
    EXPECT_NE(openMenuLabels(), english) << "the menu's labels are the English ones";
    pickSize(2);
    const Box doubled{400 - faceWidth, 300 - faceHeight, faceWidth * 2, faceHeight * 2};
    ASSERT_TRUE(eventually([&] { return desktop.frame(window = desktop.waitForWindow("eyes")) == doubled; }))
        << "the second size was not chosen";
    box = doubled;
}

std::string keysTo(const std::string& item)
{
    const auto at = std::find(menuItems.begin(), menuItems.end(), item);
    if (at == menuItems.end()) {
        ADD_FAILURE() << "no item \"" << item << "\" in the menu";
        return "";
    }
    std::string keys = "Down";
    for (auto before = menuItems.begin(); before != at; ++before)
        keys += " Down";
    return keys;
}

void EyesTest::moveFace(int x, int y)
{
    xdotool("windowmove " + std::to_string(window) + " " + std::to_string(x) + " " + std::to_string(y));
    ASSERT_TRUE(eventually([&] { return desktop.frame(window).x == x; }));
}

void EyesTest::expectTrayIconBringsTheFaceIntoViewAndOpensItsMenu()
{
    Child tray({GLIMORA_TRAY}, "", {"DISPLAY=" + desktop.name()}, -1, true);
    const Window panel = desktop.waitForWindow("tray");
    ASSERT_NE(panel, 0u) << "no tray";
    start("face", 400, 300);
    Box icon;
    ASSERT_TRUE(eventually([&] { return (icon = desktop.frame(panel)).width >= 16; })) << "no icon docked";
    // The program's picture, where the tray itself is black.
    EXPECT_TRUE(eventually([&] {
        const std::vector<uint32_t> shown = desktop.pixels(icon);
        return std::any_of(shown.begin(), shown.end(), [](uint32_t pixel) { return (pixel & 0xFFFFFF) != 0; });
    })) << "the icon shows no picture";
    const bool offScreen = !desktop.hasWindowManager();  // a window manager keeps a part on screen
    if (offScreen) {
        ASSERT_NO_FATAL_FAILURE(moveFace(-500, -500));
    }
    pointAt(icon.x + icon.width / 2, icon.y + icon.height / 2);
    xdotool("click 1");
    if (offScreen) {
        EXPECT_TRUE(eventually([&] { return desktop.frame(window) == Box{0, 0, faceWidth, faceHeight}; }));
    }
    const int shown = desktop.shownWindows();
    xdotool("click 3");
    ASSERT_TRUE(eventually([&] { return desktop.shownWindows() > shown; })) << "no menu";
    xdotool("key " + keysTo("Exit") + " Return");
    EXPECT_EQ(exitStatus(), 0);
}
