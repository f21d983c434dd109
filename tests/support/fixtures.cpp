#include "support/fixtures.h"

#include <gtest/gtest.h>

BITMAP* makeBitmap(int width, int height, int colour)
{
    BITMAP* bitmap = create_bitmap_ex(32, width, height);
    clear_to_color(bitmap, colour);
    return bitmap;
}

void saveBmp(const std::string& path, BITMAP* bitmap)
{
    ASSERT_EQ(save_bmp(path.c_str(), bitmap, nullptr), 0) << path;
}

int magenta()
{
    return makecol32(255, 0, 255);
}
