// Files as today's tools write them load with the same pixels as the plain
// 40-byte files Allegro reads by itself.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "bmp/bmp_bytes.h"
#include "skin/bmp_reader.h"
#include "support/fixtures.h"

namespace {

constexpr int sourceWidth = 6;
const std::string halfTransparent = "-alpha set -channel A -evaluate set 50% +channel";
constexpr int sourceHeight = 4;

// 24 different colours: too many for a 16-colour palette.
uint32_t sourceColour(int x, int y)
{
    return static_cast<uint32_t>((40 * x + 10) << 16 | (60 * y + 5) << 8 | (13 * x * y + 7));
}

void writeSource(const std::string& path)
{
    std::string ppm = "P6\n" + std::to_string(sourceWidth) + " " + std::to_string(sourceHeight) + "\n255\n";
    for (int y = 0; y < sourceHeight; y++)
        for (int x = 0; x < sourceWidth; x++)
            for (int shift : {16, 8, 0})
                ppm += static_cast<char>(sourceColour(x, y) >> shift & 0xff);
    writeFile(path, ppm);
}

uint32_t u32At(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; i--)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

class WrittenBmp : public testing::Test {
protected:
    void SetUp() override
    {
        if (std::system("convert -version >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "ImageMagick's convert is not installed";
        writeSource("source.ppm");
    }

    // Writes source.ppm through convert with the given options to out.
    static void convert(const std::string& options, const std::string& out)
    {
        std::string command = "convert source.ppm " + options + " " + out + " 2>/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    TempWorkdir dir;
};

void expectSamePixels(BITMAP* actual, BITMAP* expected)
{
    ASSERT_NE(actual, nullptr);
    ASSERT_NE(expected, nullptr);
    ASSERT_EQ(actual->w, expected->w);
    ASSERT_EQ(actual->h, expected->h);
    for (int y = 0; y < actual->h; y++)
        for (int x = 0; x < actual->w; x++)
            ASSERT_EQ(getpixel(actual, x, y), getpixel(expected, x, y)) << "at " << x << "," << y;
    destroy_bitmap(actual);
    destroy_bitmap(expected);
}

BITMAP* sourceBitmap()
{
    BITMAP* bitmap = create_bitmap_ex(32, sourceWidth, sourceHeight);
    for (int y = 0; y < sourceHeight; y++)
        for (int x = 0; x < sourceWidth; x++)
            putpixel(bitmap, x, y, static_cast<int>(sourceColour(x, y)));
    return bitmap;
}

// The same picture stored top row first, as the header's negative height says.
std::string topDown(std::string bmp)
{
    uint32_t pixelsAt = u32At(bmp, pixelOffsetField);
    int32_t height = static_cast<int32_t>(u32At(bmp, heightField));
    size_t rowSize = (u32At(bmp, widthField) * (u32At(bmp, bitCountField) & 0xffff) + 31) / 32 * 4;
    std::string flipped = bmp.substr(0, pixelsAt);
    for (int32_t row = height - 1; row >= 0; row--)
        flipped += bmp.substr(pixelsAt + row * rowSize, rowSize);
    putU32(flipped, heightField, static_cast<uint32_t>(-height));
    return flipped;
}

}  // namespace

TEST_F(WrittenBmp, TrueColourFilesWithLargeHeadersLoadAsTheSource)
{
    for (const std::string& options : {std::string(), halfTransparent}) {
        SCOPED_TRACE(options);
        convert(options, "modern.bmp");
        ASSERT_GE(u32At(readFile("modern.bmp"), 14), 108u);
        expectSamePixels(loadBitmapFile("modern.bmp", nullptr), sourceBitmap());
    }
}

// ImageMagick writes 8-bit files run-length encoded, with a run over each row's padding.
TEST_F(WrittenBmp, PalettedFilesWithLargeHeadersLoadLikeTheirPlainTwins)
{
    for (const char* options : {"-type Palette", "-colors 16 -type Palette", "-monochrome"}) {
        SCOPED_TRACE(options);
        convert(options, "modern.bmp");
        convert(options + std::string(" -compress None"), "BMP3:plain.bmp");
        ASSERT_GE(u32At(readFile("modern.bmp"), 14), 108u);
        PALETTE modern, plain = {};
        BITMAP* expected = load_bitmap("plain.bmp", plain);
        expectSamePixels(loadBitmapFile("modern.bmp", modern), expected);
        EXPECT_EQ(memcmp(modern, plain, sizeof modern), 0);
    }
}

TEST_F(WrittenBmp, OldStyleSmallHeaderFilesLoadLikeAllegroReadsThem)
{
    for (const char* options : {"", "-colors 16 -type Palette"}) {
        SCOPED_TRACE(options);
        convert(options, "BMP2:os2.bmp");
        PALETTE palette = {};
        expectSamePixels(loadBitmapFile("os2.bmp", nullptr), load_bitmap("os2.bmp", palette));
    }
}

TEST_F(WrittenBmp, SixteenBitFilesLoadCloseToTheSource)
{
    for (const char* subtype : {"RGB565", "RGB555"}) {
        SCOPED_TRACE(subtype);
        convert(std::string("-define bmp:subtype=") + subtype, "modern.bmp");
        BITMAP* bitmap = loadBitmapFile("modern.bmp", nullptr);
        ASSERT_NE(bitmap, nullptr);
        for (int y = 0; y < sourceHeight; y++)
            for (int x = 0; x < sourceWidth; x++)
                for (int shift : {16, 8, 0}) {
                    int loaded = getpixel(bitmap, x, y) >> shift & 0xff;
                    int source = sourceColour(x, y) >> shift & 0xff;
                    EXPECT_NEAR(loaded, source, 8) << "at " << x << "," << y << " shift " << shift;
                }
        destroy_bitmap(bitmap);
    }
}

TEST_F(WrittenBmp, TopDownFilesLoadTheRightWayUp)
{
    const std::pair<std::string, std::string> kinds[] = {
        {"", "BMP3:bottom-up.bmp"}, {"", "bottom-up.bmp"}, {halfTransparent, "bottom-up.bmp"}};
    for (const auto& [options, out] : kinds) {
        SCOPED_TRACE(options + " " + out);
        convert(options, out);
        writeFile("top-down.bmp", topDown(readFile("bottom-up.bmp")));
        expectSamePixels(loadBitmapFile("top-down.bmp", nullptr), sourceBitmap());
    }
}
