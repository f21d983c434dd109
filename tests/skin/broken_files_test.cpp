// Every kind of broken file is refused, and none of them reaches Allegro's
// reader, which would overflow, spin or allocate gigabytes on some of them.
#include <gtest/gtest.h>

#include "skin/bmp_bytes.h"
#include "skin/bmp_reader.h"
#include "support/fixtures.h"

namespace {

using Rows = std::vector<std::vector<uint32_t>>;

std::string paletted(uint16_t bits, uint32_t compression, const std::string& pixels)
{
    return bmpBytes({4, 2, bits, compression, 0, {0, red, green}, pixels});
}

std::string rle8(const std::string& stream) { return paletted(8, 1, stream); }
std::string rle4(const std::string& stream) { return paletted(4, 2, stream); }

// Two pixels side by side, with the colour masks where a palette would be.
std::string bitfields(uint16_t bits, const std::vector<uint32_t>& masks, const std::string& pixels)
{
    return bmpBytes({2, 1, bits, 3, 0, masks, pixels});
}
const std::string redGreen32("\0\0\xff\0\0\xff\0\0", 8);

const std::string plain = paletted(8, 0, std::string("\1\2\1\2\2\1\2\1", 8));  // bottom row first
// Bottom row: 4 x index 1; top row: literal 1 0 1 (padded), then 1 x index 0.
const std::string goodRle8 = rle8(std::string("\4\1\0\0\0\3\1\0\1\0\1\0\0\1", 14));
// Bottom row: 1 2 1 2; top row: literal 1 2 1, a jump to the row's end, end of bitmap.
const std::string goodRle4 = rle4(std::string("\4\x12\0\0\0\3\x12\x10\0\2\1\0\0\1", 14));

BITMAP* loadBytes(const std::string& bytes, RGB* palette = nullptr)
{
    writeFile("case.bmp", bytes);
    return loadBitmapFile("case.bmp", palette);
}

void expectRows(BITMAP* bitmap, const Rows& rows)
{
    ASSERT_NE(bitmap, nullptr);
    ASSERT_TRUE(bitmap->h == int(rows.size()) && bitmap->w == int(rows[0].size())) << bitmap->w << "x" << bitmap->h;
    for (int y = 0; y < bitmap->h; y++)
        for (int x = 0; x < bitmap->w; x++)
            EXPECT_EQ(uint32_t(getpixel(bitmap, x, y)), rows[y][x]) << "at " << x << "," << y;
    destroy_bitmap(bitmap);
}

std::vector<std::pair<std::string, std::string>> brokenFiles()
{
    std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"text", "just some words, not a picture\n"},
        {"PNG", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\4\0\0\0\2\10\2\0\0\0", 29)},
        {"zero height", withU32(plain, heightField, 0)},
        {"negative width", withU32(plain, widthField, uint32_t(-4))},
        {"height INT_MIN", withU32(plain, heightField, uint32_t(INT_MIN))},
        {"100000 x 100000", withU32(withU32(plain, widthField, 100000), heightField, 100000)},
        {"wider than the pixel data", withU32(plain, widthField, 5)},
        {"bit count 7", withU32(plain, planesAndBitsField, 1 | 7 << 16)},
        {"JPEG compression", withU32(plain, compressionField, 4)},
        {"run-length with 24 bits", withU32(goodRle8, planesAndBitsField, 1 | 24 << 16)},
        {"bit fields with 8 bits", withU32(plain, compressionField, 3)},
        {"zero bit-field masks", bitfields(32, {0, 0, 0}, redGreen32)},
        {"huge colour count", withU32(plain, colourCountField, 0x7fffffff)},
        {"257 colours", withU32(plain, colourCountField, 257)},
        {"pixel offset past the end", withU32(plain, pixelOffsetField, 0x7ffffff0)},
        {"pixel offset inside the header", withU32(plain, pixelOffsetField, 20)},
        {"header size 64", withU32(plain, headerSizeField, 64)},
        {"header size huge", withU32(plain, headerSizeField, 0xfffffff0)},
        {"top-down run-length", withU32(goodRle8, heightField, uint32_t(-2))},
    };
    for (size_t cut : {1, 13, 14, 17, 30, 53, 58, 63, 69})
        cases.push_back({"cut at " + std::to_string(cut), plain.substr(0, cut)});
    const std::pair<const char*, std::string> brokenStreams[] = {
        {"jump below the bitmap", std::string("\0\2\0\3\0\1", 6)},
        {"row over 16384 pixels", std::string(130, '\xff') + std::string("\0\1", 2)},
        {"literal cut short", std::string("\0\6\1", 3)},
        {"no end", std::string("\4\1", 2)},
        {"odd length", std::string("\4\1\0\0\2", 5)},
    };
    for (const auto& [name, stream] : brokenStreams) {
        cases.push_back({std::string("RLE8 ") + name, rle8(stream)});
        cases.push_back({std::string("RLE4 ") + name, rle4(stream)});
    }
    return cases;
}

