// The skin folders as the file system names them: every byte kept.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "os/folder_listing.h"
#include "os/tests/files.h"

namespace {

TEST(FolderListing, NamesComeByteForByteWithWhatEachEntryIs)
{
    TempWorkdir work;
    const std::string latin1 = "caf\xe9", otherScript = "\xe7\x9b\xae", blanks = " x ";
    for (const std::string& name : {latin1, otherScript, blanks, std::string(".hidden")})
        makeDirs("skins/" + name);
    writeFile("skins/notes.txt", "");
    ASSERT_EQ(symlink(latin1.c_str(), "skins/link"), 0);

    std::vector<FolderEntry> entries = listFolder("skins");
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 6u);
    const struct {
        std::string name;
        bool isFolder, hidden;
    } expected[] = {{blanks, true, false},  {".hidden", true, true}, {latin1, true, false},
                    {"link", true, false},  {"notes.txt", false, false}, {otherScript, true, false}};
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].name, expected[i].name);
        EXPECT_EQ(entries[i].isFolder, expected[i].isFolder) << expected[i].name;
        EXPECT_EQ(entries[i].hidden, expected[i].hidden) << expected[i].name;
    }
    EXPECT_TRUE(listFolder("absent").empty());
}

}  // namespace
