#include "skin/bmp_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "os/whole_file.h"

namespace {

// The compression field's values, named apart from Win32's BI_ macros for them.
constexpr uint32_t uncompressed = 0;
constexpr uint32_t runLength8 = 1;
constexpr uint32_t runLength4 = 2;
constexpr uint32_t bitFields = 3;
constexpr uint32_t alphaBitFields = 6;

constexpr size_t fileHeaderSize = 14;
constexpr size_t infoHeaderSize = 40;
constexpr size_t os2HeaderSize = 12;
constexpr size_t masksAt = fileHeaderSize + infoHeaderSize;
constexpr size_t masksSize = 12;
constexpr size_t alphaMaskAt = masksAt + masksSize;  // in a V3 or later header, or after a 40-byte one

// What a checked file holds. Masks are red, green, blue and alpha; alpha is 0
// when the header declares none.
struct BmpLayout {
    uint32_t headerSize = 0;
    int64_t width = 0;
    int64_t height = 0;  // always positive; topDown tells the row order
    bool topDown = false;
    unsigned bits = 0;
    uint32_t compression = uncompressed;
    uint32_t masks[4] = {};
    size_t paletteAt = 0;
    size_t paletteEntries = 0;
    size_t paletteEntrySize = 4;
    size_t pixelsAt = 0;
    size_t rowSize = 0;
};

uint32_t u16At(const std::string& file, size_t at)
{
    auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(file[at + i])); };
    return byte(0) | byte(1) << 8;
}

uint32_t u32At(const std::string& file, size_t at)
{
    return u16At(file, at) | u16At(file, at + 2) << 16;
}

bool isMasked(uint32_t compression)
{
    return compression == bitFields || compression == alphaBitFields;
}

bool headerSizeIsKnown(uint32_t headerSize)
{
    // 40 bytes and its later extensions, which keep the same first 40 bytes.
    static const uint32_t knownSizes[] = {os2HeaderSize, 40, 52, 56, 108, 124};
    return std::find(std::begin(knownSizes), std::end(knownSizes), headerSize) != std::end(knownSizes);
}

// The masks of files that declare none: 5-5-5 in 16 bits, 8-8-8 in 24 and 32.
void setDefaultMasks(BmpLayout& bmp)
{
    const bool fiveBits = bmp.bits == 16;
    bmp.masks[0] = fiveBits ? 0x7c00 : 0xff0000;
    bmp.masks[1] = fiveBits ? 0x3e0 : 0xff00;
    bmp.masks[2] = fiveBits ? 0x1f : 0xff;
}

BmpFault readMasks(const std::string& file, BmpLayout& bmp)
{
    if (!isMasked(bmp.compression)) {
        setDefaultMasks(bmp);
        return BmpFault::NoFault;
    }
    const bool alphaMaskWritten = bmp.compression == alphaBitFields || bmp.headerSize >= 56;
    if (file.size() < alphaMaskAt + (alphaMaskWritten ? 4 : 0))
        return BmpFault::CutShort;
    for (int i = 0; i < (alphaMaskWritten ? 4 : 3); i++)
        bmp.masks[i] = u32At(file, masksAt + 4 * i);
    return BmpFault::NoFault;
}

BmpFault readWindowsHeader(const std::string& file, BmpLayout& bmp)
{
    int32_t height = static_cast<int32_t>(u32At(file, 22));
    bmp.width = static_cast<int32_t>(u32At(file, 18));
    bmp.topDown = height < 0;
    bmp.height = bmp.topDown ? -int64_t(height) : height;
    bmp.bits = u16At(file, 28);
    bmp.compression = u32At(file, 30);
    bmp.paletteEntries = u32At(file, 46);
    bmp.paletteAt = fileHeaderSize + bmp.headerSize;
    if (bmp.headerSize == infoHeaderSize && isMasked(bmp.compression))  // the masks follow a 40-byte header
        bmp.paletteAt += bmp.compression == alphaBitFields ? masksSize + 4 : masksSize;
    return bmp.paletteEntries <= 256 ? readMasks(file, bmp) : BmpFault::Damaged;
}

BmpFault readInfoHeader(const std::string& file, BmpLayout& bmp)
{
    if (bmp.headerSize == os2HeaderSize) {
        bmp.width = u16At(file, 18);
        bmp.height = u16At(file, 20);
        bmp.bits = u16At(file, 24);
        bmp.paletteEntrySize = 3;
        bmp.paletteAt = fileHeaderSize + os2HeaderSize;
        setDefaultMasks(bmp);
    } else if (BmpFault fault = readWindowsHeader(file, bmp); fault != BmpFault::NoFault) {
        return fault;
    }
    if (bmp.bits > 8)
        bmp.paletteEntries = 0;  // an optional colour table for displays of few colours
    else if (bmp.paletteEntries == 0)
        bmp.paletteEntries = size_t(1) << bmp.bits;
    return BmpFault::NoFault;
}

