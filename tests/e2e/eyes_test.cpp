#include "e2e/eyes_test.h"

#include <regex>

void EyesTest::SetUp()
{
    ASSERT_TRUE(desktop.ready()) << "no X server" << (GetParam() ? " with openbox" : "");
    makeDirs("skins/face");
    BITMAP* main = makeBitmap(faceWidth, faceHeight, faceColour);
    rectfill(main, 11, 21, 39, 49, 0xFFFFFF);
    putpixel(main, 25, 35, magenta());
    saveBmp("skins/face/main.bmp", main);
    destroy_bitmap(main);
    BITMAP* mask = makeBitmap(faceWidth, faceHeight, 0);
    rectfill(mask, 0, 0, faceCut - 1, faceCut - 1, 0xFFFFFF);
    rectfill(mask, faceWidth - faceCut, faceHeight - faceCut, faceWidth - 1, faceHeight - 1, 0xFFFFFF);
    saveBmp("skins/face/mask.bmp", mask);
    destroy_bitmap(mask);
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
    eyes = std::make_unique<Child>(std::vector<std::string>{EYES_PROGRAM}, work.path(),
                                   std::vector<std::string>{"DISPLAY=" + desktop.name(),
                                                            "XDG_CONFIG_HOME=" + work.path() + "/config"});
    return desktop.waitForWindow(title);
}

std::string EyesTest::setting(const std::string& key) const
{
    std::smatch value;
    std::string ini = readFile("eyes.ini");
    return std::regex_search(ini, value, std::regex("(^|\n)" + key + "=([^\n]*)")) ? value[2].str() : "";
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
