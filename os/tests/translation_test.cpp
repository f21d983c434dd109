// Texts in the user's language: the filling-in of values, the catalogue reader
// the Windows programs use (read here from the build's own catalogues, as
// msgfmt made them), and gettext finding the build's catalogues on Linux.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "os/mo_catalogue.h"
#include "os/plural_rule.h"
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

std::string catalogueBytes(const std::string& language)
{
    std::string bytes;
    const std::string path = GLIMORA_BINARY_DIR "/share/locale/" + language + "/LC_MESSAGES/glimora.mo";
    EXPECT_EQ(readWholeFile(path.c_str(), bytes), FileRead::Ok);
    return bytes;
}

std::string germanCatalogue()
{
    return catalogueBytes("de");
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
    const size_t entries = static_cast<unsigned char>(good[8]) | static_cast<unsigned char>(good[9]) << 8;
    for (size_t i = 28; i + 4 <= wildOffsets.size() && i < 28 + entries * 8; i += 4)
        wildOffsets[i + 3] = '\x7f';  // lengths and offsets of every original far past the end
    EXPECT_EQ(MoCatalogue(wildOffsets.data(), wildOffsets.size()).find("Exit"), nullptr);
    EXPECT_TRUE(MoCatalogue(nullptr, 0).isEmpty());
}

// Each language's rule, as msgfmt wrote it, picks the form its grammar wants:
// numbers chosen to reach every form and the edges between them.
TEST(MoCatalogue, CountedTextsTakeTheFormOfTheLanguagesRule)
{
    const char* markers = "main.bmp has %s magenta marker; only the first %s become eyes, the others (the first "
                          "at %s) stay opaque";
    const std::vector<std::pair<unsigned long, unsigned long>> slavic = {
        {1, 0}, {21, 0}, {101, 0}, {2, 1}, {4, 1}, {22, 1}, {0, 2}, {5, 2}, {11, 2}, {12, 2}, {14, 2}, {111, 2}};
    const std::vector<std::pair<unsigned long, unsigned long>> polish = {
        {1, 0}, {2, 1}, {4, 1}, {22, 1}, {0, 2}, {5, 2}, {12, 2}, {21, 2}, {112, 2}};
    const std::map<std::string, std::vector<std::pair<unsigned long, unsigned long>>> forms = {
        {"ru", slavic}, {"uk", slavic}, {"pl", polish},
        {"fr", {{0, 0}, {1, 0}, {2, 1}}}, {"pt_BR", {{0, 0}, {1, 0}, {2, 1}}},
        {"de", {{1, 0}, {0, 1}, {2, 1}, {17, 1}}}, {"ja", {{0, 0}, {1, 0}, {2, 0}, {17, 0}}}};
    for (const auto& [language, cases] : forms) {
        const std::string bytes = catalogueBytes(language);
        const MoCatalogue catalogue(bytes.data(), bytes.size());
        // The forms as msgfmt stored them, one after the other.
        std::vector<std::string> stored;
        for (const char* form = catalogue.find(markers); form && stored.size() < 3; form += std::strlen(form) + 1)
            stored.push_back(form);
        for (const auto& [n, form] : cases) {
            ASSERT_LT(form, stored.size()) << language;
            const char* found = catalogue.findPlural(markers, n);
            EXPECT_EQ(found ? found : "", stored[form]) << language << " " << n;
        }
    }
    const std::string bytes = catalogueBytes("ru");
    EXPECT_EQ(MoCatalogue(bytes.data(), bytes.size()).findPlural("no such text", 2), nullptr);
}

TEST(PluralRule, MalformedOrHostileRulesCountAsEnglishWithoutCrashing)
{
    auto form = [](const std::string& rule, unsigned long n) {
        return pluralForm(("Language: x\nPlural-Forms: " + rule + "\nX-Other: 1\n").c_str(), n);
    };
    EXPECT_EQ(form("nplurals = 3; plural = n%10==1 && n%100!=11 ? 0 : n ? 1 : 2;", 0), 2u);
    EXPECT_EQ(form("nplurals=2; plural=n==0", 2), 0u) << "the line ends the rule";
    EXPECT_EQ(form("nplurals=2; plural=n==0 ? 0 : 10/n > 2;", 0), 0u) << "a branch not taken may divide by zero";
    EXPECT_EQ(form("nplurals=3; plural=7;", 5), 0u) << "a form the catalogue lacks is the first";
    EXPECT_EQ(pluralForm(nullptr, 1), 0u);
    EXPECT_EQ(pluralForm("Language: x\n", 3), 1u);
    const std::string deep(100000, '(');
    const std::string negations(100000, '!');
    for (const std::string& rule :
         {std::string("nplurals=2; plural=(n==1 ? 0 : 1;"), std::string("nplurals=2; plural=n/0;"),
          std::string("nplurals=2; plural=n%(n-n);"), std::string("nplurals=2; plural=n + ;"),
          std::string("nplurals=2; plural=n 1;"), std::string("nplurals=2; plural=nn;"),
          std::string("nplurals=2; plural=n ? 1;"), std::string("nplurals=0; plural=0;"),
          std::string("nplurals=2;"), std::string("plural=n;"), "nplurals=2; plural=" + deep + "n",
          "nplurals=2; plural=" + negations + "n;"}) {
        EXPECT_EQ(form(rule, 1), 0u) << rule.substr(0, 40);
        EXPECT_EQ(form(rule, 2), 1u) << rule.substr(0, 40);
    }
    // Every cut of a real rule, read to its end: a form within the rule's count.
    const std::string russian =
        "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);";
    for (size_t length = 0; length <= russian.size(); ++length)
        for (unsigned long n : {0ul, 1ul, 2ul, 5ul})
            EXPECT_LT(pluralForm(("Plural-Forms: " + russian.substr(0, length)).c_str(), n), 3u);
}

// Only the first translate() binds the catalogues, so this is the one test of it in this program.
TEST(Translation, FindsTheBuildsCataloguesAndKeepsEnglishWhereTheyHaveNone)
{
    // A German locale (scripts/setup makes it): newer glibc reads no LANGUAGE list in C.UTF-8.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        unsetenv(name);
    setenv("LANG", "de_DE.UTF-8", 1);
    EXPECT_STREQ(translate("Size"), "Größe");
    const char* one = "main.bmp has %s magenta marker; only the first %s become eyes, the others (the first at %s) "
                      "stay opaque";
    const char* many = "main.bmp has %s magenta markers; only the first %s become eyes, the others (the first at "
                       "%s) stay opaque";
    EXPECT_NE(std::string(translatePlural(one, many, 1)).find("Markierung;"), std::string::npos);
    EXPECT_NE(std::string(translatePlural(one, many, 18)).find("Markierungen;"), std::string::npos);
    EXPECT_STREQ(translatePlural("no %s text", "no %s texts", 1), "no %s text");
    EXPECT_STREQ(translatePlural("no %s text", "no %s texts", 2), "no %s texts");
    EXPECT_EQ(translateWith("Skin: %s", {"skins/ä"}), "Skin: skins/ä");
    EXPECT_STREQ(translate("not in any catalogue"), "not in any catalogue");
}

}  // namespace
