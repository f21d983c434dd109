#include "checker_skins.h"
#include "skin/bmp_bytes.h"

namespace {

// The checker's status and what it printed: out and err each hold their text
// somewhere, or nothing at all when the text is empty.
testing::AssertionResult answers(const std::string& args, int status, const std::string& out, const std::string& err)
{
    int actual = runProgram(args);
    auto holds = [](const std::string& text, const std::string& part) {
        return part.empty() ? text.empty() : text.find(part) != std::string::npos;
    };
    if (actual == status && holds(readFile("out.txt"), out) && holds(readFile("err.txt"), err))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "status " << actual << ", out:\n"
                                       << readFile("out.txt") << "err:\n" << readFile("err.txt");
}

TEST_F(CheckerTest, EachCommandLineGetsItsExitStatusAndOutput)
{
    writeGoodSkin("good");
    writeGoodSkin("odd");
    saveInto("odd", "mask.bmp", makeBitmap(80, 50, white));
    makeDirs("broken");
    writeFile("broken/main.bmp", "BM broken");
    const std::string usage = "Usage: glimora-check";
    EXPECT_TRUE(answers("--help", 0, usage, ""));
    EXPECT_TRUE(answers("good", 0,
                        "Skin: good\n"
                        "Picture: main.bmp, 80 x 50\n"
                        "Mask: mask.bmp\n"
                        "Eye background: eyebg.bmp\n"
                        "Eyes: 2\n"
                        "  eye 1: marker (20, 25), bounds (10, 17, 30, 33), size 20 x 16, pupil eye1.bmp (7 x 5)\n"
                        "  eye 2: marker (60, 25), bounds (50, 17, 70, 33), size 20 x 16, pupil eye.bmp (5 x 5)\n"
                        "No warnings.\n",
                        ""));
    EXPECT_TRUE(answers("--pointer -5,+7 good --preview p.png", 0, "No warnings.\n", ""));
    EXPECT_TRUE(answers("odd", 1, "Warnings: 1\n  - mask.bmp has no black pixel, so nothing of the window shows\n", ""));
    EXPECT_TRUE(answers("good/absent/", 2, "",
                        "glimora-check: good/absent/main.bmp is missing; the program would not load this skin\n"));
    EXPECT_TRUE(answers("broken", 2, "", "glimora-check: broken/main.bmp cannot be read as a BMP picture"));
    EXPECT_TRUE(answers("broken", 2, "", "\nglimora-check: broken/main.bmp is cut short: the file ends before its "
                                         "picture does\n"));
    writeFile("broken/main.bmp", withU32(readFile("good/main.bmp"), compressionField, 4));
    EXPECT_TRUE(answers("broken", 2, "", "glimora-check: broken/main.bmp uses compression BI_JPEG, which is not read\n"));
    writeFile("broken/main.bmp", withU32(readFile("good/main.bmp"), heightField, 20000));
    EXPECT_TRUE(answers("broken", 2, "", "broken/main.bmp is too large: 80 x 20000 pixels, where at most 16384 on a "
                                         "side and 33554432 in all are read\n"));
    EXPECT_TRUE(answers("-- --help", 2, "", "--help/main.bmp is missing"));
    EXPECT_TRUE(answers("good --preview no/such/folder/x.png", 73, "No warnings.\n",
                        "glimora-check: cannot write the preview to no/such/folder/x.png\n"));
    for (const char* wrong : {"", "good good", "''", "--frobnicate good", "good --preview", "--preview '' good",
                              "--pointer 3,4 good", "--preview p.png --pointer 3 good",
                              "--preview p.png --pointer 3,4x good", "--preview p.png --pointer 99999999999,0 good"})
        EXPECT_TRUE(answers(wrong, 64, "", usage)) << wrong;
}

}  // namespace
