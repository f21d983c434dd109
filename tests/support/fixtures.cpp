#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

BITMAP* makeBitmap(int width, int height, int colour)
{
    BITMAP* bitmap = create_bitmap_ex(32, width, height);
    clear_to_color(bitmap, colour);
    return bitmap;
}

// Allegro names files through the locale's character set, which may not hold
// the path (the C locale holds no "\xe7\x9b\xae"): it writes a plain name, then
// the file takes the real one.
void saveBmp(const std::string& path, BITMAP* bitmap)
{
    const std::string plain = "saving.bmp";
    ASSERT_EQ(save_bmp(plain.c_str(), bitmap, nullptr), 0) << path;
    std::error_code error;
    std::filesystem::rename(plain, path, error);
    ASSERT_FALSE(error) << path << ": " << error.message();
}

std::string alphaBmpBytes(const AlphaBmp& bmp)
{
    std::string bytes;
    auto put = [&](uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += char(value >> (8 * i));
    };
    const bool masksAfterHeader = bmp.headerSize == 40 && bmp.compression != 0;
    const uint32_t masksSize = masksAfterHeader ? (bmp.compression == 6 ? 16 : 12) : 0;
    const uint32_t pixelsAt = 14 + bmp.headerSize + masksSize;
    const uint32_t pixelsSize = uint32_t(bmp.width * bmp.height * 4);
    bytes = "BM";
    put(pixelsAt + pixelsSize, 4);
    put(0, 4);
    put(pixelsAt, 4);
    put(bmp.headerSize, 4);
    put(uint32_t(bmp.width), 4);
    put(uint32_t(bmp.height), 4);
    put(1, 2);
    put(32, 2);
    put(bmp.compression, 4);
    put(pixelsSize, 4);
    for (int i = 0; i < 4; ++i)
        put(0, 4);
    const uint32_t masks[] = {0x00ff0000, 0x0000ff00, 0x000000ff, bmp.alphaMask};
    for (size_t i = 0; i < masksSize / 4 || (bmp.headerSize > 40 && i < 4); ++i)
        put(masks[i], 4);
    bytes.resize(pixelsAt, '\0');
    for (int y = bmp.height - 1; y >= 0; --y)
        for (int x = 0; x < bmp.width; ++x)
            put(bmp.argb[size_t(y) * bmp.width + x], 4);
    return bytes;
}

void saveAlphaBmp(const std::string& path, BITMAP* colours, const std::vector<uint8_t>& alpha)
{
    AlphaBmp bmp{colours->w, colours->h, {}};
    for (int y = 0; y < colours->h; ++y)
        for (int x = 0; x < colours->w; ++x)
            bmp.argb.push_back(uint32_t(alpha[size_t(y) * colours->w + x]) << 24 |
                               (uint32_t(getpixel(colours, x, y)) & 0xffffff));
    writeFile(path, alphaBmpBytes(bmp));
}

int magenta()
{
    return makecol32(255, 0, 255);
}
