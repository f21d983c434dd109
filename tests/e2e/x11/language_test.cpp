// The program in the user's language on a real X server: the menu and the
// problem box in German and in Japanese, everything working as in English,
// and English exactly as ever for a language without a catalogue.
#include "e2e/support/eyes_fixture.h"

namespace {

struct Language {
    std::string locale;
    std::string boxTitle;
    std::string problem;  // what stderr says of a folder without its face
};

class LanguageTest : public EyesTest {
protected:
    // The program in this locale (and list of languages), its stderr kept in the file "err" of the working folder.
    void speak(const std::string& locale, const std::string& languages = "")
    {
        program = {"/bin/sh", "-c", "exec \"$0\" 2>err", GLIMORA_PROGRAM};
        environment = {"LANG=" + locale, "LC_ALL=", "LANGUAGE=" + languages};
    }

    // The menu in this locale, then its last item, "Exit", where it is in English.
    void expectMenuSpeaks(const std::string& locale)
    {
        speak("C.UTF-8");
        ASSERT_NO_FATAL_FAILURE(expectMenuSpeaksAndWorksAsInEnglish([&] { speak(locale); }));
        choose("Exit");
        EXPECT_EQ(exitStatus(), 0) << "the last item did not end the program";
    }

    // The box for a skin without its face, in this locale.
    void expectProblemBox(const std::string& locale, const std::string& title, const std::string& problem,
                          const std::string& languages = "")
    {
        makeDirs("skins/broken");
        writeFile("eyes.ini", "[global]\nskin=broken\n");
        speak(locale, languages);
        answerMessageBox(launch(title));
        EXPECT_EQ(readFile("err"), "glimora: " + problem + "\n");
    }
};

TEST_P(LanguageTest, GermanMenuAndBox)
{
    expectMenuSpeaks("de_DE.UTF-8");
    expectProblemBox("de_DE.UTF-8", "Problem beim Laden des Skins",
                     "Problem beim Laden von \xe2\x80\x9e" + work.path() + "/skins/broken/\xe2\x80\x9c. Skin nicht geladen.");
}

TEST_P(LanguageTest, JapaneseMenuAndBox)
{
    expectMenuSpeaks("ja_JP.UTF-8");
    expectProblemBox("ja_JP.UTF-8", "スキンの読み込みの問題",
                     "「" + work.path() + "/skins/broken/」の読み込み中に問題が発生しました。スキンは読み込まれていません。");
}

// A language without a catalogue (Swedish, asked for as a desktop's language list
// asks), and no language at all.
TEST_P(LanguageTest, UnknownLanguageIsEnglishExactly)
{
    const std::string problem = "Problem loading \"" + work.path() + "/skins/broken/\". Skin not loaded.";
    for (const std::string languages : {"sv", ""}) {
        SCOPED_TRACE(languages);
        expectProblemBox("C.UTF-8", "Problem loading Skin", problem, languages);
    }
}

INSTANTIATE_TEST_SUITE_P(X11, LanguageTest, testing::Values(false, true), desktopKind);

}  // namespace
