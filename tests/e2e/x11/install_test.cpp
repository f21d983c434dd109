// The installed program as a user meets it: the launcher of the desktop entry
// starts it in a folder of the user's own, seeded once with the bundled skins.
#include <gtest/gtest.h>

#include <allegro.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "e2e/support/desktop.h"
#include "e2e/support/process.h"
#include "support/fixtures.h"

namespace {

std::string launcherCommand(const std::string& prefix)
{
    std::smatch exec;
    std::string entry = readFile(prefix + "/share/applications/org.glimora.Glimora.desktop");
    return std::regex_search(entry, exec, std::regex("\nExec=([^\n]*)")) ? exec[1].str() : "";
}

class Installed : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(desktop.ready());
        ASSERT_EQ(shell("cmake --install " GLIMORA_BINARY_DIR " --prefix " + prefix + " >/dev/null"), 0);
        command = launcherCommand(prefix);
        ASSERT_FALSE(command.empty());
    }
    // Starts what the desktop entry names, as a desktop would, and waits for the face.
    Window launch()
    {
        program = std::make_unique<Child>(std::vector<std::string>{"/bin/sh", "-c", command}, work.path(),
                                          std::vector<std::string>{"DISPLAY=" + desktop.name(), "HOME=" + home,
                                                                   "XDG_DATA_HOME=", "XDG_CONFIG_HOME=" + home});
        return desktop.waitForWindow("eyes");
    }
    int quit(Window window)
    {
        desktop.focus(window);
        desktop.run("xdotool key Escape");
        return program->wait(5000);
    }

    TempWorkdir work;
    const std::string prefix = work.path() + "/prefix";
    const std::string home = work.path() + "/home";
    const std::string userFolder = home + "/.local/share/glimora";
    Desktop desktop{false};
    std::string command;
    std::unique_ptr<Child> program;
};

TEST_F(Installed, LauncherStartsTheDefaultFaceInTheUsersOwnFolder)
{
    Window window = launch();
    ASSERT_NE(window, 0u);
    Box frame = desktop.frame(window);
    EXPECT_EQ(frame.width, 200);
    EXPECT_EQ(frame.height, 210);
    EXPECT_TRUE(std::filesystem::exists(userFolder + "/skins/owl/main.bmp"));
    EXPECT_EQ(quit(window), 0);
    EXPECT_TRUE(std::filesystem::exists(userFolder + "/eyes.ini"));
}

TEST_F(Installed, WhatTheUserChangedIsNeverOverwritten)
{
    Window window = launch();
    ASSERT_NE(window, 0u);
    ASSERT_EQ(quit(window), 0);
    BITMAP* own = makeBitmap(90, 60, makecol32(30, 90, 160));
    saveBmp(userFolder + "/skins/main.bmp", own);
    destroy_bitmap(own);

    window = launch();
    ASSERT_NE(window, 0u);
    EXPECT_EQ(desktop.frame(window).width, 90);
    EXPECT_EQ(quit(window), 0);
}

TEST_F(Installed, LauncherPassesItsArgumentsOnAndAnswersWithoutMakingAFolder)
{
    const std::string launcher = prefix + "/bin/glimora-launch";
    const std::string inHome = "HOME=" + home + " XDG_DATA_HOME= " + launcher;
    ASSERT_EQ(shell(inHome + " --help >out.txt"), 0);
    EXPECT_EQ(readFile("out.txt").rfind("Usage: glimora ", 0), 0u) << readFile("out.txt");
    ASSERT_EQ(shell(inHome + " --version >out.txt"), 0);
    EXPECT_EQ(readFile("out.txt"), "glimora " GLIMORA_VERSION "\n");
    EXPECT_EQ(shell(inHome + " --verbose 2>/dev/null"), 64);
    EXPECT_FALSE(std::filesystem::exists(userFolder));
}

TEST_F(Installed, ManPagesAreInstalledAndFormatWithoutWarnings)
{
    for (const std::string page : {"glimora.1", "glimora-check.1", "glimora-launch.1"}) {
        const std::string path = prefix + "/share/man/man1/" + page;
        ASSERT_TRUE(std::filesystem::exists(path)) << path;
        // Both linters print every warning on stderr; the page itself goes to stdout.
        EXPECT_EQ(shell("LC_ALL=C.UTF-8 groff -ww -man -Tutf8 -z " + path + " 2>warnings && test ! -s warnings"), 0)
            << readFile("warnings");
        EXPECT_EQ(shell("LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l " + path + " 2>warnings >page && test ! -s warnings"),
                  0)
            << readFile("warnings");
        EXPECT_NE(readFile("page").find("EXIT STATUS"), std::string::npos);
    }
}

}  // namespace
