// Files as today's tools write them load with the same pixels and palette as
// their plain twins (40-byte header, bottom-up, no run-length) read by Allegro
// itself, which keeps only 6 bits of a palette's colours.
#include <gtest/gtest.h>

#include <cstdlib>

#include "skin/bmp_bytes.h"
#include "skin/bmp_reader.h"
#include "support/fixtures.h"

namespace {

void convert(const std::string& options, const std::string& out)
{
    std::string command = "convert source.ppm " + options + " " + out + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// The same picture stored top row first, as the header's negative height says.
std::string topDown(const std::string& bmp)
{
    uint32_t pixelsAt = u32At(bmp, pixelOffsetField), height = u32At(bmp, heightField);
    size_t rowSize = (u32At(bmp, widthField) * (u32At(bmp, planesAndBitsField) >> 16) + 31) / 32 * 4;
    std::string flipped = withU32(bmp.substr(0, pixelsAt), heightField, -height);
    for (size_t row = height; row-- > 0;)
        flipped += bmp.substr(pixelsAt + row * rowSize, rowSize);
    return flipped;
}

// A colour as Allegro shows it from its 6-bit palette.
int cutToSixBits(int colour)
{
    return (colour & 0xfcfcfc) | (colour >> 6 & 0x030303);
}

void expectLoadsLike(const std::string& path, const char* twinPath)
{
    PALETTE palette, twinPalette = {};
    BITMAP* loaded = loadBitmapFile(path.c_str(), palette);
    BITMAP* twin = load_bitmap(twinPath, twinPalette);
    ASSERT_TRUE(loaded && twin && loaded->w == twin->w && loaded->h == twin->h) << path;
    const std::string twinBytes = readFile(twinPath);
    const size_t bitsAt = u32At(twinBytes, headerSizeField) == 12 ? 24 : 28;  // the OS/2 header's, or Windows'
    const bool paletted = (u32At(twinBytes, bitsAt) & 0xffff) <= 8;
    for (int y = 0; y < twin->h; y++)
        for (int x = 0; x < twin->w; x++) {
            const int colour = getpixel(loaded, x, y);
            ASSERT_EQ(paletted ? cutToSixBits(colour) : colour, getpixel(twin, x, y)) << path << " at " << x << "," << y;
        }
    EXPECT_EQ(memcmp(palette, twinPalette, sizeof palette), 0) << path;
    destroy_bitmap(loaded);
    destroy_bitmap(twin);
}

TEST(WrittenBmp, LargeHeaderTopDownAndOldStyleFilesLoadLikeTheirPlainTwins)
{
    if (std::system("convert -version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    TempWorkdir dir;
    // 6 x 4 in 24 different colours: too many for a 16-colour palette.
    std::string ppm = "P6\n6 4\n255\n";
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 6; x++)
            ppm += {char(40 * x + 10), char(60 * y + 5), char(13 * x * y + 7)};
    writeFile("source.ppm", ppm);
    // ImageMagick writes 8-bit files run-length encoded, with a run over each row's padding.
    for (const char* options : {"", "-alpha set -channel A -evaluate set 50% +channel", "-type Palette",
                                "-colors 16 -type Palette", "-monochrome"}) {
        SCOPED_TRACE(options);
        convert(options, "modern.bmp");
        convert(options + std::string(" -compress None"), "BMP3:plain.bmp");
        convert(options, "BMP2:os2.bmp");
        const std::string modern = readFile("modern.bmp");
        ASSERT_GE(u32At(modern, headerSizeField), 108u);
        expectLoadsLike("modern.bmp", "plain.bmp");
        writeFile("top-down.bmp", topDown(readFile("plain.bmp")));
        expectLoadsLike("top-down.bmp", "plain.bmp");
        if (u32At(modern, compressionField) != 1) {  // run-length files have no top-down form
            writeFile("top-down.bmp", topDown(modern));
            expectLoadsLike("top-down.bmp", "plain.bmp");
        }
        expectLoadsLike("os2.bmp", "os2.bmp");  // a 12-byte header Allegro reads itself
    }
}

}  // namespace
