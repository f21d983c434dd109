#include <png.h>

#include <filesystem>

#include "app/winmain.h"
#include "checker_skins.h"

namespace {

// The PNG's pixels as 0x00RRGGBB; empty when it cannot be read.
std::vector<uint32_t> readPng(const std::string& path)
{
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        return {};
    png.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr))
        return {};
    std::vector<uint32_t> pixels;
    for (size_t i = 0; i < rgb.size(); i += 3)
        pixels.push_back(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
    return pixels;
}

// What the program itself shows with the pointer at this point of its window.
std::vector<uint32_t> programFrame(POINT pointer)
{
    headless::reset();
    writeFile("eyes.ini", "[global]\nskin=face\nx=400\ny=300\n");
    std::vector<uint32_t> pixels;
    headless::at(150, [&] {
        RECT frame;
        GetWindowRect(g_hwnd, &frame);
        headless::setPointer(frame.left + pointer.x, frame.top + pointer.y);
    });
    headless::at(450, [&] { pixels = headless::window(g_hwnd)->pixels; });
    headless::at(500, [] { headless::pressKey(VK_ESCAPE); });
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
    return pixels;
}

TEST_F(CheckerTest, ThePreviewIsTheProgramsFramePixelForPixelWhereverThePointerIs)
{
    writeGoodSkin("skins/face");
    writeFile("frame.png", std::string(100000, 'x'));  // replaced whole
    std::vector<uint32_t> last;
    // The centre (the default), over eye 1, far off, eye 2's marker, inside eye 2 but not over it.
    for (POINT pointer : {POINT{40, 25}, POINT{23, 29}, POINT{-300, 700}, POINT{60, 25}, POINT{69, 18}}) {
        std::string args = "--preview frame.png skins/face";
        if (pointer.x != 40)
            args += " --pointer " + std::to_string(pointer.x) + "," + std::to_string(pointer.y);
        const std::vector<uint32_t> expected = programFrame(pointer);
        ASSERT_EQ(expected.size(), 80u * 50u);
        ASSERT_EQ(runProgram(args), 0) << readFile("err.txt");
        const std::vector<uint32_t> preview = readPng("frame.png");
        EXPECT_TRUE(preview == expected) << pointer.x << "," << pointer.y;
        EXPECT_TRUE(preview != last) << "the pupils move between pointers";
        last = preview;
    }
    EXPECT_FALSE(std::filesystem::exists("frame.png.part"));
}

}  // namespace
