// The layers of a skin whose main picture has alpha, as premultiplied
// 0xAARRGGBB pixels, which blend with one multiply a channel.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <string>

// Turns a bitmap's pixels into premultiplied ones, each with its alpha (opaque
// without any); with keyMagenta the mask colour becomes fully transparent.
void premultiply(BITMAP* bitmap, const uint8_t* alpha, bool keyMagenta);
// A file read with its alpha, premultiplied; null when it cannot be loaded.
BITMAP* loadPremultiplied(const std::string& path, bool keyMagenta);
