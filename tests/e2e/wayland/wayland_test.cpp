// The program under XWayland in headless GNOME Shell and KWin, with a native
// Wayland window filling the screen: XWayland sees the pointer only over X11
// windows, so over the native one the eyes follow it only through our helper
// inside the compositor. Pupils are read from the program's own window.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <regex>
#include <sstream>
#include <string>

#include "e2e/support/desktop.h"
#include "e2e/support/eyes_fixture.h"
#include "e2e/support/face.h"
#include "e2e/support/process.h"
#include "support/fixtures.h"

namespace {

const std::string here = GLIMORA_SOURCE_DIR "/tests/e2e/wayland/";

class WaylandTest : public testing::Test {
protected:
    void TearDown() override
    {
        if (pointerInput)
            pclose(pointerInput);
    }

    // Starts the compositor and points this process's environment at its session,
    // so that every helper program started from here talks to it.
    void startCompositor(const std::vector<std::string>& arguments)
    {
        std::vector<std::string> command{"setsid", here + "compositor"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        compositor = std::make_unique<Child>(command);
        ASSERT_TRUE(eventually([] { return !readFile("session/session.env").empty(); }, 90000))
            << "the compositor did not start: see " << work.path() << "/session/compositor.log";
        std::istringstream lines(readFile("session/session.env"));
        for (std::string line; std::getline(lines, line);)
            if (size_t equals = line.find('='); equals != std::string::npos)
                setenv(line.substr(0, equals).c_str(), line.substr(equals + 1).c_str(), 1);
        desktop = std::make_unique<Desktop>(ExistingDisplay{std::getenv("DISPLAY")});
        ASSERT_TRUE(desktop->ready());
    }

    // A native window over the whole screen, then the program (above it) on the test face.
    void startProgram(const std::string& currentDesktop, int centreY = 300)
    {
        native = std::make_unique<Child>(
            std::vector<std::string>{"sh", "-c", "exec /usr/bin/python3 \"$0\" >native.out", here + "native_window.py"},
            work.path());
        ASSERT_TRUE(eventually([] { return readFile("native.out").find("mapped") != std::string::npos; }, 20000));
        writeFaceSkin();
        writeFile("eyes.ini", "[global]\nskin=face\nx=400\ny=" + std::to_string(centreY) + "\n");
        launchProgram(currentDesktop);
    }

    // The program, its stderr in eyes.err, once its window is at its place.
    void launchProgram(const std::string& currentDesktop)
    {
        eyes = std::make_unique<Child>(
            std::vector<std::string>{"sh", "-c", "exec \"$0\" 2>eyes.err", GLIMORA_PROGRAM}, work.path(),
            std::vector<std::string>{"XDG_SESSION_TYPE=wayland", "XDG_CURRENT_DESKTOP=" + currentDesktop});
        window = desktop->waitForWindow("eyes", 20000);
        ASSERT_NE(window, 0u) << "the program showed no window";
        eventually([&] { return (box = desktop->frame(window)).x + faceWidth / 2 == 400; });
    }

    bool saidInStderr(const std::string& words, int timeoutMs = 5000) const
    {
        return eventually([&] { return readFile("eyes.err").find(words) != std::string::npos; }, timeoutMs);
    }

    // One device for every move, fed lines "X Y" in the compositor's logical coordinates:
    // a device made for each move toggles the seat's pointer, and clients miss enters.
    void startMovingThePointer(const std::string& program)
    {
        pointerInput = popen(program.c_str(), "w");
        ASSERT_NE(pointerInput, nullptr);
    }

    void movePointer(int x, int y)
    {
        std::fprintf(pointerInput, "%d %d\n", x / xScale, y / xScale);
        std::fflush(pointerInput);
    }

    // Moves the pointer to every shared case, most of them over the native window.
    void expectPupilsFollowThePointer()
    {
        for (const PupilCase& c : pupilCases) {
            movePointer(box.x + c.pointerX, box.y + c.pointerY);
            EXPECT_TRUE(showsPupil(c.pupilX, c.pupilY)) << "pointer at (" << c.pointerX << ", " << c.pointerY << ")";
        }
    }

    testing::AssertionResult showsPupil(int x, int y) const
    {
        return showsPupilAt([&] { return desktop->pixels(Box{0, 0, faceWidth, faceHeight}, window); }, x, y);
    }

    // On every workspace, as the compositor itself says: XWayland's clients
    // cannot switch workspaces here, so its own word is what a test can read.
    bool onEveryWorkspace() const
    {
        const std::string id = std::to_string(window);
        return desktop->run("xprop -id " + id + " _NET_WM_DESKTOP | grep -q '= 4294967295$'") == 0 &&
               desktop->hasState(window, "_NET_WM_STATE_STICKY");
    }

    int shell(const std::string& command) const { return ::shell(command + " >/dev/null 2>&1"); }
    // A helper script of the test: when it fails, its own words say why.
    testing::AssertionResult runs(const std::string& script) const
    {
        const std::string said = work.path() + "/script.err";
        if (int status = ::shell(here + script + " >/dev/null 2>" + said))
            return testing::AssertionFailure() << script << " ended with " << status << ":\n" << readFile(said);
        return testing::AssertionSuccess();
    }
    // What a command prints, its last line break dropped.
    static std::string printed(const std::string& command)
    {
        std::string text;
        if (FILE* out = popen((command + " 2>/dev/null").c_str(), "r")) {
            char buffer[512];
            while (size_t size = std::fread(buffer, 1, sizeof buffer, out))
                text.append(buffer, size);
            pclose(out);
        }
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text;
    }
    bool busHas(const std::string& name) const
    {
        return shell("gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus "
                     "--method org.freedesktop.DBus.GetNameOwner " + name) == 0;
    }

    TempWorkdir work;
    std::unique_ptr<Child> compositor;  // declared first, so that it stops last
    std::unique_ptr<Desktop> desktop;
    std::unique_ptr<Child> native;
    std::unique_ptr<Child> eyes;
    Window window = 0;
    Box box;
    FILE* pointerInput = nullptr;
    int xScale = 1;  // X screen pixels per logical one
};

using Gnome = WaylandTest;

TEST_F(Gnome, ExtensionReportsThePointerOverNativeWindowsAndWhileItIsOffTheProgramFallsBackAndSaysSo)
{
    // The extension as cmake --install puts it, found by the shell among the system's.
    ASSERT_EQ(::shell("cmake --install " GLIMORA_BINARY_DIR " --prefix " + work.path() + "/prefix >/dev/null"), 0);
    ASSERT_NO_FATAL_FAILURE(startCompositor({"gnome", work.path() + "/session", work.path() + "/prefix/share"}));
    ASSERT_TRUE(eventually([&] { return busHas("org.glimora.Pointer"); }, 30000)) << "the extension did not start";
    ASSERT_NO_FATAL_FAILURE(startProgram("GNOME"));
    ASSERT_TRUE(runs("gnome_input.py key 0xff1b"));  // the shell starts in its overview
    ASSERT_NO_FATAL_FAILURE(startMovingThePointer(here + "gnome_input.py pointer"));
    expectPupilsFollowThePointer();
    EXPECT_TRUE(onEveryWorkspace());

    ASSERT_EQ(shell("gnome-extensions disable pointer@glimora.org"), 0);
    ASSERT_TRUE(eventually([&] { return !busHas("org.glimora.Pointer"); }));
    movePointer(box.x + 30, box.y + 40);  // over the program's own window XWayland sees it
    EXPECT_TRUE(showsPupil(28, 37));
    movePointer(box.x + 125, box.y + 35);  // over the native one it does not: the eyes stay
    EXPECT_TRUE(showsPupil(28, 37));
    EXPECT_TRUE(saidInStderr("extension is off. Turn it on:\n    gnome-extensions enable pointer@glimora.org"));
    EXPECT_EQ(readFile(std::string(std::getenv("XDG_STATE_HOME")) + "/glimora/wayland-notice"), "gnome\n");
    EXPECT_EQ(eyes->wait(0), -1) << "the program ended";

    ASSERT_EQ(shell("gnome-extensions enable pointer@glimora.org"), 0);  // back without a restart
    movePointer(box.x + 25, box.y + 135);
    EXPECT_TRUE(showsPupil(23, 42));
    desktop->close(window);
    EXPECT_EQ(eyes->wait(5000), 0);
}

// The notice's button is pressed while its banner shows: once the banner has
// timed out, the notification waits in the shell's list, where each version
// shows its buttons differently.
TEST_F(Gnome, TheNoticesTurnOnButtonTurnsTheExtensionOnAndTheEyesFollowWithoutARestart)
{
    ASSERT_EQ(::shell("cmake --install " GLIMORA_BINARY_DIR " --prefix " + work.path() + "/prefix >/dev/null"), 0);
    ASSERT_NO_FATAL_FAILURE(startCompositor({"gnome", work.path() + "/session", work.path() + "/prefix/share"}));
    ASSERT_TRUE(eventually([&] { return busHas("org.glimora.Pointer"); }, 30000)) << "the extension did not start";
    // The shell starts in its overview, where GNOME 46 and later show no banners.
    ASSERT_TRUE(runs("gnome_input.py key 0xff1b"));
    ASSERT_EQ(shell("gnome-extensions disable pointer@glimora.org"), 0);
    ASSERT_TRUE(eventually([&] { return !busHas("org.glimora.Pointer"); }));
    ASSERT_NO_FATAL_FAILURE(startProgram("GNOME"));
    ASSERT_TRUE(runs("gnome_input.py press 'Turn on'"));
    EXPECT_TRUE(eventually([&] { return busHas("org.glimora.Pointer"); }, 10000)) << "the extension is still off";
    ASSERT_NO_FATAL_FAILURE(startMovingThePointer(here + "gnome_input.py pointer"));
    expectPupilsFollowThePointer();
    desktop->close(window);
    EXPECT_EQ(eyes->wait(5000), 0);
}

// GNOME's AppIndicator extension as the watcher and host, by its D-Bus face
// only: which clicks of its top-bar icon call which method differs between
// its versions, so the test calls them as a host does.
TEST_F(Gnome, TheAppIndicatorHostHoldsTheProgramsItemWhichBringsTheFaceIntoViewAndOpensItsMenu)
{
    // Debian names it after Ubuntu, upstream after its author.
    const std::string host = printed("basename /usr/share/gnome-shell/extensions/*appindicator*@*");
    ASSERT_FALSE(host.empty() || host.find('*') != std::string::npos)
        << "the AppIndicator extension is not installed: scripts/setup default --wayland-tests installs it";
    ASSERT_NO_FATAL_FAILURE(startCompositor({"gnome", work.path() + "/session", work.path() + "/none"}));
    ASSERT_NO_FATAL_FAILURE(startProgram("GNOME"));
    // Turned on after the program has started: the program offers its item when the watcher comes.
    ASSERT_EQ(shell("gnome-extensions enable " + host), 0);
    const std::string watcher = "gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path "
                                "/StatusNotifierWatcher --method org.freedesktop.DBus.Properties.Get "
                                "org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems";
    // "(<[':1.42@/StatusNotifierItem']>,)": the item, by its connection's name and
    // path; newer versions give the name alone, for the protocol's path.
    std::smatch item;
    std::string items;
    ASSERT_TRUE(eventually([&] {
        items = printed(watcher);
        return std::regex_search(items, item, std::regex("'(:[0-9.]+)(@(/[^']*))?'"));
    }, 20000)) << "the watcher holds no item: " << items;
    const std::string name = item[1], path = item[3].matched ? item[3].str() : "/StatusNotifierItem";
    const std::string pid = printed("gdbus call --session --dest org.freedesktop.DBus --object-path "
                                    "/org/freedesktop/DBus --method org.freedesktop.DBus.GetConnectionUnixProcessID " +
                                    name);
    EXPECT_EQ(pid, "(uint32 " + std::to_string(eyes->id()) + ",)") << "the item is not the program's";
    const std::string onItem = "gdbus call --session --dest " + name + " --object-path " + path + " --method ";
    EXPECT_NE(printed(onItem + "org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem ToolTip")
                  .find("'Glimora'"), std::string::npos);

    // The menu is the program's own, a window of its own under XWayland: "Always on
    // top" off there lets a window of the test's cover the face.
    const auto pickInMenu = [&](const std::string& label) {
        const int shown = desktop->shownWindows();
        ASSERT_EQ(shell(onItem + "org.kde.StatusNotifierItem.ContextMenu 600 10"), 0);
        ASSERT_TRUE(eventually([&] { return desktop->shownWindows() > shown; })) << "no menu";
        // Shown is not yet listening: keys reach the menu once it holds the keyboard.
        ASSERT_TRUE(eventually([&] { return desktop->keyboardGrabbed(); })) << "the menu does not take the keyboard";
        ASSERT_EQ(desktop->run("xdotool key " + keysTo(label) + " Return"), 0);
        ASSERT_TRUE(eventually([&] { return desktop->shownWindows() <= shown; })) << "the menu stays";
    };
    ASSERT_NO_FATAL_FAILURE(pickInMenu("Always on top"));
    const auto onTop = [&] { return desktop->hasState(window, "_NET_WM_STATE_ABOVE"); };
    ASSERT_TRUE(eventually([&] { return !onTop(); })) << "still always on top";
    desktop->openActiveWindow("");
    const Window cover = desktop->waitForWindow("test window");
    ASSERT_NE(cover, 0u);
    // The window manager's stacking of X windows, bottom to top.
    const auto faceAboveCover = [&] {
        // "_NET_CLIENT_LIST_STACKING(WINDOW): window id # 0x400003, 0x600001"
        const std::string stacking = printed("xprop -root _NET_CLIENT_LIST_STACKING") + ",";
        const auto at = [&](Window w) {
            char id[32];
            std::snprintf(id, sizeof id, " 0x%lx,", w);
            return stacking.find(id);
        };
        return at(window) != std::string::npos && at(cover) != std::string::npos && at(window) > at(cover);
    };
    ASSERT_TRUE(eventually([&] { return !faceAboveCover(); })) << printed("xprop -root _NET_CLIENT_LIST_STACKING");
    ASSERT_EQ(shell(onItem + "org.kde.StatusNotifierItem.Activate 0 0"), 0);
    // Raised with the topmost windows, and left above the cover once back among the others.
    EXPECT_TRUE(eventually([&] { return faceAboveCover() && !onTop(); }))
        << printed("xprop -root _NET_CLIENT_LIST_STACKING");

    // Kept by the host through all this: it drops an item it finds lacking
    // within a second of taking it.
    EXPECT_NE(printed(watcher).find(name), std::string::npos) << "the host dropped the item";
    ASSERT_NO_FATAL_FAILURE(pickInMenu("Exit"));
    EXPECT_EQ(eyes->wait(5000), 0);
    EXPECT_TRUE(eventually([&] { return printed(watcher).find(name) == std::string::npos; }))
        << "the host still holds the item of an ended program";
}

// GNOME's major version, from the shell itself.
int gnomeShellMajor()
{
    int major = 0;
    if (FILE* version = popen("gnome-shell --version", "r")) {
        if (std::fscanf(version, "GNOME Shell %d", &major) != 1)
            major = 0;
        pclose(version);
    }
    return major;
}

TEST_F(Gnome, AnExtensionOutOfDateIsNamedSoWithTheSettingThatLetsItRun)
{
    ASSERT_EQ(::shell("cmake --install " GLIMORA_BINARY_DIR " --prefix " + work.path() + "/prefix >/dev/null"), 0);
    // Marked for the GNOME before this one only, as an extension is when GNOME outgrows it.
    const std::string metadata = "prefix/share/gnome-shell/extensions/pointer@glimora.org/metadata.json";
    const std::string previous = std::to_string(gnomeShellMajor() - 1);
    writeFile(metadata, std::regex_replace(readFile(metadata), std::regex(R"("shell-version": \[[^\]]*\])"),
                                           "\"shell-version\": [\"" + previous + "\"]"));
    ASSERT_NO_FATAL_FAILURE(startCompositor({"gnome", work.path() + "/session", work.path() + "/prefix/share"}));
    ASSERT_NO_FATAL_FAILURE(startProgram("GNOME"));
    EXPECT_TRUE(saidInStderr("extension is out of date: it lists GNOME up to " + previous, 10000));
    EXPECT_TRUE(saidInStderr("gsettings set org.gnome.shell disable-extension-version-validation true"));
    desktop->close(window);
    EXPECT_EQ(eyes->wait(5000), 0);
}

class Kde : public WaylandTest {
protected:
    void startMovingThePointer()
    {
        ASSERT_NO_FATAL_FAILURE(WaylandTest::startMovingThePointer(GLIMORA_FAKE_POINTER));
        // The seat gains its pointer with the device, and XWayland misses that first motion.
        movePointer(10, 10);
    }
    // KWin's own word: from 6.7 on it no longer shows X11 windows its virtual
    // desktops, so the window's properties say nothing of them. A script of
    // the test's prints it into the compositor's log.
    bool kwinHasTheFaceOnEveryDesktop()
    {
        const std::string script = work.path() + "/on-every-desktop.js";
        writeFile(script, "var windows = workspace.windowList ? workspace.windowList() : workspace.clientList();\n"
                          "for (var i = 0; i < windows.length; ++i)\n"
                          "    if (windows[i].caption == 'eyes')\n"
                          "        console.log('face on every desktop: ' + windows[i].onAllDesktops);\n");
        const std::string scripting = "gdbus call --session --dest org.kde.KWin --object-path /Scripting --method "
                                      "org.kde.kwin.Scripting.";
        shell(scripting + "loadScript " + script + " on-every-desktop");
        shell(scripting + "start");
        const std::string log = work.path() + "/session/compositor.log";
        return eventually([&] { return readFile(log).find("face on every desktop: true") != std::string::npos; });
    }
    bool scriptLoaded(pid_t program) const
    {
        return shell("gdbus call --session --dest org.kde.KWin --object-path /Scripting --method "
                     "org.kde.kwin.Scripting.isScriptLoaded glimora-pointer-" + std::to_string(program) +
                     " | grep -q true") == 0;
    }
};

TEST_F(Kde, TheProgramLoadsItsKwinScriptWhichPushesThePointerOverNativeWindowsAndUnloadsItAtExit)
{
    ASSERT_NO_FATAL_FAILURE(startCompositor({"kde", work.path() + "/session"}));
    ASSERT_NO_FATAL_FAILURE(startProgram("KDE"));
    const pid_t program = eyes->id();
    EXPECT_TRUE(eventually([&] { return scriptLoaded(program); }, 10000));
    ASSERT_NO_FATAL_FAILURE(startMovingThePointer());
    expectPupilsFollowThePointer();
    EXPECT_TRUE(kwinHasTheFaceOnEveryDesktop());
    desktop->close(window);
    EXPECT_EQ(eyes->wait(5000), 0);
    EXPECT_FALSE(scriptLoaded(program));
}

// sway stands for every Wayland desktop that tells no program where the pointer is.
TEST_F(Kde, OnADesktopWithoutAHelperTheProgramSaysOnceWhatItCannotSee)
{
    ASSERT_NO_FATAL_FAILURE(startCompositor({"kde", work.path() + "/session"}));
    ASSERT_NO_FATAL_FAILURE(startProgram("sway"));
    const std::string notice = "sees it only while it is over windows of X11 programs";
    EXPECT_TRUE(saidInStderr(notice));
    EXPECT_EQ(readFile(std::string(std::getenv("XDG_STATE_HOME")) + "/glimora/wayland-notice"), "other\n");
    desktop->close(window);
    ASSERT_EQ(eyes->wait(5000), 0);

    ASSERT_NO_FATAL_FAILURE(launchProgram("sway"));
    EXPECT_FALSE(saidInStderr(notice, 4500)) << "said again";
    EXPECT_EQ(eyes->wait(0), -1) << "the program ended";
}

TEST_F(Kde, WhereXClientsScaleThemselvesTheLogicalPositionIsScaledToTheXScreen)
{
    // KWin's "apply scaling themselves": the X screen is twice the logical desktop.
    // KWin 5 takes the factor from kwinrc; KWin 6 from the output's own scale.
    makeDirs("session/home/.config");
    writeFile("session/home/.config/kwinrc", "[Xwayland]\nScale=2\n");
    writeFile("session/home/.config/kwinoutputconfig.json",
              R"([{"name": "outputs", "data": [{"connectorName": "Virtual-0", "scale": 2,
                   "mode": {"width": 1280, "height": 1024, "refreshRate": 60000}}]},
                 {"name": "setups", "data": [{"lidClosed": false, "outputs": [{"enabled": true,
                   "outputIndex": 0, "position": {"x": 0, "y": 0}, "priority": 0}]}]}])");
    xScale = 2;
    ASSERT_NO_FATAL_FAILURE(startCompositor({"kde", work.path() + "/session"}));
    ASSERT_NO_FATAL_FAILURE(startProgram("KDE", 301));  // a window corner on even X pixels
    ASSERT_NO_FATAL_FAILURE(startMovingThePointer());
    // Only even X positions can be reached; these cases have them.
    for (const PupilCase& c : {pupilCases[4], pupilCases[5], pupilCases[6]}) {
        movePointer(box.x + c.pointerX, box.y + c.pointerY);
        EXPECT_TRUE(showsPupil(c.pupilX, c.pupilY)) << "pointer at (" << c.pointerX << ", " << c.pointerY << ")";
    }
}

}  // namespace
