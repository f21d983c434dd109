// Every form of BMP is read exactly as stored, and every kind of broken file
// or form not read is refused with the reason.
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

struct Broken {
    std::string name, bytes;
    BmpFault fault;
};

std::vector<Broken> brokenFiles()
{
    using F = BmpFault;
    std::vector<Broken> cases = {
        {"empty", "", F::NotBmp},
        {"text", "just some words, not a picture\n", F::NotBmp},
        {"PNG", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\4\0\0\0\2\10\2\0\0\0", 29), F::NotBmp},
        {"zero height", withU32(plain, heightField, 0), F::Damaged},
        {"negative width", withU32(plain, widthField, uint32_t(-4)), F::Damaged},
        {"height INT_MIN", withU32(plain, heightField, uint32_t(INT_MIN)), F::TooLarge},
        {"100000 x 100000", withU32(withU32(plain, widthField, 100000), heightField, 100000), F::TooLarge},
        {"wider than the pixel data", withU32(plain, widthField, 5), F::CutShort},
        {"bit count 7", withU32(plain, planesAndBitsField, 1 | 7 << 16), F::BitDepth},
        {"JPEG compression", withU32(plain, compressionField, 4), F::Compression},
        {"run-length with 24 bits", withU32(goodRle8, planesAndBitsField, 1 | 24 << 16), F::CompressionAtDepth},
        {"bit fields with 8 bits", withU32(plain, compressionField, 3), F::CompressionAtDepth},
        {"zero bit-field masks", bitfields(32, {0, 0, 0}, redGreen32), F::Damaged},
        {"a mask in two runs", bitfields(32, {0xff0000, 0xf0f0, 0xff}, redGreen32), F::Damaged},
        {"overlapping masks", bitfields(32, {0xff0000, 0xffff00, 0xff}, redGreen32), F::Damaged},
        {"a mask beyond 16 bits", bitfields(16, {0x1f0000, 0x7e0, 0x1f}, std::string(4, '\0')), F::Damaged},
        {"huge colour count", withU32(plain, colourCountField, 0x7fffffff), F::Damaged},
        {"257 colours", withU32(plain, colourCountField, 257), F::Damaged},
        {"pixel offset past the end", withU32(plain, pixelOffsetField, 0x7ffffff0), F::CutShort},
        {"pixel offset inside the header", withU32(plain, pixelOffsetField, 20), F::Damaged},
        {"header size 64", withU32(plain, headerSizeField, 64), F::HeaderSize},
        {"header size huge", withU32(plain, headerSizeField, 0xfffffff0), F::HeaderSize},
        {"top-down run-length", withU32(goodRle8, heightField, uint32_t(-2)), F::Damaged},
    };
    for (size_t cut : {1, 13, 14, 17, 30, 53, 58, 63, 69})
        cases.push_back({"cut at " + std::to_string(cut), plain.substr(0, cut), cut < 2 ? F::NotBmp : F::CutShort});
    const std::tuple<const char*, std::string, BmpFault> brokenStreams[] = {
        {"jump above the top", std::string("\0\2\0\3\0\1", 6), F::Damaged},
        {"literal cut short", std::string("\0\6\1", 3), F::CutShort},
        {"no end", std::string("\4\1", 2), F::CutShort},
        {"odd length", std::string("\4\1\0\0\2", 5), F::CutShort},
    };
    for (const auto& [name, stream, fault] : brokenStreams) {
        cases.push_back({std::string("RLE8 ") + name, rle8(stream), fault});
        cases.push_back({std::string("RLE4 ") + name, rle4(stream), fault});
    }
    return cases;
}

TEST(BrokenBmp, EveryBrokenFileAndWhatIsNoFileIsRefusedAndSaysWhy)
{
    TempWorkdir dir;
    BmpRefusal refusal;
    for (const auto& [name, bytes, fault] : brokenFiles()) {
        writeFile("case.bmp", bytes);
        BITMAP* bitmap = loadBitmapFile("case.bmp", nullptr, nullptr, &refusal);
        EXPECT_EQ(bitmap, nullptr) << name;
        EXPECT_EQ(int(refusal.fault), int(fault)) << name;
        if (bitmap)
            destroy_bitmap(bitmap);
    }
    makeDirs("folder.bmp");
    const std::pair<std::string, BmpFault> noFiles[] = {
        {"missing.bmp", BmpFault::Missing}, {"folder.bmp", BmpFault::Unreadable}, {specialFile(), BmpFault::Unreadable}};
    for (const auto& [path, fault] : noFiles) {  // and a pipe is not waited on
        EXPECT_EQ(loadBitmapFile(path.c_str(), nullptr, nullptr, &refusal), nullptr) << path;
        EXPECT_EQ(int(refusal.fault), int(fault)) << path;
    }
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

// Colours no 6-bit palette keeps, (253, 2, 254) nearly the marker's, and the
// channel widths each form has, all read at full precision.
TEST(BmpForms, EachFormIsReadAsStored)
{
    TempWorkdir dir;
    const uint32_t nearMagenta = 0xfd02fe, rose = 0xff2b33;
    auto indexed = [&](uint16_t bits, const std::string& pixels) {
        return bmpBytes({2, 1, bits, 0, 0, {nearMagenta, rose}, pixels});
    };
    // 5 bits (31, 16, 1) and (3, 7, 24); 6-bit green 32 and 14; 4 bits (15, 8, 1).
    const std::string fiveFive("\x01\x7e\xf8\x0c", 4), fiveSix("\x01\xfc\xd8\x19", 4);
    const struct {
        const char* form;
        std::string bytes;
        Rows rows;
    } forms[] = {
        {"1-bit", indexed(1, std::string("\x40\0\0\0", 4)), {{nearMagenta, rose}}},
        {"4-bit", indexed(4, std::string("\x10\0\0\0", 4)), {{rose, nearMagenta}}},
        {"8-bit", indexed(8, std::string("\1\0\0\0", 4)), {{rose, nearMagenta}}},
        {"16-bit 5-5-5", bmpBytes({2, 1, 16, 0, 0, {}, fiveFive}), {{0xff8408, 0x193ac5}}},
        {"16-bit 5-5-5 bit fields", bitfields(16, {0x7c00, 0x3e0, 0x1f}, fiveFive), {{0xff8408, 0x193ac5}}},
        {"16-bit 5-6-5", bitfields(16, {0xf800, 0x7e0, 0x1f}, fiveSix), {{0xff8208, 0x1939c5}}},
        {"16-bit 4-4-4", bitfields(16, {0xf00, 0xf0, 0xf}, std::string("\x81\x0f\0\0", 4)), {{0xff8811, 0}}},
        {"24-bit", bmpBytes({2, 1, 24, 0, 0, {}, std::string("\xfe\2\xfd\x33\x2b\xff\0\0", 8)}),
         {{nearMagenta, rose}}},
        {"32-bit", bmpBytes({2, 1, 32, 0, 0, {}, std::string("\xfe\2\xfd\0\x33\x2b\xff\0", 8)}),
         {{nearMagenta, rose}}},
        {"32-bit masks in another order",
         bitfields(32, {0xff000000, 0xff0, 0xff0000}, std::string("\x20\0\xfe\xfd\xb0\2\x33\xff", 8)),
         {{nearMagenta, rose}}},
        {"32-bit 10-10-10", bitfields(32, {0x3ff00000, 0xffc00, 0x3ff}, std::string("\0\xad\xf2\x3f\0\0\0\0", 8)),
         {{0xff2a40, 0}}},
    };
    for (const auto& [form, bytes, rows] : forms) {
        SCOPED_TRACE(form);
        expectRows(loadBytes(bytes), rows);
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
