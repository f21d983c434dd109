#include "checker/png_writer.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

#include "os/whole_file.h"

namespace {

void appendBigEndian(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>(value >> shift);
}

void appendChunk(std::string& out, const char* type, const std::string& data)
{
    appendBigEndian(out, static_cast<uint32_t>(data.size()));
    std::string typed = type + data;
    out += typed;
    appendBigEndian(out, crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size())));
}

// PNG keeps straight alpha.
uint32_t unpremultiplied(uint32_t pixel)
{
    const uint32_t alpha = pixel >> 24;
    if (alpha == 0)
        return 0;
    auto channel = [&](int shift) {
        return std::min<uint32_t>(255, (((pixel >> shift) & 0xff) * 255 + alpha / 2) / alpha) << shift;
    };
    return alpha << 24 | channel(16) | channel(8) | channel(0);
}

}  // namespace

// Written with zlib alone, which both platforms have; the file is replaced whole.
bool writePng(const std::string& path, const uint32_t* pixels, int width, int height, bool alpha)
{
    if (width <= 0 || height <= 0)
        return false;
    std::string rows;
    rows.reserve((size_t(width) * (alpha ? 4 : 3) + 1) * height);
    for (int y = 0; y < height; ++y) {
        rows += '\0';  // no filter
        for (int x = 0; x < width; ++x) {
            uint32_t pixel = pixels[size_t(y) * width + x];
            if (alpha)
                pixel = unpremultiplied(pixel);
            rows += {static_cast<char>(pixel >> 16), static_cast<char>(pixel >> 8), static_cast<char>(pixel)};
            if (alpha)
                rows += static_cast<char>(pixel >> 24);
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::vector<Bytef> packed(packedSize);
    if (compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(rows.data()),
                  static_cast<uLong>(rows.size()), Z_BEST_COMPRESSION) != Z_OK)
        return false;

    std::string header;
    appendBigEndian(header, static_cast<uint32_t>(width));
    appendBigEndian(header, static_cast<uint32_t>(height));
    // 8-bit RGB or RGBA, deflate, no filter choice, no interlace
    header += std::string(alpha ? "\x08\x06\0\0\0" : "\x08\x02\0\0\0", 5);
    std::string png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", std::string(packed.begin(), packed.begin() + packedSize));
    appendChunk(png, "IEND", "");
    return replaceFile(path, png);
}
