// Hand-made BMP files, byte for byte, for cases no tool writes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct BmpLayout {
    int32_t width = 4, height = 2;
    uint16_t bits = 8;
    uint32_t compression = 0;
    uint32_t colours = 0;           // the header's colour count, as written
    std::vector<uint32_t> palette;  // 0x00RRGGBB, right after the 40-byte header
    std::string pixels;             // right after the palette
};

// Byte offsets of the fields the tests read or change.
enum : size_t { pixelOffsetField = 10, headerSizeField = 14, widthField = 18, heightField = 22,
                planesAndBitsField = 26, compressionField = 30, colourCountField = 46 };

// Index 1 is pure red and 2 pure green, which survive Allegro's 6-bit palette exactly.
constexpr uint32_t red = 0xff0000, green = 0x00ff00;

inline uint32_t u32At(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; i--)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

inline std::string withU32(std::string bytes, size_t at, uint32_t value)
{
    const char bytesOfValue[] = {char(value), char(value >> 8), char(value >> 16), char(value >> 24)};
    return bytes.replace(at, 4, bytesOfValue, 4);
}

inline std::string bmpBytes(const BmpLayout& layout)
{
    const uint32_t pixelsAt = 54 + 4 * static_cast<uint32_t>(layout.palette.size());
    std::string bytes = "BM" + std::string(pixelsAt - 2, '\0') + layout.pixels;
    const std::pair<size_t, uint32_t> fields[] = {
        {2, static_cast<uint32_t>(bytes.size())}, {pixelOffsetField, pixelsAt}, {headerSizeField, 40},
        {widthField, static_cast<uint32_t>(layout.width)}, {heightField, static_cast<uint32_t>(layout.height)},
        {planesAndBitsField, 1u | layout.bits << 16}, {compressionField, layout.compression},
        {colourCountField, layout.colours}};
    for (auto [at, value] : fields)
        bytes = withU32(bytes, at, value);
    for (size_t i = 0; i < layout.palette.size(); i++)
        bytes = withU32(bytes, 54 + 4 * i, layout.palette[i]);
    return bytes;
}