BmpFault checkSize(const BmpLayout& bmp)
{
    if (bmp.width <= 0 || bmp.height <= 0)
        return BmpFault::Damaged;
    const bool fits = bmp.width <= maxBmpSide && bmp.height <= maxBmpSide && bmp.width * bmp.height <= maxBmpPixels;
    return fits ? BmpFault::NoFault : BmpFault::TooLarge;
}

// Every colour mask set, each mask one run of bits inside the pixel, no two overlapping.
bool masksAreSound(const BmpLayout& bmp)
{
    const uint32_t pixelBits = bmp.bits == 32 ? 0xffffffff : (uint32_t(1) << bmp.bits) - 1;
    uint32_t taken = 0;
    for (uint32_t mask : bmp.masks) {
        const uint32_t lowest = mask & (~mask + 1);
        if ((mask & taken) || (mask & ~pixelBits) || ((mask + lowest) & mask))
            return false;
        taken |= mask;
    }
    return bmp.masks[0] && bmp.masks[1] && bmp.masks[2];
}

// The bit count and compression pairs read.
BmpFault checkFormat(const BmpLayout& bmp)
{
    switch (bmp.compression) {
    case uncompressed: {
        static const unsigned depths[] = {1, 4, 8, 16, 24, 32};
        return std::count(std::begin(depths), std::end(depths), bmp.bits) ? BmpFault::NoFault : BmpFault::BitDepth;
    }
    case runLength8:
    case runLength4:
        if (bmp.bits != (bmp.compression == runLength8 ? 8u : 4u))
            return BmpFault::CompressionAtDepth;
        return bmp.topDown ? BmpFault::Damaged : BmpFault::NoFault;
    case bitFields:
    case alphaBitFields:
        if (bmp.bits != 16 && bmp.bits != 32)
            return BmpFault::CompressionAtDepth;
        return masksAreSound(bmp) ? BmpFault::NoFault : BmpFault::Damaged;
    default:
        return BmpFault::Compression;
    }
}

BmpFault findPixels(const std::string& file, BmpLayout& bmp)
{
    size_t pixelsAt = u32At(file, 10);
    if (pixelsAt < bmp.paletteAt)
        return BmpFault::Damaged;
    if (pixelsAt > file.size())
        return BmpFault::CutShort;
    // Some writers store fewer colours than they declare; the rest stay black.
    bmp.paletteEntries = std::min(bmp.paletteEntries, (pixelsAt - bmp.paletteAt) / bmp.paletteEntrySize);
    bmp.pixelsAt = pixelsAt;
    if (bmp.compression == runLength8 || bmp.compression == runLength4)
        return BmpFault::NoFault;  // the stream is checked as it is decoded
    bmp.rowSize = size_t((uint64_t(bmp.width) * bmp.bits + 31) / 32 * 4);
    return bmp.rowSize * bmp.height <= file.size() - pixelsAt ? BmpFault::NoFault : BmpFault::CutShort;
}

BmpFault checkFile(const std::string& file, BmpLayout& bmp)
{
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M')
        return BmpFault::NotBmp;
    if (file.size() < fileHeaderSize + 4)
        return BmpFault::CutShort;
    bmp.headerSize = u32At(file, fileHeaderSize);
    if (!headerSizeIsKnown(bmp.headerSize))
        return BmpFault::HeaderSize;
    if (file.size() < fileHeaderSize + bmp.headerSize)
        return BmpFault::CutShort;
    BmpFault fault = readInfoHeader(file, bmp);
    if (fault == BmpFault::NoFault)
        fault = checkSize(bmp);
    if (fault == BmpFault::NoFault)
        fault = checkFormat(bmp);
    return fault == BmpFault::NoFault ? findPixels(file, bmp) : fault;
}

const unsigned char* bytesOf(const std::string& file, size_t at)
{
    return reinterpret_cast<const unsigned char*>(file.data()) + at;
}

uint32_t* pixelsOf(BITMAP* bitmap, int64_t y)
{
    return reinterpret_cast<uint32_t*>(bitmap->line[y]);
}

