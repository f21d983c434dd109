// Every kind of broken file is refused, and none of them reaches Allegro's
// reader, which would overflow, spin or allocate gigabytes on some of them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <utility>
#include <vector>

#include "bmp/bmp_bytes.h"
#include "skin/bmp_reader.h"
#include "support/fixtures.h"

namespace {

using Rows = std::vector<std::vector<uint32_t>>;

BmpLayout plain8()
{
    BmpLayout layout;
    layout.palette = basicPalette();
    layout.pixels = std::string("\1\2\1\2\2\1\2\1", 8);  // bottom row first
    return layout;
}

BmpLayout rle8(const std::string& stream)
{
    BmpLayout layout = plain8();
    layout.compression = 1;
    layout.pixels = stream;
    return layout;
}

BmpLayout rle4(const std::string& stream)
{
    BmpLayout layout = rle8(stream);
    layout.bits = 4;
    layout.compression = 2;
    return layout;
}

// Masks stored where a palette would be: right after the 40-byte header.
BmpLayout bitfields32(uint32_t redMask, uint32_t greenMask, uint32_t blueMask)
{
    BmpLayout layout;
    layout.width = 2;
    layout.height = 1;
    layout.bits = 32;
    layout.compression = 3;
    layout.palette = {redMask, greenMask, blueMask};
    layout.pixels = std::string("\0\0\xff\0\0\xff\0\0", 8);
    return layout;
}

// Bottom row: 4 x index 1; top row: literal 1 0 1 (padded), then 1 x index 0.
const std::string goodRle8("\4\1\0\0\0\3\1\0\1\0\1\0\0\1", 14);
// Bottom row: 1 2 1 2; top row: literal 1 2 1, a jump to the row's end, end of bitmap.
const std::string goodRle4("\4\x12\0\0\0\3\x12\x10\0\2\1\0\0\1", 14);

std::string withU32(std::string bytes, size_t at, uint32_t value)
{
    putU32(bytes, at, value);
    return bytes;
}

BITMAP* loadBytes(const std::string& bytes)
{
    writeFile("case.bmp", bytes);
    return loadBitmapFile("case.bmp", nullptr);
}

void expectRows(BITMAP* bitmap, const Rows& rows)
{
    ASSERT_NE(bitmap, nullptr);
    ASSERT_EQ(bitmap->h, static_cast<int>(rows.size()));
    ASSERT_EQ(bitmap->w, static_cast<int>(rows[0].size()));
    for (int y = 0; y < bitmap->h; y++)
        for (int x = 0; x < bitmap->w; x++)
            EXPECT_EQ(static_cast<uint32_t>(getpixel(bitmap, x, y)), rows[y][x]) << "at " << x << "," << y;
    destroy_bitmap(bitmap);
}

std::vector<std::pair<std::string, std::string>> brokenFiles()
{
    const std::string plain = bmpBytes(plain8());
    std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"text", "just some words, not a picture\n"},
        {"PNG", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\4\0\0\0\2\10\2\0\0\0", 29)},
        {"zero width", withU32(plain, widthField, 0)},
        {"zero height", withU32(plain, heightField, 0)},
        {"negative width", withU32(plain, widthField, static_cast<uint32_t>(-4))},
        {"height INT_MIN", withU32(plain, heightField, static_cast<uint32_t>(INT_MIN))},
        {"width INT_MAX", withU32(plain, widthField, INT_MAX)},
        {"100000 x 100000", withU32(withU32(plain, widthField, 100000), heightField, 100000)},
        {"20000 x 20000 in a small file", withU32(withU32(plain, widthField, 20000), heightField, 20000)},
        {"more pixels than allowed", withU32(withU32(plain, widthField, 8193), heightField, 4096)},
        {"wider than the pixel data", withU32(plain, widthField, 5)},
        {"bit count 0", withU32(plain, bitCountField - 2, 1)},  // planes 1, bits 0
        {"bit count 2", withU32(plain, bitCountField - 2, 1 | 2 << 16)},
        {"bit count 7", withU32(plain, bitCountField - 2, 1 | 7 << 16)},
        {"JPEG compression", withU32(plain, compressionField, 4)},
        {"run-length with 24 bits", bmpBytes([] { BmpLayout s = rle8(goodRle8); s.bits = 24; return s; }())},
        {"bit fields with 8 bits", withU32(plain, compressionField, 3)},
        {"zero bit-field masks", bmpBytes(bitfields32(0, 0, 0))},
        {"huge colour count", withU32(plain, colourCountField, 0x7fffffff)},
        {"257 colours", withU32(plain, colourCountField, 257)},
        {"pixel offset past the end", withU32(plain, pixelOffsetField, 0x7ffffff0)},
        {"pixel offset inside the header", withU32(plain, pixelOffsetField, 20)},
        {"header size 64", withU32(plain, 14, 64)},
        {"header size huge", withU32(plain, 14, 0xfffffff0)},
        {"top-down run-length", withU32(bmpBytes(rle8(goodRle8)), heightField, static_cast<uint32_t>(-2))},
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
        cases.push_back({std::string("RLE8 ") + name, bmpBytes(rle8(stream))});
        cases.push_back({std::string("RLE4 ") + name, bmpBytes(rle4(stream))});
    }
    return cases;
}

}  // namespace

