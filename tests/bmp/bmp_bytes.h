// Hand-made BMP files, byte for byte, for cases no tool writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BmpLayout {
    int32_t width = 4;
    int32_t height = 2;
    uint16_t bits = 8;
    uint32_t compression = 0;
    uint32_t headerSize = 40;
    uint32_t colours = 0;             // the header's colour count, as written
    std::vector<uint32_t> palette;    // 0x00RRGGBB, stored after the header
    std::string pixels;               // stored right after the palette
};

std::string bmpBytes(const BmpLayout& layout);
void putU32(std::string& bytes, size_t at, uint32_t value);

// Byte offsets of the fields the tests change.
constexpr size_t pixelOffsetField = 10;
constexpr size_t widthField = 18;
constexpr size_t heightField = 22;
constexpr size_t bitCountField = 28;
constexpr size_t compressionField = 30;
constexpr size_t colourCountField = 46;

// Index 1 is pure red and 2 pure green, which survive Allegro's 6-bit palette exactly.
std::vector<uint32_t> basicPalette();
constexpr uint32_t red = 0xff0000;
constexpr uint32_t green = 0x00ff00;
