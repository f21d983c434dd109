// 32-bit files with an alpha channel: read in every header form that declares
// one, ignored where none is declared, and broken or lying files refused or
// loaded opaque. An alpha skin's layers are premultiplied, its eyes behind.
#include <algorithm>

#include <gtest/gtest.h>

#include "skin/bmp_bytes.h"
#include "skin/bmp_reader.h"
#include "skin/picture.h"
#include "skin/skin_files.h"

namespace {

// Top row: opaque red, half-transparent green; bottom row: clear blue, a quarter-opaque white.
const std::vector<uint32_t> twoByTwo = {0xffff0000, 0x8000ff00, 0x000000ff, 0x40ffffff};
const std::vector<uint8_t> twoByTwoAlpha = {0xff, 0x80, 0x00, 0x40};

BITMAP* loadBytes(const std::string& bytes, FourthBytes* fourth)
{
    writeFile("case.bmp", bytes);
    return loadBitmapFile("case.bmp", nullptr, fourth);
}

std::string twoByTwoFile(uint32_t headerSize, uint32_t compression, uint32_t alphaMask = 0xff000000)
{
    return alphaBmpBytes({2, 2, twoByTwo, headerSize, compression, alphaMask});
}

TEST(AlphaFiles, EveryHeaderThatDeclaresAnAlphaMaskGivesAlphaAndPlainColours)
{
    TempWorkdir work;
    const std::pair<uint32_t, uint32_t> forms[] = {{56, 3}, {108, 3}, {124, 3}, {40, 6}, {124, 6}};
    for (auto [headerSize, compression] : forms) {
        FourthBytes fourth;
        BITMAP* bitmap = loadBytes(twoByTwoFile(headerSize, compression), &fourth);
        ASSERT_NE(bitmap, nullptr) << headerSize << "/" << compression;
        EXPECT_EQ(fourth.alpha, twoByTwoAlpha) << headerSize << "/" << compression;
        EXPECT_FALSE(fourth.ignored);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(uint32_t(getpixel(bitmap, i % 2, i / 2)), twoByTwo[i] & 0xffffff) << i;
        destroy_bitmap(bitmap);
    }
    // Alpha in the low byte, the colours above it.
    std::vector<uint32_t> rotated;
    for (uint32_t argb : twoByTwo)
        rotated.push_back(argb << 8 | argb >> 24);
    std::string alphaLow = alphaBmpBytes({2, 2, rotated, 124, 3});
    for (auto [at, mask] : {std::pair{54, 0xff000000u}, {58, 0xff0000u}, {62, 0xff00u}, {66, 0xffu}})
        alphaLow = withU32(alphaLow, at, mask);
    FourthBytes lowAlpha;
    BITMAP* lowAlphaBitmap = loadBytes(alphaLow, &lowAlpha);
    ASSERT_NE(lowAlphaBitmap, nullptr);
    EXPECT_EQ(lowAlpha.alpha, twoByTwoAlpha);
    EXPECT_EQ(uint32_t(getpixel(lowAlphaBitmap, 1, 0)), 0x00ff00u);
    destroy_bitmap(lowAlphaBitmap);
    // Top-down rows keep their order.
    std::vector<uint32_t> flipped = {twoByTwo[2], twoByTwo[3], twoByTwo[0], twoByTwo[1]};
    std::string topDown = alphaBmpBytes({2, 2, flipped, 124, 3});
    topDown = withU32(topDown, heightField, uint32_t(-2));
    FourthBytes fourth;
    BITMAP* bitmap = loadBytes(topDown, &fourth);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(fourth.alpha, twoByTwoAlpha);
    destroy_bitmap(bitmap);
}

TEST(AlphaFiles, FourthBytesWithoutADeclaredAlphaMaskAreIgnoredAndTold)
{
    TempWorkdir work;
    const struct {
        const char* name;
        std::string bytes;
        bool ignored;
    } cases[] = {
        {"BI_RGB, as Windows ignores it", twoByTwoFile(40, 0), true},
        {"BI_RGB with a V5 header", twoByTwoFile(124, 0), true},
        {"three masks after a 40-byte header", twoByTwoFile(40, 3), true},
        {"a V5 header with no alpha mask", twoByTwoFile(124, 3, 0), true},
        {"an alpha mask, zero everywhere", alphaBmpBytes({2, 2, {0xff0000, 0xff00, 0xff, 0}, 124, 3}), false},
    };
    for (const auto& c : cases) {
        FourthBytes fourth;
        BITMAP* bitmap = loadBytes(c.bytes, &fourth);
        ASSERT_NE(bitmap, nullptr) << c.name;
        EXPECT_TRUE(fourth.alpha.empty()) << c.name;
        EXPECT_EQ(fourth.ignored, c.ignored) << c.name;
        destroy_bitmap(bitmap);
    }
}

TEST(AlphaFiles, CutOrLyingAlphaFilesAreRefused)
{
    TempWorkdir work;
    const std::string whole = twoByTwoFile(124, 3);
    const std::pair<const char*, std::string> cases[] = {
        {"cut inside the V5 header", whole.substr(0, 14 + 60)},
        {"cut after the masks", whole.substr(0, 14 + 56)},
        {"cut in the pixels", whole.substr(0, whole.size() - 3)},
        {"BI_ALPHABITFIELDS cut before its alpha mask", twoByTwoFile(40, 6).substr(0, 14 + 40 + 14)},
        {"BI_ALPHABITFIELDS at 24 bits", withU32(twoByTwoFile(40, 6), planesAndBitsField, 1u | 24u << 16)},
        {"colour masks that overlap the alpha", withU32(twoByTwoFile(124, 3), 54, 0xffff0000)},
        {"an alpha mask that overlaps red", twoByTwoFile(124, 3, 0x00ff0000)},
    };
    for (const auto& [name, bytes] : cases) {
        FourthBytes fourth;
        EXPECT_EQ(loadBytes(bytes, &fourth), nullptr) << name;
        EXPECT_TRUE(fourth.alpha.empty()) << name;
    }
}

// A 30 x 20 face: opaque, its outer ring clear, then a half-transparent band; one
// white eye whose outline is a quarter-opaque ring the eye shows through.
void writeAlphaSkin(bool withMask)
{
    BITMAP* face = makeBitmap(30, 20, makecol32(200, 100, 0));
    std::vector<uint8_t> alpha(30 * 20, 255);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            const int edge = std::min({x, y, 29 - x, 19 - y});
            alpha[y * 30 + x] = edge == 0 ? 0 : edge == 1 ? 128 : 255;
        }
    rectfill(face, 9, 5, 15, 13, makecol32(60, 60, 60));
    for (int y = 5; y <= 13; ++y)
        for (int x = 9; x <= 15; ++x)
            alpha[y * 30 + x] = 64;
    rectfill(face, 10, 6, 14, 12, makecol32(255, 255, 255));
    for (int y = 6; y <= 12; ++y)
        for (int x = 10; x <= 14; ++x)
            alpha[y * 30 + x] = 255;
    putpixel(face, 12, 9, magenta());
    makeDirs("skins");
    saveAlphaBmp("skins/main.bmp", face, alpha);
    destroy_bitmap(face);
    if (withMask)
        saveInto("skins", "mask.bmp", [] {
            BITMAP* mask = makeBitmap(30, 20, 0);
            rectfill(mask, 20, 0, 29, 19, makecol32(255, 255, 255));
            return mask;
        }());
}

