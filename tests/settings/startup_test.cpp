#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "os/win32.h"
#include "settings/startup.h"
#include "support/fixtures.h"

namespace {

const char runKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Sets an environment variable for one test's life.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name(name)
    {
        if (const char* old = getenv(name))
            previous = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { previous ? setenv(name, previous->c_str(), 1) : unsetenv(name); }

private:
    const char* name;
    std::optional<std::string> previous;
};

// A working directory and a configuration folder of the test's own.
class Startup : public testing::Test {
protected:
    TempWorkdir dir;
    ScopedEnv config{"XDG_CONFIG_HOME", dir.path() + "/config"};
    const std::string entry = dir.path() + "/config/autostart/Glimora.desktop";
    const std::string program = std::filesystem::read_symlink("/proc/self/exe");

    LSTATUS setValue(DWORD type, const std::string& data, DWORD size)
    {
        HKEY key;
        EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, runKey, 0, KEY_WRITE, &key), ERROR_SUCCESS);
        LSTATUS status = RegSetValueExA(key, "Glimora", 0, type, reinterpret_cast<const BYTE*>(data.data()), size);
        RegCloseKey(key);
        return status;
    }

    // The value's type and data as a query returns them.
    std::pair<DWORD, std::string> queryValue()
    {
        HKEY key;
        DWORD type = REG_NONE, size = 0;
        std::string data(1024, '\0');
        BYTE tooSmall[1];
        EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, runKey, 0, KEY_READ, &key), ERROR_SUCCESS);
        EXPECT_EQ(RegQueryValueExA(key, "Glimora", nullptr, nullptr, tooSmall, &size), ERROR_MORE_DATA);
        EXPECT_EQ(RegQueryValueExA(key, "Glimora", nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        return {type, data.substr(0, size)};
    }
};

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

TEST_F(Startup, ExecAndPathAreEscapedAsDesktopEntriesRequire)
{
    const std::string odd = "/opt/my eyes/\"q\"\\b$x`y%z";
    ASSERT_EQ(setValue(REG_SZ, odd, odd.size() + 1), ERROR_SUCCESS);
    EXPECT_NE(readFile(entry).find("\nExec=\"/opt/my eyes/\\\\\"q\\\\\"\\\\\\\\b\\\\$x\\\\`y%%z\"\n"),
              std::string::npos)
        << readFile(entry);
    EXPECT_EQ(queryValue().second, odd + '\0');

    makeDirs("odd \\ dir ");
    ASSERT_EQ(chdir("odd \\ dir "), 0);
    SetRunOnStartup(true);
    EXPECT_NE(readFile(entry).find("\nPath=" + dir.path() + "/odd \\\\ dir\\s\n"), std::string::npos)
        << readFile(entry);
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

TEST_F(Startup, OnlyTheRunKeyOpensAndItsValuesStayInTheFolder)
{
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Other", 0, KEY_WRITE, &key), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\microsoft\\windows\\currentversion\\run", 0, KEY_WRITE,
                            &key),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "../escape", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "Glimora"), ERROR_INVALID_HANDLE) << "a closed handle";
}

TEST_F(Startup, ARelativeConfigurationFolderGivesWayToTheHomeOne)
{
    ScopedEnv home("HOME", dir.path());
    ScopedEnv relative("XDG_CONFIG_HOME", "relative/ignored");
    SetRunOnStartup(true);
    EXPECT_TRUE(std::filesystem::exists(dir.path() + "/.config/autostart/Glimora.desktop"));
    EXPECT_TRUE(IsRunOnStartup());
    EXPECT_FALSE(std::filesystem::exists("relative"));
}
