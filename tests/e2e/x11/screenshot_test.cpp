// The picture of the program on a desktop that the README shows, taken anew by
// every run; it lands in the build folder for a developer to copy.
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "e2e/support/desktop.h"
#include "e2e/support/process.h"
#include "support/fixtures.h"

TEST(Screenshot, TwoFacesOnADesktop)
{
    TempWorkdir work;
    Desktop desktop{true};
    ASSERT_TRUE(desktop.ready());
    ASSERT_EQ(desktop.run("xsetroot -solid '#5b7fa6'"), 0);
    std::vector<std::unique_ptr<Child>> faces;
    for (const char* face : {"default", "owl"}) {
        makeDirs(face);
        ASSERT_EQ(shell(std::string("cp -R " GLIMORA_SOURCE_DIR "/skins ") + face), 0);
        bool owl = face[0] == 'o';
        writeFile(std::string(face) + "/eyes.ini", owl ? "[global]\nskin=owl\nx=420\ny=170\n" : "[global]\nx=160\ny=170\n");
        faces.push_back(std::make_unique<Child>(std::vector<std::string>{GLIMORA_PROGRAM}, work.path() + "/" + face,
                                                std::vector<std::string>{"DISPLAY=" + desktop.name()}));
        ASSERT_NE(desktop.waitForWindow("eyes"), 0u);
    }
    desktop.run("xdotool mousemove 300 330");
    // A few frames, so that both have found the pointer.
    usleep(400 * 1000);
    std::string shot = GLIMORA_BINARY_DIR "/screenshot.png";
    EXPECT_EQ(desktop.run("import -window root -crop 580x340+0+0 +repage " + shot), 0);
    EXPECT_GT(readFile(shot).size(), 1000u);
}