// Row y of the picture, counted from the top, as the file stores it.
const unsigned char* rowOf(const std::string& file, const BmpLayout& bmp, int64_t y)
{
    const int64_t stored = bmp.topDown ? y : bmp.height - 1 - y;
    return bytesOf(file, bmp.pixelsAt + size_t(stored) * bmp.rowSize);
}

// One channel of a 16-, 24- or 32-bit pixel at 8 bits. A narrower mask is
// widened by one rule for all (the nearest of 256 levels), a wider one keeps
// its top 8 bits.
struct Channel {
    unsigned shift = 0;
    uint32_t top = 0;  // the largest value after the shift, at most 255
    uint8_t levels[256] = {};

    explicit Channel(uint32_t mask)
    {
        if (!mask)
            return;
        while (!(mask >> shift & 1))
            shift++;
        unsigned width = 0;
        while (width < 32 - shift && (mask >> (shift + width) & 1))
            width++;
        shift += width > 8 ? width - 8 : 0;
        top = (uint32_t(1) << std::min(width, 8u)) - 1;
        for (uint32_t value = 0; value <= top; value++)
            levels[value] = static_cast<uint8_t>((value * 255 + top / 2) / top);
    }
    uint8_t of(uint32_t pixel) const { return levels[pixel >> shift & top]; }
};

void decodeMasked(const std::string& file, const BmpLayout& bmp, BITMAP* bitmap, FourthBytes* fourth)
{
    const Channel red(bmp.masks[0]), green(bmp.masks[1]), blue(bmp.masks[2]), alpha(bmp.masks[3]);
    const size_t bytesPerPixel = bmp.bits / 8;
    const uint32_t spare = bmp.bits == 32 ? ~(bmp.masks[0] | bmp.masks[1] | bmp.masks[2] | bmp.masks[3]) : 0;
    std::vector<uint8_t> alphas(fourth && bmp.masks[3] ? size_t(bmp.width * bmp.height) : 0);
    uint32_t spareSet = 0;
    uint8_t alphaSet = 0;
    for (int64_t y = 0; y < bmp.height; y++) {
        const unsigned char* in = rowOf(file, bmp, y);
        uint32_t* out = pixelsOf(bitmap, y);
        uint8_t* alphaOut = alphas.empty() ? nullptr : &alphas[size_t(y * bmp.width)];
        for (int64_t x = 0; x < bmp.width; x++, in += bytesPerPixel) {
            uint32_t pixel = 0;
            for (size_t i = 0; i < bytesPerPixel; i++)
                pixel |= uint32_t(in[i]) << (8 * i);
            out[x] = makecol32(red.of(pixel), green.of(pixel), blue.of(pixel));
            spareSet |= pixel & spare;
            if (alphaOut)
                alphaSet |= alphaOut[x] = alpha.of(pixel);
        }
    }
    // Files that declare alpha but leave it zero everywhere are opaque
    // pictures, as every viewer shows them.
    if (!fourth)
        return;
    fourth->ignored = spareSet != 0;
    if (alphaSet)
        fourth->alpha = std::move(alphas);
}

// The palette at full precision, as pixels; entries the file lacks are black.
void readColours(const std::string& file, const BmpLayout& bmp, uint32_t* colours)
{
    std::fill(colours, colours + PAL_SIZE, 0u);
    for (size_t i = 0; i < bmp.paletteEntries; i++) {
        const unsigned char* entry = bytesOf(file, bmp.paletteAt + i * bmp.paletteEntrySize);
        colours[i] = makecol32(entry[2], entry[1], entry[0]);
    }
}

void decodeIndexed(const std::string& file, const BmpLayout& bmp, const uint32_t* colours, BITMAP* bitmap)
{
    const unsigned bits = bmp.bits, perByte = 8 / bits, lowBits = (1u << bits) - 1;
    for (int64_t y = 0; y < bmp.height; y++) {
        const unsigned char* in = rowOf(file, bmp, y);
        uint32_t* out = pixelsOf(bitmap, y);
        for (int64_t x = 0; x < bmp.width; x++) {
            const unsigned shift = 8 - bits - unsigned(x % perByte) * bits;
            out[x] = colours[in[x / perByte] >> shift & lowBits];
        }
    }
}

