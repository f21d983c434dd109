// "Run on start-up" as the menu turns it on and off and reads it back.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "settings/startup.h"
#include "run_key.h"

namespace {

using Startup = RunKeyTest;

}  // namespace

TEST_F(Startup, OnAndOffAsTheMenuDoes)
{
    EXPECT_FALSE(IsRunOnStartup()) << "no autostart folder yet";
    SetRunOnStartup(false);
    EXPECT_FALSE(IsRunOnStartup()) << "turning off what is not there";

    SetRunOnStartup(true);
    EXPECT_TRUE(IsRunOnStartup());
    EXPECT_EQ(readFile(entry), "[Desktop Entry]\nType=Application\nName=Glimora\nExec=" + program +
                                   "\nPath=" + dir.path() + "\n");
    EXPECT_EQ(queryValue(), std::make_pair(DWORD(REG_SZ), program + '\0'));
    struct stat info;
    ASSERT_EQ(stat((dir.path() + "/config").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "a created configuration folder is private";

    SetRunOnStartup(false);
    EXPECT_FALSE(IsRunOnStartup());
    SetRunOnStartup(false);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path() + "/config/autostart"));
}

TEST_F(Startup, OnlyANonEmptyStringValueCountsAsRegistered)
{
    const std::string expandable("C:\\x.exe\0", 9);
    ASSERT_EQ(setValue(REG_EXPAND_SZ, expandable, 9), ERROR_SUCCESS);
    EXPECT_FALSE(IsRunOnStartup());
    EXPECT_NE(readFile(entry).find("\nHidden=true\n"), std::string::npos) << "a desktop must not start it";
    EXPECT_EQ(queryValue(), std::make_pair(DWORD(REG_EXPAND_SZ), expandable));
    SetRunOnStartup(true);
    EXPECT_TRUE(IsRunOnStartup()) << "enabling replaces another kind";

    ASSERT_EQ(setValue(REG_SZ, "", 0), ERROR_SUCCESS);
    EXPECT_FALSE(IsRunOnStartup()) << "size 0";
    EXPECT_EQ(readFile(entry).find("Exec="), std::string::npos);
    ASSERT_EQ(setValue(REG_SZ, std::string(1, '\0'), 1), ERROR_SUCCESS);
    EXPECT_TRUE(IsRunOnStartup()) << "only the terminating zero";

    writeFile(entry, "[Desktop Entry]\nType=Application\nExec=/bin/eyes\nHidden=true\n");
    EXPECT_FALSE(IsRunOnStartup()) << "the user switched it off in the desktop's settings";
}

TEST_F(Startup, AReadOnlyAutostartFolderRefusesWrites)
{
    HKEY key = nullptr;
    makeDirs("config/autostart");
    ReadOnlyFolder autostart("config/autostart");
    if (!autostart.ok())
        GTEST_SKIP() << "no way to make a folder read-only here";
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, runKey, 0, KEY_WRITE, &key), ERROR_ACCESS_DENIED);
    SetRunOnStartup(true);
    EXPECT_FALSE(IsRunOnStartup());
}