TEST(BrokenBmp, EveryBrokenFileAndWhatIsNoFileIsRefused)
{
    TempWorkdir dir;
    for (const auto& [name, bytes] : brokenFiles()) {
        BITMAP* bitmap = loadBytes(bytes);
        EXPECT_EQ(bitmap, nullptr) << name;
        if (bitmap)
            destroy_bitmap(bitmap);
    }
    makeDirs("folder.bmp");
    for (std::string path : {std::string("missing.bmp"), std::string("folder.bmp"), specialFile()})
        EXPECT_EQ(loadBitmapFile(path.c_str(), nullptr), nullptr) << path;  // and a pipe is not waited on
}

// The originals of the broken cases load, so each refusal is down to its one fault;
// so do runs and jumps past the row end, which are cut off.
TEST(BrokenBmp, TheUnbrokenOriginalsAndRunsPastTheRowEndLoad)
{
    TempWorkdir dir;
    const std::pair<std::string, Rows> cases[] = {
        {plain, {{green, red, green, red}, {red, green, red, green}}},
        {goodRle8, {{red, 0, red, 0}, {red, red, red, red}}},
        {goodRle4, {{red, green, red, 0}, {red, green, red, green}}},
        {bitfields(32, {0xff0000, 0xff00, 0xff}, redGreen32), {{red, green}}},
        {bitfields(16, {0xf800, 0x7e0, 0x1f}, std::string("\0\xf8\xe0\7", 4)), {{red, green}}},
        {bitfields(16, {0x7c00, 0x3e0, 0x1f}, std::string("\0\x7c\xe0\3", 4)), {{red, green}}},
        {rle4(std::string("\3\x11\2\0\0\0\0\7\x22\x22\x22\x20\0\1", 14)),
         {{green, green, green, green}, {red, red, red, 0}}},
        {rle8(std::string("\0\2\7\0\0\0\4\2\0\1", 10)), {{green, green, green, green}, {0, 0, 0, 0}}},
    };
    for (size_t i = 0; i < std::size(cases); i++) {
        SCOPED_TRACE(i);
        expectRows(loadBytes(cases[i].first), cases[i].second);
    }
}

TEST(BrokenBmp, PaletteEntriesTheFileLacksAreZero)
{
    TempWorkdir dir;
    PALETTE palette;
    memset(palette, 0x2a, sizeof palette);
    // 16 colours declared, 2 stored.
    expectRows(loadBytes(bmpBytes({2, 1, 4, 0, 16, {0, red}, std::string("\x10\0\0\0", 4)}), palette), {{red, 0}});
    EXPECT_EQ(palette[1].r, 63);
    for (int i = 2; i < PAL_SIZE; i++)
        ASSERT_EQ(palette[i].r | palette[i].g | palette[i].b | palette[i].filler, 0) << "entry " << i;
}

}  // namespace
