// Frames as PNG files, 8-bit RGB, or RGBA for frames with alpha.
#pragma once

#include <cstdint>
#include <string>

// Writes width x height pixels of 0x00RRGGBB, or with alpha premultiplied
// 0xAARRGGBB ones; an existing file at path is replaced only by a complete new
// one. False when it could not be written.
bool writePng(const std::string& path, const uint32_t* pixels, int width, int height, bool alpha = false);
