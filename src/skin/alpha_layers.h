// The layers of a skin whose main picture has alpha, as premultiplied
// 0xAARRGGBB pixels, which blend with one multiply a channel.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <string>
#include <vector>

#include "skin/picture.h"

// Turns a bitmap's pixels into premultiplied ones, each with its alpha (opaque
// without any); with keyMagenta the mask colour becomes fully transparent.
void premultiply(BITMAP* bitmap, const uint8_t* alpha, bool keyMagenta);
// A file read with its alpha, premultiplied; null when it cannot be loaded.
Picture loadPremultiplied(const std::string& path, bool keyMagenta);

// What a picture with alpha adds to its skin.
struct AlphaLayers {
    // One byte a pixel, not zero where the eyes' layers lie behind the picture.
    std::vector<uint8_t> behindPicture;
    // The eye background over the whole face; null without memory.
    Picture background;
};
// Limits the picture's alpha to the mask's black (when there is a mask), finds
// where the eyes lie behind it, premultiplies it, and makes the eye background
// whole from the one loaded (taken, may be null) and the eyes' colour.
AlphaLayers makeAlphaLayers(BITMAP* picture, std::vector<uint8_t> alpha, BITMAP* mask, Picture loadedBackground,
                            int eyeColour);