uint32_t at(const Picture& bitmap, int x, int y)
{
    return reinterpret_cast<uint32_t*>(bitmap->line[y])[x];
}

TEST_F(SkinTest, AnAlphaSkinIsPremultipliedWithItsEyeAndTheEyesSoftOutlineBehindThePicture)
{
    writeAlphaSkin(false);
    ASSERT_TRUE(load());
    ASSERT_TRUE(skin->hasAlpha);
    ASSERT_EQ(skin->eyeCount, 1);
    EXPECT_EQ(at(skin->mainImage, 0, 0), 0u) << "clear";
    EXPECT_EQ(at(skin->mainImage, 1, 5), 0x80643200u) << "half-transparent, premultiplied";
    EXPECT_EQ(at(skin->mainImage, 5, 5), 0xffc86400u) << "opaque";
    EXPECT_EQ(at(skin->mainImage, 12, 9), 0u) << "the eye lets what is behind show";
    EXPECT_EQ(at(skin->mainImage, 9, 5), 0x400f0f0fu) << "the eye's soft outline";
    auto behind = [&](int x, int y) { return skin->behindPicture[size_t(y) * 30 + x] != 0; };
    EXPECT_TRUE(behind(12, 9) && behind(9, 5) && behind(15, 13));
    EXPECT_FALSE(behind(8, 5) || behind(1, 5) || behind(0, 0)) << "the face's own edge blends with the desktop";
    EXPECT_EQ(at(skin->background, 9, 5), 0xff000000u | uint32_t(skin->eyeColour));
    EXPECT_EQ(at(skin->background, 1, 5), 0u);
}

TEST_F(SkinTest, AMaskBesideAnAlphaPictureCutsTheFace)
{
    writeAlphaSkin(true);
    ASSERT_TRUE(load());
    ASSERT_TRUE(skin->hasAlpha);
    EXPECT_EQ(at(skin->mainImage, 5, 5), 0xffc86400u);
    EXPECT_EQ(at(skin->mainImage, 25, 5), 0u) << "white in the mask";
}

}  // namespace
