// The Run key kept as an XDG autostart entry: what a value becomes, and which
// keys and names the layer accepts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/run_key.h"

namespace {

using RunKey = RunKeyTest;

}  // namespace

TEST_F(RunKey, ExecAndPathAreEscapedAsDesktopEntriesRequire)
{
    const std::string odd = "/opt/my eyes/\"q\"\\b$x`y%z";
    ASSERT_EQ(setValue(REG_SZ, odd, odd.size() + 1), ERROR_SUCCESS);
    EXPECT_NE(readFile(entry).find("\nExec=\"/opt/my eyes/\\\\\"q\\\\\"\\\\\\\\b\\\\$x\\\\`y%%z\"\n"),
              std::string::npos)
        << readFile(entry);
    EXPECT_EQ(queryValue().second, odd + '\0');

    // The entry starts the program where the value was written from.
    makeDirs("odd \\ dir ");
    ASSERT_EQ(chdir("odd \\ dir "), 0);
    ASSERT_EQ(setValue(REG_SZ, program, program.size() + 1), ERROR_SUCCESS);
    EXPECT_NE(readFile(entry).find("\nPath=" + dir.path() + "/odd \\\\ dir\\s\n"), std::string::npos)
        << readFile(entry);
}

TEST_F(RunKey, OnlyTheRunKeyOpensAndItsValuesStayInTheFolder)
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

TEST_F(RunKey, ARelativeConfigurationFolderGivesWayToTheHomeOne)
{
    ScopedEnv home("HOME", dir.path());
    ScopedEnv relative("XDG_CONFIG_HOME", "relative/ignored");
    ASSERT_EQ(setValue(REG_SZ, program, program.size() + 1), ERROR_SUCCESS);
    EXPECT_TRUE(std::filesystem::exists(dir.path() + "/.config/autostart/Glimora.desktop"));
    EXPECT_EQ(queryValue().second, program + '\0');
    EXPECT_FALSE(std::filesystem::exists("relative"));
}
