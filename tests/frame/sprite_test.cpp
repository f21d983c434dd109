#include <gtest/gtest.h>

#include <allegro.h>

#include <cstdint>
#include <cstring>
#include <random>

#include "frame/sprite.h"
#include "support/fixtures.h"

namespace {

// Random pixels, about a third of them magenta, some others differing from it
// in the byte Allegro ignores for colour but compares for the mask.
BITMAP* randomBitmap(std::mt19937& random, int width, int height)
{
    BITMAP* bitmap = makeBitmap(width, height, 0);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(bitmap->line[y]);
        for (int x = 0; x < width; ++x) {
            uint32_t pick = random() % 6;
            row[x] = pick < 2 ? uint32_t(MASK_COLOR_32) : pick == 2 ? 0xFF000000u | MASK_COLOR_32 : random();
        }
    }
    return bitmap;
}

bool samePixels(BITMAP* a, BITMAP* b)
{
    for (int y = 0; y < a->h; ++y)
        if (std::memcmp(a->line[y], b->line[y], size_t(a->w) * 4) != 0)
            return false;
    return true;
}

TEST(Sprite, GivesAllegrosPixelsForRandomSizesPlacesAndClips)
{
    std::mt19937 random(20261208);
    auto upTo = [&](int n) { return int(random() % uint32_t(n + 1)); };
    for (int round = 0; round < 2000; ++round) {
        int width = 1 + upTo(70), height = 1 + upTo(50);
        BITMAP* ours = randomBitmap(random, width, height);
        BITMAP* theirs = makeBitmap(width, height, 0);
        blit(ours, theirs, 0, 0, 0, 0, width, height);
        BITMAP* sprite = randomBitmap(random, 1 + upTo(80), 1 + upTo(60));
        int x = upTo(2 * width + sprite->w) - sprite->w, y = upTo(2 * height + sprite->h) - sprite->h;
        if (round % 3 == 0) {
            // Corners in any order and partly outside: Allegro orders and cuts them itself.
            int x1 = upTo(width + 8) - 4, y1 = upTo(height + 8) - 4, x2 = upTo(width + 8) - 4, y2 = upTo(height + 8) - 4;
            set_clip_rect(ours, x1, y1, x2, y2);
            set_clip_rect(theirs, x1, y1, x2, y2);
        }
        draw_sprite(theirs, sprite, x, y);
        drawSprite(ours, sprite, x, y);
        ASSERT_TRUE(samePixels(ours, theirs)) << "round " << round << ": " << sprite->w << "x" << sprite->h
                                              << " at " << x << "," << y << " on " << width << "x" << height;
        destroy_bitmap(ours);
        destroy_bitmap(theirs);
        destroy_bitmap(sprite);
    }
}

TEST(Sprite, StaysInsideTheTargetWithClippingOffAndFarOffPlaces)
{
    BITMAP* target = makeBitmap(8, 4, 0);
    BITMAP* sprite = makeBitmap(6, 6, 0x00123456);
    set_clip_state(target, FALSE);  // Allegro would write outside the target here
    drawSprite(target, sprite, 5, 2);
    EXPECT_EQ(getpixel(target, 7, 3), 0x00123456);
    EXPECT_EQ(getpixel(target, 4, 3), 0);
    set_clip_state(target, TRUE);
    drawSprite(target, sprite, INT32_MAX - 2, 0);
    drawSprite(target, sprite, INT32_MIN, INT32_MIN);
    EXPECT_EQ(getpixel(target, 0, 0), 0);
    destroy_bitmap(target);
    destroy_bitmap(sprite);
}

}  // namespace
