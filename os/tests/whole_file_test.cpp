// Files read whole and replaced whole: what the settings and the autostart
// entry rely on to never see, or leave, half a file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "os/cwd.h"
#include "os/tests/files.h"
#include "os/whole_file.h"

namespace {

using namespace std::string_literals;

TEST(WholeFile, ReadsOnlyRegularFilesAndSaysWhyNot)
{
    TempWorkdir work;
    std::string bytes = "stale";
    EXPECT_EQ(readWholeFile("missing", bytes), FileRead::Missing);
    EXPECT_EQ(bytes, "");
    makeDirs("folder");
    EXPECT_EQ(readWholeFile("folder", bytes), FileRead::Failed);
    EXPECT_EQ(readWholeFile(specialFile().c_str(), bytes), FileRead::Failed) << "and did not wait on it";

    const std::string binary = "a\0b\r\n\xff"s;
    writeFile("file", binary);
    EXPECT_EQ(readWholeFile("file", bytes), FileRead::Ok);
    EXPECT_EQ(bytes, binary);
}

TEST(WholeFile, ReplacingKeepsTheModeAndAFailureKeepsTheOldFile)
{
    TempWorkdir work;
    writeFile("eyes.ini", "old");
    chmod("eyes.ini", 0600);
    ASSERT_TRUE(replaceFile("eyes.ini", "new"));
    EXPECT_EQ(readFile("eyes.ini"), "new");
    struct stat info;
    ASSERT_EQ(stat("eyes.ini", &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    makeDirs("locked");
    writeFile("locked/eyes.ini", "kept");
    ReadOnlyFolder locked("locked");
    if (!locked.ok())
        GTEST_SKIP() << "no way to make a folder read-only here";
    EXPECT_FALSE(replaceFile("locked/eyes.ini", "lost"));
    EXPECT_EQ(readFile("locked/eyes.ini"), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("locked"), {}), 1) << "no temporary file left";
}

TEST(WorkingDirectory, IsReadAtAnyLength)
{
    TempWorkdir work;
    std::string deep = work.path();
    for (int i = 0; i < 40; ++i) {
        deep += "/" + std::string(100, 'd');
        makeDirs(deep);
    }
    ASSERT_TRUE(std::filesystem::exists(deep));
    std::filesystem::current_path(deep);
    std::string seen;
    ASSERT_TRUE(currentDirectory(seen));
    EXPECT_EQ(seen, deep) << "past PATH_MAX";
}

}  // namespace
