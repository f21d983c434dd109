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

int magenta()
{
    return makecol32(255, 0, 255);
}
