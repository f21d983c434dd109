#include "e2e/eyes_test.h"

#include <fstream>
#include <sstream>

void EyesTest::SetUp()
{
    ASSERT_TRUE(desktop.ready()) << "no X server" << (GetParam() ? " with openbox" : "");
}

void EyesTest::start(const std::string& skin, int centreX, int centreY)
{
    std::ofstream("eyes.ini") << "[global]\nskin=" << skin << "\nx=" << centreX << "\ny=" << centreY << "\n";
    eyes = std::make_unique<Child>(std::vector<std::string>{EYES_PROGRAM}, work.path(),
                                   std::vector<std::string>{"DISPLAY=" + desktop.name(),
                                                            "XDG_CONFIG_HOME=" + work.path() + "/config"});
    window = desktop.waitForWindow("eyes");
    ASSERT_NE(window, 0u) << "the program showed no window";
    box = desktop.frame(window);
}

int EyesTest::exitStatus(int timeoutMs)
{
    return eyes ? eyes->wait(timeoutMs) : -1;
}

std::string EyesTest::setting(const std::string& key) const
{
    std::istringstream file(readFile("eyes.ini"));
    std::string line;
    while (std::getline(file, line))
        if (line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    return "";
}

void EyesTest::pointAt(int x, int y) const
{
    xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
}

void EyesTest::xdotool(const std::string& arguments) const
{
    ASSERT_EQ(desktop.run("xdotool " + arguments), 0) << arguments;
}

void EyesTest::typeKeys(const std::string& keys) const
{
    desktop.focus(window);
    xdotool("key " + keys);
}

std::string desktopKind(const testing::TestParamInfo<bool>& info)
{
    return info.param ? "Openbox" : "Bare";
}
