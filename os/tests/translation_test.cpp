// Texts in the user's language: the filling-in of values, the catalogue reader
// the Windows programs use (read here from the build's own catalogues, as
// msgfmt made them), and gettext finding the build's catalogues on Linux.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "os/mo_catalogue.h"
#include "os/tests/files.h"
#include "os/translation.h"
#include "os/whole_file.h"

namespace {

TEST(Translation, FillsInValuesInOrderOrByNumberAndKeepsAnythingElse)
{
    EXPECT_EQ(fillIn("eye %s: covers %s of %s", {"1", "20", "300"}), "eye 1: covers 20 of 300");
    EXPECT_EQ(fillIn("%1$s: %3$s / %2$s", {"a", "b", "c"}), "a: c / b");
    EXPECT_EQ(fillIn("%2$s then %s", {"a", "b", "c"}), "b then c") << "a plain %s follows the numbered one";
    EXPECT_EQ(fillIn("100 %% and 100 % and %d %", {}), "100 % and 100 % and %d %");
    EXPECT_EQ(fillIn("%s and %s and %9$s", {"only"}), "only and  and ") << "missing values are empty";
    EXPECT_EQ(fillIn("\"%s\"", {"skins/%s %1$s"}), "\"skins/%s %1$s\"") << "values are never read as formats";
}

std::string germanCatalogue()
{
    std::string bytes;
    EXPECT_EQ(readWholeFile(GLIMORA_BINARY_DIR "/share/locale/de/LC_MESSAGES/glimora.mo", bytes), FileRead::Ok);
    return bytes;
}

TEST(MoCatalogue, FindsEveryKindOfTextMsgfmtWrites)
{
    const std::string bytes = germanCatalogue();
    const MoCatalogue catalogue(bytes.data(), bytes.size());
    ASSERT_FALSE(catalogue.isEmpty());
    EXPECT_STREQ(catalogue.find("Exit"), "Beenden");
    EXPECT_STREQ(catalogue.find("Always on top"), "Immer im Vordergrund");
    EXPECT_STREQ(catalogue.find("Problem loading \"%s\". Skin not loaded."),
                 "Problem beim Laden von \xe2\x80\x9e%s\xe2\x80\x9c. Skin nicht geladen.");
    EXPECT_EQ(std::string(catalogue.find("Warnings: %s")), "Warnungen: %s");
    EXPECT_EQ(catalogue.find("Exit "), nullptr);
    EXPECT_EQ(catalogue.find("no such text"), nullptr);
    EXPECT_EQ(catalogue.find("\xff"), nullptr);
}

TEST(MoCatalogue, DamagedCataloguesFindNothingOrTheirTexts)
{
    const std::string good = germanCatalogue();
    // Cut at every length: nothing is read beyond the bytes (AddressSanitizer's run checks it).
    for (size_t length = 0; length < good.size(); length += 7) {
        const std::string cut = good.substr(0, length);
        const char* found = MoCatalogue(cut.data(), cut.size()).find("Exit");
        EXPECT_TRUE(!found || std::string(found) == "Beenden") << length;
    }
    std::string wrongMagic = good;
    wrongMagic[0] ^= 1;
    EXPECT_TRUE(MoCatalogue(wrongMagic.data(), wrongMagic.size()).isEmpty());
    std::string hugeCount = good;
    hugeCount[11] = '\x7f';  // the entry count's top byte
    EXPECT_TRUE(MoCatalogue(hugeCount.data(), hugeCount.size()).isEmpty());
    std::string wildOffsets = good;
    for (size_t i = 28; i + 4 <= wildOffsets.size() && i < 28 + 64 * 8; i += 4)
        wildOffsets[i + 3] = '\x7f';  // lengths and offsets of the first entries far past the end
    EXPECT_EQ(MoCatalogue(wildOffsets.data(), wildOffsets.size()).find("Exit"), nullptr);
    EXPECT_TRUE(MoCatalogue(nullptr, 0).isEmpty());
}

// Only the first translate() binds the catalogues, so this is the one test of it in this program.
TEST(Translation, FindsTheBuildsCataloguesAndKeepsEnglishWhereTheyHaveNone)
{
    // A German locale (scripts/setup makes it): newer glibc reads no LANGUAGE list in C.UTF-8.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        unsetenv(name);
    setenv("LANG", "de_DE.UTF-8", 1);
    EXPECT_STREQ(translate("Size"), "Größe");
    EXPECT_EQ(translateWith("Skin: %s", {"skins/ä"}), "Skin: skins/ä");
    EXPECT_STREQ(translate("not in any catalogue"), "not in any catalogue");
}

}  // namespace