// Follows a run-length stream, refusing jumps past the top and streams without
// an end. Pixels that runs put past a row's end (ImageMagick writes them) are
// dropped; those the stream skips keep the first colour.
BmpFault decodeRunLength(const std::string& file, const BmpLayout& bmp, const uint32_t* colours, BITMAP* bitmap)
{
    const unsigned char* data = bytesOf(file, bmp.pixelsAt);
    const size_t size = file.size() - bmp.pixelsAt;
    const bool nibbles = bmp.compression == runLength4;
    size_t at = 0;
    int64_t x = 0, line = bmp.height - 1;
    auto put = [&](unsigned index) {
        if (x < bmp.width)
            pixelsOf(bitmap, line)[x] = colours[index];
        x++;
    };
    while (size - at >= 2) {
        const unsigned count = data[at], value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; i++)
                put(nibbles ? (i % 2 ? value & 15 : value >> 4) : value);
        } else if (value == 0) {  // end of line
            x = 0;
            if (--line < 0)
                return BmpFault::NoFault;
        } else if (value == 1) {  // end of bitmap
            return BmpFault::NoFault;
        } else if (value == 2) {  // jump right and up
            if (size - at < 2)
                return BmpFault::CutShort;
            x += data[at];
            line -= data[at + 1];
            at += 2;
            if (line < 0)
                return BmpFault::Damaged;
        } else {  // literal pixels, padded to a 16-bit boundary
            const size_t bytes = nibbles ? (value + 3) / 4 * 2 : (value + 1) / 2 * 2;
            if (size - at < bytes)
                return BmpFault::CutShort;
            for (unsigned i = 0; i < value; i++)
                put(nibbles ? (data[at + i / 2] >> (i % 2 ? 0 : 4) & 15) : data[at + i]);
            at += bytes;
        }
    }
    return BmpFault::CutShort;
}

BmpFault decodeInto(const std::string& file, const BmpLayout& bmp, BITMAP* bitmap, FourthBytes* fourth)
{
    if (bmp.bits > 8) {
        decodeMasked(file, bmp, bitmap, fourth);
        return BmpFault::NoFault;
    }
    uint32_t colours[PAL_SIZE];
    readColours(file, bmp, colours);
    if (bmp.compression == uncompressed) {
        decodeIndexed(file, bmp, colours, bitmap);
        return BmpFault::NoFault;
    }
    clear_to_color(bitmap, colours[0]);
    return decodeRunLength(file, bmp, colours, bitmap);
}

// The palette as Allegro keeps one: 6 bits a channel, or its 3-3-2 palette for
// a file without one.
void fillPalette(const std::string& file, const BmpLayout& bmp, RGB* palette)
{
    if (bmp.bits > 8) {
        generate_332_palette(palette);
        return;
    }
    for (size_t i = 0; i < bmp.paletteEntries; i++) {
        const unsigned char* entry = bytesOf(file, bmp.paletteAt + i * bmp.paletteEntrySize);
        palette[i] = RGB{static_cast<unsigned char>(entry[2] / 4), static_cast<unsigned char>(entry[1] / 4),
                         static_cast<unsigned char>(entry[0] / 4), 0};
    }
}

BmpFault readFile(const char* path, std::string& file)
{
    switch (readWholeFile(path, file)) {
    case FileRead::Ok:
        return BmpFault::NoFault;
    case FileRead::Missing:
        return BmpFault::Missing;
    default:
        return BmpFault::Unreadable;
    }
}

BITMAP* load(const char* path, RGB* palette, FourthBytes* fourth, BmpRefusal& refusal)
{
    std::string file;
    BmpLayout bmp;
    BmpFault fault = readFile(path, file);
    if (fault == BmpFault::NoFault)
        fault = checkFile(file, bmp);
    refusal = {fault, bmp.headerSize, bmp.bits, bmp.compression, bmp.width, bmp.height};
    if (fault != BmpFault::NoFault)
        return nullptr;
    BITMAP* bitmap = create_bitmap_ex(32, int(bmp.width), int(bmp.height));
    refusal.fault = bitmap ? decodeInto(file, bmp, bitmap, fourth) : BmpFault::TooLarge;
    if (refusal.fault != BmpFault::NoFault) {
        if (bitmap)
            destroy_bitmap(bitmap);
        return nullptr;  // only a run-length stream fails here, which has no alpha
    }
    if (palette)
        fillPalette(file, bmp, palette);
    return bitmap;
}

}  // namespace

BITMAP* loadBitmapFile(const char* path, RGB* palette, FourthBytes* fourth, BmpRefusal* refusal)
{
    if (palette)
        std::memset(palette, 0, sizeof(PALETTE));
    if (fourth)
        *fourth = FourthBytes{};
    BmpRefusal why;
    BITMAP* bitmap = load(path, palette, fourth, why);
    if (refusal)
        *refusal = why;
    return bitmap;
}
