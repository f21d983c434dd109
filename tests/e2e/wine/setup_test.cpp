// The setup program, Glimora-<version>-setup.exe, under Wine as a user runs it:
// installed and uninstalled silently, the face started as its shortcut starts
// it, an install over a running face, and what an uninstall leaves.
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <regex>

#include "e2e/support/eyes_fixture.h"

namespace fs = std::filesystem;

namespace {

// Wine writes no Linux menu entries for the shortcut (winemenubuilder off).
const std::string wineEnvironment = "WINEPREFIX=" WINE_PREFIX
                                    " WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d' ";
const std::string uninstallKey = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimora";
const std::string runKey = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string userName()
{
    const passwd* user = getpwuid(getuid());
    return user ? user->pw_name : "";
}

class SetupTest : public EyesTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fs::exists(WINDOWS_SETUP)) << WINDOWS_SETUP << " is not built: scripts/setup windows";
        environment = {"WINEPREFIX=" WINE_PREFIX, "WINEARCH=win64", "WINEDEBUG=-all",
                       "WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d"};
        sortedFolders = true;
        menusGrabTheKeyboard = false;
        EyesTest::SetUp();
        // As the shortcut starts it: the installed program in the install folder.
        program = {"/bin/sh", "-c", "cd \"$1\" && exec wine glimora.exe", "sh", installed};
        // Nothing of an earlier test's install.
        fs::remove_all(installed);
        fs::remove(shortcut);
        wine("reg delete '" + uninstallKey + "' /f");
        wine("reg delete '" + runKey + "' /v Glimora /f");
    }

    void TearDown() override { shell(wineEnvironment + WINE_SERVER " -k"); }

    // Runs a Wine command to its end, quietly, on the test's display, where Wine's
    // desktop then stays for the program started next; its exit status.
    int wine(const std::string& command) const
    {
        return shell("cd " + work.path() + " && DISPLAY=" + desktop.name() + " " + wineEnvironment + "wine " +
                     command + " >out.txt 2>&1");
    }

    // Runs the setup program or the uninstaller silently and waits until every
    // process it started has ended (the uninstaller runs on from a copy of
    // itself); the seconds it took.
    double silently(const std::string& exe)
    {
        const auto begin = std::chrono::steady_clock::now();
        EXPECT_EQ(wine("'" + exe + "' /S"), 0) << exe;
        shell(wineEnvironment + WINE_SERVER " -w");
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    }

    void install()
    {
        const double seconds = silently(WINDOWS_SETUP);
        RecordProperty("install_seconds", std::to_string(seconds));
        ASSERT_TRUE(fs::exists(installed + "/glimora.exe")) << "the setup installed nothing";
    }

    void uninstall()
    {
        const double seconds = silently(installed + "/uninstall.exe");
        RecordProperty("uninstall_seconds", std::to_string(seconds));
    }

    // A value under a key as `reg query` prints it; empty when there is none.
    std::string regValue(const std::string& key, const std::string& name)
    {
        if (wine("reg query '" + key + "' /v " + name) != 0)
            return "";
        std::smatch found;
        const std::string text = readFile(work.path() + "/out.txt");
        std::regex line(name + " +REG_[A-Z]+ +([^\r\n]*)");
        return std::regex_search(text, found, line) ? found[1].str() : "";
    }

    // name=value lines of the inspector run on a file of the prefix.
    std::string inspect(const std::string& what, const std::string& file)
    {
        EXPECT_EQ(wine(WINDOWS_INSPECT " " + what + " '" + file + "'"), 0) << file;
        std::string lines = readFile(work.path() + "/out.txt");
        lines.erase(std::remove(lines.begin(), lines.end(), '\r'), lines.end());
        return lines;
    }

    // The test's face, added by the user as a skin of the install; the face
    // centred at (x, y) in eyes.ini there; the face started as the shortcut starts it.
    void startInstalledFace(int x, int y)
    {
        fs::copy(work.path() + "/skins/face", installed + "/skins/face", fs::copy_options::recursive);
        writeFile(installed + "/eyes.ini",
                  "[global]\nskin=face\nx=" + std::to_string(x) + "\ny=" + std::to_string(y) + "\n");
        window = launch();
        ASSERT_NE(window, 0u);
        box = frameOnceAt(window, {x - faceWidth / 2, y - faceHeight / 2, faceWidth, faceHeight});
        ASSERT_EQ(box, (Box{x - faceWidth / 2, y - faceHeight / 2, faceWidth, faceHeight}));
    }

    std::string installedSetting(const std::string& key) const
    {
        std::smatch value;
        std::string ini = readFile(installed + "/eyes.ini");
        return std::regex_search(ini, value, std::regex("(^|\n)" + key + "=([^\r\n]*)")) ? value[2].str() : "";
    }

    // Every file under the install folder, relative to it.
    std::vector<std::string> installedFiles() const
    {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(installed))
            files.push_back(fs::relative(entry.path(), installed).string());
        std::sort(files.begin(), files.end());
        return files;
    }

    const std::string user = userName();
    const std::string profile = WINE_PREFIX "/drive_c/users/" + user;
    const std::string installed = profile + "/AppData/Local/Programs/Glimora";
    const std::string installedOnWindows = "C:\\users\\" + user + "\\AppData\\Local\\Programs\\Glimora";
    const std::string shortcut = profile + "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Glimora.lnk";
};