TEST(BrokenBmp, EveryBrokenFileIsRefused)
{
    TempWorkdir dir;
    for (const auto& [name, bytes] : brokenFiles()) {
        SCOPED_TRACE(name);
        BITMAP* bitmap = loadBytes(bytes);
        EXPECT_EQ(bitmap, nullptr);
        if (bitmap)
            destroy_bitmap(bitmap);
    }
}

TEST(BrokenBmp, WhatIsNotAReadableFileIsRefused)
{
    TempWorkdir dir;
    EXPECT_EQ(loadBitmapFile("missing.bmp", nullptr), nullptr);
    makeDirs("folder.bmp");
    EXPECT_EQ(loadBitmapFile("folder.bmp", nullptr), nullptr);
    ASSERT_EQ(mkfifo("pipe.bmp", 0600), 0);
    EXPECT_EQ(loadBitmapFile("pipe.bmp", nullptr), nullptr);  // and does not wait for a writer
}

// The files the broken cases start from do load, so each refusal is down to its one fault.
TEST(BrokenBmp, TheUnbrokenOriginalsLoadWithTheirPixels)
{
    TempWorkdir dir;
    expectRows(loadBytes(bmpBytes(plain8())), {{green, red, green, red}, {red, green, red, green}});
    expectRows(loadBytes(bmpBytes(rle8(goodRle8))), {{red, 0, red, 0}, {red, red, red, red}});
    expectRows(loadBytes(bmpBytes(rle4(goodRle4))), {{red, green, red, 0}, {red, green, red, green}});
    expectRows(loadBytes(bmpBytes(bitfields32(0xff0000, 0xff00, 0xff))), {{red, green}});
}

TEST(BrokenBmp, RunLengthMayEndWithoutEndMarkerOnceEveryRowIsDone)
{
    TempWorkdir dir;
    expectRows(loadBytes(bmpBytes(rle8(std::string("\4\2\0\0\4\1\0\0", 8)))),
               {{red, red, red, red}, {green, green, green, green}});
}

// ImageMagick ends rows with a run over the padding; other readers cut such runs off.
TEST(BrokenBmp, RunsPastTheRowEndAreCutOff)
{
    TempWorkdir dir;
    const Rows rows = {{green, green, green, green}, {red, red, red, 0}};
    const std::string rle8Rows("\3\1\2\0\0\0\4\2\0\3\2\2\2\0\0\1", 16);
    expectRows(loadBytes(bmpBytes(rle8(rle8Rows))), rows);
    const std::string rle4Rows("\3\x11\2\0\0\0\0\7\x22\x22\x22\x20\0\1", 14);
    expectRows(loadBytes(bmpBytes(rle4(rle4Rows))), rows);
    const std::string jumpPastTheEdge("\0\2\7\0\0\0\4\2\0\1", 10);
    expectRows(loadBytes(bmpBytes(rle8(jumpPastTheEdge))), {{green, green, green, green}, {0, 0, 0, 0}});
}

TEST(BrokenBmp, PaletteEntriesTheFileLacksAreZero)
{
    TempWorkdir dir;
    BmpLayout layout;
    layout.width = 2;
    layout.height = 1;
    layout.bits = 4;
    layout.colours = 16;
    for (uint32_t i = 0; i < 16; i++)
        layout.palette.push_back(i * 0x040404);
    layout.palette[1] = red;
    layout.pixels = std::string("\x1f\0\0\0", 4);
    PALETTE palette;
    memset(palette, 0x2a, sizeof palette);
    writeFile("case.bmp", bmpBytes(layout));
    BITMAP* bitmap = loadBitmapFile("case.bmp", palette);
    ASSERT_NE(bitmap, nullptr);
    destroy_bitmap(bitmap);
    EXPECT_EQ(palette[1].r, 63);
    EXPECT_EQ(palette[15].g, 15);
    for (int i = 16; i < PAL_SIZE; i++)
        ASSERT_EQ(palette[i].r | palette[i].g | palette[i].b | palette[i].filler, 0) << "entry " << i;
}
