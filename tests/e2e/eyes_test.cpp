#include "e2e/eyes_test.h"

#include <regex>

void EyesTest::SetUp()
{
    ASSERT_TRUE(desktop.ready()) << "no X server" << (GetParam() ? " with openbox" : "");
    writeFaceSkin();
}

void EyesTest::start(const std::string& skin, int centreX, int centreY)
{
    writeFile("eyes.ini", "[global]\nskin=" + skin + "\nx=" + std::to_string(centreX) + "\ny=" +
                              std::to_string(centreY) + "\n");
    window = launch();
    ASSERT_NE(window, 0u) << "the program showed no window";
    eventually([&] {
        box = desktop.frame(window);
        return box.x + box.width / 2 == centreX && box.y + box.height / 2 == centreY;
    });
}

Box EyesTest::frameOnceAt(Window shown, const Box& expected) const
{
    Box seen;
    eventually([&] { return (seen = desktop.frame(shown)) == expected; });
    return seen;
}

Window EyesTest::launch(const std::string& title)
{
    std::vector<std::string> variables{"DISPLAY=" + desktop.name(), "XDG_CONFIG_HOME=" + work.path() + "/config"};
    variables.insert(variables.end(), environment.begin(), environment.end());
    eyes = std::make_unique<Child>(std::vector<std::string>{EYES_PROGRAM}, work.path(), variables);
    return desktop.waitForWindow(title);
}

std::string EyesTest::setting(const std::string& key) const
{
    std::smatch value;
    std::string ini = readFile("eyes.ini");
    return std::regex_search(ini, value, std::regex("(^|\n)" + key + "=([^\n]*)")) ? value[2].str() : "";
}

testing::AssertionResult EyesTest::showsPupilAt(int x, int y, int scale) const
{
    return ::showsPupilAt([&] { return desktop.pixels(desktop.frame(window)); }, x, y, scale);
}

bool EyesTest::dragBy(int x, int y, int dx, int dy)
{
    const Box from = box;
    pointAt(x, y);
    xdotool("mousedown 1");
    // In steps, so that whoever moves the window has taken the pointer before the last one.
    for (int step = 1; step <= 5; ++step)
        xdotool("sleep 0.05 mousemove " + std::to_string(x + dx * step / 5) + " " + std::to_string(y + dy * step / 5));
    bool followed = eventually([&] {
        box = desktop.frame(window);
        return box.x == from.x + dx && box.y == from.y + dy;
    });
    xdotool("mouseup 1");
    return followed;
}

std::string desktopKind(const testing::TestParamInfo<bool>& info)
{
    return info.param ? "Openbox" : "Bare";
}
