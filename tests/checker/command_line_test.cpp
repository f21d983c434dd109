#include <sys/wait.h>

#include <cstdlib>

#include "checker_skins.h"

namespace {

TEST_F(CheckerTest, CommandLinesThatMakeNoSenseAreUsageErrors)
{
    writeGoodSkin("s");
    const std::vector<std::vector<std::string>> wrong = {
        {}, {"s", "s"}, {""}, {"--frobnicate", "s"}, {"s", "--preview"}, {"--preview", "", "s"},
        {"--preview", "p.png", "--pointer", "3", "s"}, {"--preview", "p.png", "--pointer", "3,4x", "s"},
        {"--preview", "p.png", "--pointer", "99999999999,0", "s"}, {"--pointer", "3,4", "s"},
    };
    for (const auto& args : wrong) {
        CheckerRun run = runInProcess(args);
        EXPECT_EQ(run.status, 64) << testing::PrintToString(args);
        EXPECT_NE(run.err.find("Usage: glimora-check"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(runInProcess({"--pointer", "-5,+7", "s", "--preview", "p.png"}).status, 0) << "any order";
    EXPECT_EQ(runInProcess({"--", "--help"}).status, 2) << "a folder named --help";
}

// The built program, its output in out.txt and err.txt; its exit status.
int runProgram(const std::string& args)
{
    int status = std::system((std::string(GLIMORA_CHECK_BINARY) + " " + args + " >out.txt 2>err.txt").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(CheckerTest, TheProgramExitsWithItsStatusForEachOutcome)
{
    EXPECT_EQ(runProgram("--help"), 0);
    EXPECT_EQ(readFile("out.txt").rfind("Usage: glimora-check", 0), 0u);
    EXPECT_EQ(readFile("err.txt"), "");

    writeGoodSkin("good");
    EXPECT_EQ(runProgram("good --preview good.png --pointer 1,2"), 0);
    EXPECT_NE(readFile("out.txt").find("No warnings."), std::string::npos);
    EXPECT_FALSE(readFile("good.png").empty());

    writeGoodSkin("odd");
    saveInto("odd", "mask.bmp", makeBitmap(80, 50, white));
    EXPECT_EQ(runProgram("odd"), 1);
    EXPECT_NE(readFile("out.txt").find("Warnings: 1\n  - mask.bmp has no black pixel, so nothing of the window shows\n"),
              std::string::npos);
    EXPECT_EQ(runProgram("absent"), 2);
    EXPECT_EQ(runProgram("--bad good"), 64);
    EXPECT_EQ(runProgram("good --preview no/such/folder/x.png"), 73);
    EXPECT_EQ(readFile("err.txt"), "glimora-check: cannot write the preview to no/such/folder/x.png\n");
}

}  // namespace
