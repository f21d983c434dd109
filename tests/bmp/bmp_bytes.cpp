#include "bmp/bmp_bytes.h"

namespace {

void appendU16(std::string& bytes, uint32_t value)
{
    bytes += static_cast<char>(value & 0xff);
    bytes += static_cast<char>((value >> 8) & 0xff);
}

void appendU32(std::string& bytes, uint32_t value)
{
    appendU16(bytes, value & 0xffff);
    appendU16(bytes, value >> 16);
}

}  // namespace

std::string bmpBytes(const BmpLayout& layout)
{
    uint32_t pixelsAt = 14 + layout.headerSize + 4 * static_cast<uint32_t>(layout.palette.size());
    std::string bytes = "BM";
    appendU32(bytes, pixelsAt + static_cast<uint32_t>(layout.pixels.size()));
    appendU32(bytes, 0);
    appendU32(bytes, pixelsAt);
    appendU32(bytes, layout.headerSize);
    appendU32(bytes, static_cast<uint32_t>(layout.width));
    appendU32(bytes, static_cast<uint32_t>(layout.height));
    appendU16(bytes, 1);
    appendU16(bytes, layout.bits);
    appendU32(bytes, layout.compression);
    appendU32(bytes, static_cast<uint32_t>(layout.pixels.size()));
    appendU32(bytes, 2835);
    appendU32(bytes, 2835);
    appendU32(bytes, layout.colours);
    appendU32(bytes, 0);
    bytes.resize(14 + layout.headerSize, '\0');
    for (uint32_t colour : layout.palette)
        appendU32(bytes, colour);
    return bytes + layout.pixels;
}

void putU32(std::string& bytes, size_t at, uint32_t value)
{
    std::string le;
    appendU32(le, value);
    bytes.replace(at, 4, le);
}

std::vector<uint32_t> basicPalette()
{
    return {0, red, green};
}