TEST_P(SetupTest, SilentInstallForTheUserWithShortcutAndUninstallEntryWhoseShortcutStartsTheFace)
{
    install();
    for (const char* file : {"glimora.exe", "glimora-check.exe", "uninstall.exe", "README.txt", "LICENSE.txt",
                             "NOTICES.txt", "skins/main.bmp", "skins/owl/main.bmp"})
        EXPECT_TRUE(fs::exists(installed + "/" + file)) << file;

    ASSERT_TRUE(fs::exists(shortcut));
    const char* home = std::getenv("HOME");
    EXPECT_FALSE(home && fs::exists(std::string(home) + "/.local/share/applications/wine/Programs/Glimora.desktop"))
        << "Wine wrote a Linux menu entry";
    const std::string link = inspect("shortcut", shortcut);
    EXPECT_NE(link.find("target=" + installedOnWindows + "\\glimora.exe\n"), std::string::npos) << link;
    EXPECT_NE(link.find("folder=" + installedOnWindows + "\n"), std::string::npos) << link;

    EXPECT_EQ(regValue(uninstallKey, "DisplayName"), "Glimora");
    EXPECT_EQ(regValue(uninstallKey, "DisplayVersion"), GLIMORA_VERSION);
    EXPECT_EQ(regValue(uninstallKey, "Publisher"), "The Glimora developers");
    EXPECT_EQ(regValue(uninstallKey, "DisplayIcon"), installedOnWindows + "\\glimora.exe,0");
    EXPECT_EQ(regValue(uninstallKey, "InstallLocation"), installedOnWindows);
    EXPECT_EQ(regValue(uninstallKey, "UninstallString"), "\"" + installedOnWindows + "\\uninstall.exe\"");
    EXPECT_EQ(regValue(uninstallKey, "QuietUninstallString"), "\"" + installedOnWindows + "\\uninstall.exe\" /S");
    EXPECT_EQ(regValue(uninstallKey, "NoModify"), "0x1");
    EXPECT_EQ(regValue(uninstallKey, "NoRepair"), "0x1");
    // In KiB: the programs and the skins, more than a megabyte stripped.
    const long size = std::strtol(regValue(uninstallKey, "EstimatedSize").c_str(), nullptr, 16);
    EXPECT_GT(size, 1000);
    EXPECT_LT(size, 20000);

    for (const std::string& exe : {std::string(WINDOWS_SETUP), installed + "/uninstall.exe"}) {
        const std::string about = inspect("file", exe);
        EXPECT_NE(about.find("version=" GLIMORA_VERSION "\n"), std::string::npos) << exe << ":\n" << about;
        EXPECT_EQ(about.find("icons=0\n"), std::string::npos) << exe << ":\n" << about;
    }

    startInstalledFace(400, 300);
    for (const auto& c : pupilCases) {
        pointAt(box.x + c.pointerX, box.y + c.pointerY);
        EXPECT_TRUE(showsPupilAt(c.pupilX, c.pupilY)) << "pointer at (" << c.pointerX << ", " << c.pointerY << ")";
    }
    typeKeys("Escape");
    EXPECT_EQ(exitStatus(), 0);
    EXPECT_EQ(installedSetting("x") + "," + installedSetting("y"), "400,300");
}

TEST_P(SetupTest, InstallOverARunningMovedFaceClosesItAndKeepsItsPlaceAndTheAddedSkin)
{
    install();
    startInstalledFace(400, 300);
    ASSERT_TRUE(dragBy(box.x + 8, box.y + 40, 150, 90));
    install();
    EXPECT_EQ(exitStatus(), 0) << "the face was not closed";
    EXPECT_EQ(installedSetting("x") + "," + installedSetting("y"), "550,390");
    EXPECT_TRUE(fs::exists(installed + "/skins/face/main.bmp"));

    window = launch();
    ASSERT_NE(window, 0u);
    EXPECT_EQ(frameOnceAt(window, {550 - faceWidth / 2, 390 - faceHeight / 2, faceWidth, faceHeight}),
              (Box{550 - faceWidth / 2, 390 - faceHeight / 2, faceWidth, faceHeight}));
}

TEST_P(SetupTest, SilentUninstallClosesTheFaceRemovesItsRunValueAndLeavesOnlyTheUsersFiles)
{
    install();
    startInstalledFace(400, 300);
    choose("Run on start-up");
    ASSERT_TRUE(eventually([&] { return !regValue(runKey, "Glimora").empty(); }));
    ASSERT_TRUE(dragBy(box.x + 8, box.y + 40, 150, 90));

    uninstall();
    EXPECT_EQ(exitStatus(), 0) << "the face was not closed";
    EXPECT_EQ(regValue(runKey, "Glimora"), "");
    EXPECT_EQ(regValue(uninstallKey, "DisplayName"), "");
    EXPECT_FALSE(fs::exists(shortcut));
    EXPECT_EQ(installedFiles(), (std::vector<std::string>{"eyes.ini", "skins", "skins/face", "skins/face/main.bmp",
                                                          "skins/face/mask.bmp"}));
    EXPECT_EQ(installedSetting("x") + "," + installedSetting("y"), "550,390");
}

INSTANTIATE_TEST_SUITE_P(Wine, SetupTest, testing::Values(false), desktopKind);

}  // namespace
