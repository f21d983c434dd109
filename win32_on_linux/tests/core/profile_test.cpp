#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <string>

#include <win32_api.h>
#include "os/tests/files.h"

using namespace std::string_literals;

namespace {

std::string readString(const char* section, const char* key, const char* fallback = "?")
{
    char buffer[512];
    GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, "eyes.ini");
    return buffer;
}

int readInt(const char* key)
{
    return static_cast<int>(GetPrivateProfileIntA("global", key, 77, "eyes.ini"));
}

bool write(const char* section, const char* key, const char* value, const char* path = "eyes.ini")
{
    return WritePrivateProfileStringA(section, key, value, path) == TRUE;
}

long entriesIn(const char* folder)
{
    return std::distance(std::filesystem::directory_iterator(folder), {});
}

}  // namespace

TEST(Profile, NamesIgnoreCaseAndBlanksIntegersAreLeadingSignedDecimalsAndMissingOnesGiveTheDefault)
{
    TempWorkdir dir;
    EXPECT_EQ(readString("global", "skin", "none"), "none");
    EXPECT_FALSE(std::filesystem::exists("eyes.ini")) << "reading must not create the file";

    writeFile("eyes.ini", "; y=1\r\n[other]\r\ny=5\r\n  [ GLOBAL ]  \r\n\tX =  -5 \r\n Skin=\t green eyes \t\r\n#y=2\r\n"
                          "a=12abc\nb=abc\nc=\nd=+7\ne=99999999999\nf=-99999999999\ng=0x10\n"
                          "h= \" two \" \ni='x'\nj=\"x\nk=\"\nl=\"\"\nm=\"x'\n");
    EXPECT_EQ(readInt("x"), -5);
    EXPECT_EQ(readString("Global", " SKIN "), "green eyes");
    EXPECT_EQ(readInt("y"), 77) << "only x: comments and other sections hold no y";
    EXPECT_EQ(readString("missing", "x", "d"), "d");
    for (const auto& [key, value] : {std::pair<const char*, int>{"a", 12}, {"b", 0}, {"c", 77}, {"d", 7},
                                     {"e", INT_MAX}, {"f", INT_MIN}, {"g", 0}})
        EXPECT_EQ(readInt(key), value) << key;
    // One pair of matching quotes around a value is dropped, as Win32 does.
    for (const auto& [key, value] : {std::pair<const char*, const char*>{"h", " two "}, {"i", "x"}, {"j", "\"x"},
                                     {"k", "\""}, {"l", ""}, {"m", "\"x'"}})
        EXPECT_EQ(readString("global", key), value) << key;
}

TEST(Profile, StringsAreCutToTheBufferAndTerminated)
{
    TempWorkdir dir;
    const std::string name(600, 'n');
    ASSERT_TRUE(write("global", "skin", name.c_str()));
    EXPECT_EQ(readString("global", "skin"), name.substr(0, 511));

    char tiny[4] = "abc";
    EXPECT_EQ(GetPrivateProfileStringA("global", "none", "defaultText", tiny, 4, "eyes.ini"), 3u);
    EXPECT_STREQ(tiny, "def");
    EXPECT_EQ(GetPrivateProfileStringA("global", "skin", "", tiny, 1, "eyes.ini"), 0u);
    EXPECT_STREQ(tiny, "");
}

TEST(Profile, WriteReplacesTheFileWithOneValueChangedAndTheRestKept)
{
    TempWorkdir dir;
    writeFile("eyes.ini", "; kept\n[Global]\n  X = 1  ; part of the value\nskin=old\n\n; next\n[other]\nx=9\n");
    chmod("eyes.ini", 0640);
    ASSERT_TRUE(write("global", "x", "250"));
    ASSERT_TRUE(write("global", "y", "-340"));
    ASSERT_TRUE(write("more", "a", "b"));
    EXPECT_EQ(readFile("eyes.ini"), "; kept\n[Global]\n  X = 250\nskin=old\ny=-340\n\n; next\n[other]\nx=9\n"
                                    "\n[more]\na=b\n");
    struct stat info;
    ASSERT_EQ(stat("eyes.ini", &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u) << "the replacement keeps the file's mode";
    EXPECT_EQ(entriesIn("."), 1) << "no temporary file left";

    writeFile("eyes.ini", "[global]\r\nskin=a");
    ASSERT_TRUE(write("global", "x", "3"));
    EXPECT_EQ(readFile("eyes.ini"), "[global]\r\nskin=a\r\nx=3\r\n") << "CRLF and an unfinished last line";

    // Nothing that would not read back as written.
    EXPECT_FALSE(write("global", "skin", "evil\n[global]\nx=1"));
    EXPECT_FALSE(write("global", "a=b", "1"));
    EXPECT_FALSE(write("glo]bal", "x", "1"));
    EXPECT_FALSE(write("global", ";x", "1"));
    EXPECT_FALSE(write("global", "x", nullptr));
    EXPECT_EQ(readFile("eyes.ini"), "[global]\r\nskin=a\r\nx=3\r\n");
    writeFile("eyes.ini", "[global]\r\ny= \r");
    ASSERT_TRUE(write("global", "x", "3"));
    EXPECT_EQ(readFile("eyes.ini"), "[global]\r\ny= \r\nx=3\r\n") << "a last line cut after its carriage return";
}

TEST(Profile, BinaryAndHugeFilesAreReadAndKeptWhole)
{
    TempWorkdir dir;
    const std::string head = "\x01\x00\xff[global]\x00x=3\r\r\n[global]\r\nskin=a\0b\r\n"s, tail = "\0"s;
    writeFile("eyes.ini", head + tail);
    EXPECT_EQ(readString("global", "skin"), "a") << "text stops at a NUL byte";
    ASSERT_TRUE(write("global", "x", "5"));
    EXPECT_EQ(readFile("eyes.ini"), head + "x=5\r\n" + tail);

    const std::string oneLine(10 << 20, 'z');
    writeFile("eyes.ini", oneLine);
    EXPECT_EQ(readInt("x"), 77);
    ASSERT_TRUE(write("global", "x", "5"));
    EXPECT_EQ(readFile("eyes.ini"), oneLine + "\n\n[global]\nx=5\n");
}

TEST(Profile, AFailedWriteLeavesTheOldFileAlone)
{
    TempWorkdir dir;
    // A settings file we cannot see into must not be replaced by one holding only our key.
    mkfifo("eyes.ini", 0644);
    EXPECT_EQ(readInt("x"), 77) << "a FIFO must not hang the reader";
    EXPECT_FALSE(write("global", "x", "1"));
    struct stat info;
    ASSERT_EQ(stat("eyes.ini", &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    makeDirs("locked");
    writeFile("locked/eyes.ini", "[global]\nx=1\n");
    ReadOnlyFolder locked("locked");
    if (!locked.ok())
        GTEST_SKIP() << "no way to make a folder read-only here";
    EXPECT_FALSE(write("global", "x", "2", "locked/eyes.ini"));
    EXPECT_EQ(readFile("locked/eyes.ini"), "[global]\nx=1\n");
    EXPECT_EQ(entriesIn("locked"), 1);
}
