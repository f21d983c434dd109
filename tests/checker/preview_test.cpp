#include <png.h>

#include <algorithm>
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

// The two-eyed face with a clear border and a half-transparent band inside it.
std::vector<uint8_t> fadingEdges()
{
    std::vector<uint8_t> alpha(80 * 50, 255);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 80; ++x) {
            const int edge = std::min({x, y, 79 - x, 49 - y});
            alpha[y * 80 + x] = edge < 2 ? 0 : edge < 4 ? 128 : 255;
        }
    return alpha;
}

TEST_F(CheckerTest, AlphaIsToldItsPreviewKeepsItAndFourthBytesThatAreNotAlphaAreWarnedOf)
{
    makeDirs("soft");
    BITMAP* face = twoEyedFace();
    saveAlphaBmp("soft/main.bmp", face, fadingEdges());
    destroy_bitmap(face);
    ASSERT_EQ(runProgram("--preview soft.png soft"), 0) << readFile("out.txt");
    EXPECT_NE(readFile("out.txt").find("Alpha: yes"), std::string::npos) << readFile("out.txt");
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&png, "soft.png"));
    EXPECT_TRUE(png.format & PNG_FORMAT_FLAG_ALPHA);
    png.format = PNG_FORMAT_RGBA;
    std::vector<png_byte> rgba(PNG_IMAGE_SIZE(png));
    ASSERT_TRUE(png_image_finish_read(&png, nullptr, rgba.data(), 0, nullptr));
    auto pixel = [&](int x, int y) {
        const png_byte* p = &rgba[(size_t(y) * 80 + x) * 4];
        return uint32_t(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2];
    };
    EXPECT_EQ(pixel(0, 20) >> 24, 0u);
    // Straight colour, half opaque, within the rounding of premultiplying at 128.
    EXPECT_EQ(pixel(2, 20) >> 24, 0x80u);
    for (int shift : {16, 8, 0})
        EXPECT_NEAR(int(pixel(2, 20) >> shift & 0xff), faceColour >> shift & 0xff, 1) << shift;
    EXPECT_EQ(pixel(40, 40), 0xff000000u | faceColour);

    // Plain 32-bit pictures whose fourth bytes are not zero: the face has no alpha.
    AlphaBmp plain{80, 50, {}, 40, 0};
    for (uint8_t a : fadingEdges())
        plain.argb.push_back(uint32_t(a) << 24 | faceColour);
    makeDirs("plain");
    writeFile("plain/main.bmp", alphaBmpBytes(plain));
    BITMAP* pupil = makeBitmap(5, 5, 0);
    saveAlphaBmp("plain/eye.bmp", pupil, std::vector<uint8_t>(25, 200));
    destroy_bitmap(pupil);
    EXPECT_EQ(runProgram("plain"), 1);
    const std::string told = readFile("out.txt");
    EXPECT_EQ(told.find("Alpha:"), std::string::npos) << told;
    EXPECT_NE(told.find("main.bmp carries fourth bytes that are ignored"), std::string::npos) << told;
    EXPECT_NE(told.find("eye.bmp has an alpha channel, which is ignored because main.bmp has none"),
              std::string::npos) << told;
}

}  // namespace
