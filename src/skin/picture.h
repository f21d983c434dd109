// A bitmap owned alone: freed with Allegro's destroy_bitmap when it goes.
#pragma once

#include <allegro.h>

#include <memory>

struct BitmapDeleter {
    void operator()(BITMAP* bitmap) const { destroy_bitmap(bitmap); }
};
using Picture = std::unique_ptr<BITMAP, BitmapDeleter>;
