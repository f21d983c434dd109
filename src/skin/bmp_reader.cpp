#include "skin/bmp_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "os/whole_file.h"

namespace {

// Far beyond any skin, yet small enough that a lying header cannot make
// Allegro allocate more than about 128 MB.
constexpr int64_t maxSide = 16384;
constexpr int64_t maxPixels = int64_t(1) << 25;

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t BI_ALPHABITFIELDS = 6;

constexpr size_t fileHeaderSize = 14;
constexpr size_t infoHeaderSize = 40;
constexpr size_t os2HeaderSize = 12;
constexpr size_t masksAt = fileHeaderSize + infoHeaderSize;
constexpr size_t masksSize = 12;
constexpr size_t alphaMaskAt = masksAt + masksSize;  // in a V3 or later header, or after a 40-byte one
constexpr uint32_t topByte = 0xff000000;
constexpr size_t maxNormalHeader = masksAt + masksSize + 256 * 4;

// What a checked file holds, in the terms of the 40-byte header Allegro reads.
struct BmpLayout {
    int64_t width = 0;
    int64_t decodeWidth = 0;  // wider than width when runs pass the rows' end
    int64_t height = 0;  // always positive; topDown tells the row order
    bool topDown = false;
    unsigned bits = 0;
    uint32_t compression = BI_RGB;
    size_t paletteAt = 0;
    size_t paletteEntries = 0;
    size_t paletteEntrySize = 4;
    size_t pixelsAt = 0;
    size_t pixelsSize = 0;
    uint32_t alphaMask = 0;  // declared by the header; 0 when it declares none
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

void putU16(unsigned char* out, uint32_t value)
{
    out[0] = static_cast<unsigned char>(value);
    out[1] = static_cast<unsigned char>(value >> 8);
}

void putU32(unsigned char* out, uint32_t value)
{
    putU16(out, value);
    putU16(out + 2, value >> 16);
}

bool readWindowsHeader(const std::string& file, uint32_t headerSize, BmpLayout& bmp)
{
    // 40 bytes and its later extensions, which keep the same first 40 bytes.
    static const uint32_t knownSizes[] = {40, 52, 56, 108, 124};
    if (std::find(std::begin(knownSizes), std::end(knownSizes), headerSize) == std::end(knownSizes))
        return false;
    int32_t height = static_cast<int32_t>(u32At(file, 22));
    bmp.width = static_cast<int32_t>(u32At(file, 18));
    bmp.topDown = height < 0;
    bmp.height = bmp.topDown ? -int64_t(height) : height;
    bmp.bits = u16At(file, 28);
    bmp.compression = u32At(file, 30);
    bmp.paletteEntries = u32At(file, 46);
    bmp.paletteAt = fileHeaderSize + headerSize;
    const bool masked = bmp.compression == BI_BITFIELDS || bmp.compression == BI_ALPHABITFIELDS;
    if (headerSize == infoHeaderSize && masked)  // the masks follow a 40-byte header
        bmp.paletteAt += bmp.compression == BI_ALPHABITFIELDS ? masksSize + 4 : masksSize;
    const bool alphaMaskWritten = bmp.compression == BI_ALPHABITFIELDS || headerSize >= 56;
    if (masked && alphaMaskWritten && file.size() >= alphaMaskAt + 4)
        bmp.alphaMask = u32At(file, alphaMaskAt);
    return bmp.paletteEntries <= 256;
}

bool readInfoHeader(const std::string& file, BmpLayout& bmp)
{
    uint32_t headerSize = u32At(file, fileHeaderSize);
    if (headerSize == os2HeaderSize) {
        bmp.width = u16At(file, 18);
        bmp.height = u16At(file, 20);
        bmp.bits = u16At(file, 24);
        bmp.paletteEntrySize = 3;
        bmp.paletteAt = fileHeaderSize + os2HeaderSize;
    } else if (!readWindowsHeader(file, headerSize, bmp)) {
        return false;
    }
    if (bmp.bits > 8)
        bmp.paletteEntries = 0;  // an optional colour table Allegro has no use for
    else if (bmp.paletteEntries == 0)
        bmp.paletteEntries = size_t(1) << bmp.bits;
    return true;
}

bool sizeIsSane(const BmpLayout& bmp)
{
    return bmp.width > 0 && bmp.height > 0 && bmp.width <= maxSide && bmp.height <= maxSide
        && bmp.width * bmp.height <= maxPixels;
}

// Only the masks Allegro recognises: 5-5-5 and 5-6-5 in 16 bits, 8-8-8 in 32.
bool masksAreKnown(const std::string& file, unsigned bits)
{
    if (file.size() < masksAt + masksSize)
        return false;
    uint32_t red = u32At(file, masksAt), green = u32At(file, masksAt + 4), blue = u32At(file, masksAt + 8);
    if (bits == 16)
        return blue == 0x1f && ((red == 0x7c00 && green == 0x3e0) || (red == 0xf800 && green == 0x7e0));
    return bits == 32 && blue == 0xff && green == 0xff00 && red == 0xff0000;
}

// The bit count and compression pairs Allegro decodes correctly.
bool formatIsKnown(const std::string& file, const BmpLayout& bmp)
{
    switch (bmp.compression) {
    case BI_RGB:
        return bmp.bits == 1 || bmp.bits == 4 || bmp.bits == 8 || bmp.bits == 16 || bmp.bits == 24 || bmp.bits == 32;
    case BI_RLE8:
        return bmp.bits == 8 && !bmp.topDown;
    case BI_RLE4:
        return bmp.bits == 4 && !bmp.topDown;
    case BI_BITFIELDS:
        return masksAreKnown(file, bmp.bits);
    case BI_ALPHABITFIELDS:
        return bmp.bits == 32 && masksAreKnown(file, bmp.bits);
    default:
        return false;
    }
}

// Follows a run-length stream exactly as Allegro will, refusing jumps below the
// bitmap and streams without an end. Runs past a row's end (ImageMagick writes
// them) widen the bitmap Allegro decodes into. Returns the bytes taken, 0 when broken.
size_t walkRunLength(const unsigned char* data, size_t size, BmpLayout& bmp)
{
    size_t at = 0;
    int64_t x = 0;
    int64_t line = bmp.height - 1;
    while (size - at >= 2) {
        unsigned count = data[at], value = data[at + 1];
        at += 2;
        if (count > 0) {
            x += count;
        } else if (value == 0) {  // end of line
            x = 0;
            if (--line < 0)
                return at;
        } else if (value == 1) {  // end of bitmap
            return at;
        } else if (value == 2) {  // jump right and up
            if (size - at < 2)
                return 0;
            x += data[at];
            line -= data[at + 1];
            at += 2;
            if (line < 0)
                return 0;
        } else {  // literal pixels, padded to a 16-bit boundary
            size_t bytes = bmp.compression == BI_RLE4 ? (value + 3) / 4 * 2 : (value + 1) / 2 * 2;
            if (size - at < bytes)
                return 0;
            x += value;
            at += bytes;
        }
        if (x > maxSide)
            return 0;
        bmp.decodeWidth = std::max(bmp.decodeWidth, x);
    }
    return 0;
}

bool findPixels(const std::string& file, BmpLayout& bmp)
{
    size_t pixelsAt = u32At(file, 10);
    if (pixelsAt < bmp.paletteAt || pixelsAt > file.size())
        return false;
    // Some writers store fewer colours than they declare; the rest stay zero.
    bmp.paletteEntries = std::min(bmp.paletteEntries, (pixelsAt - bmp.paletteAt) / bmp.paletteEntrySize);
    bmp.pixelsAt = pixelsAt;
    bmp.decodeWidth = bmp.width;
    size_t available = file.size() - pixelsAt;
    if (bmp.compression == BI_RLE8 || bmp.compression == BI_RLE4) {
        bmp.pixelsSize = walkRunLength(reinterpret_cast<const unsigned char*>(file.data()) + pixelsAt, available, bmp);
        return bmp.pixelsSize > 0 && bmp.decodeWidth * bmp.height <= maxPixels;
    }
    uint64_t rowSize = (uint64_t(bmp.width) * bmp.bits + 31) / 32 * 4;
    bmp.pixelsSize = rowSize * bmp.height;
    return bmp.pixelsSize <= available;
}

bool checkFile(const std::string& file, BmpLayout& bmp)
{
    return file.size() >= fileHeaderSize + 4 && file[0] == 'B' && file[1] == 'M'
        && file.size() >= fileHeaderSize + u32At(file, fileHeaderSize) && readInfoHeader(file, bmp)
        && sizeIsSane(bmp) && formatIsKnown(file, bmp) && findPixels(file, bmp);
}

// Allegro reads only bottom-up rows.
void flipRows(std::string& file, const BmpLayout& bmp)
{
    size_t rowSize = bmp.pixelsSize / bmp.height;
    char* top = &file[bmp.pixelsAt];
    char* bottom = top + bmp.pixelsSize - rowSize;
    for (; top < bottom; top += rowSize, bottom -= rowSize)
        std::swap_ranges(top, top + rowSize, bottom);
}

// The 40-byte form Allegro reads, with the masks or the palette right after it,
// where Allegro expects the pixels to follow without a gap. Returns its length.
size_t writeNormalHeader(const std::string& file, const BmpLayout& bmp, unsigned char* out)
{
    size_t length = masksAt;
    std::memset(out, 0, maxNormalHeader);
    const bool masked = bmp.compression == BI_BITFIELDS || bmp.compression == BI_ALPHABITFIELDS;
    if (masked) {
        std::memcpy(out + length, file.data() + masksAt, masksSize);
        length += masksSize;
    }
    for (size_t i = 0; i < bmp.paletteEntries; i++, length += 4)
        std::memcpy(out + length, file.data() + bmp.paletteAt + i * bmp.paletteEntrySize, 3);
    out[0] = 'B';
    out[1] = 'M';
    putU32(out + 2, static_cast<uint32_t>(length + bmp.pixelsSize));
    putU32(out + 10, static_cast<uint32_t>(length));
    putU32(out + 14, infoHeaderSize);
    putU32(out + 18, static_cast<uint32_t>(bmp.decodeWidth));
    putU32(out + 22, static_cast<uint32_t>(bmp.height));
    putU16(out + 26, 1);
    putU16(out + 28, bmp.bits);
    putU32(out + 30, masked ? BI_BITFIELDS : bmp.compression);
    putU32(out + 34, static_cast<uint32_t>(bmp.pixelsSize));
    putU32(out + 46, static_cast<uint32_t>(bmp.paletteEntries));
    return length;
}

// A read-only stream over the normal header followed by the checked pixels.
struct MemoryStream {
    const unsigned char* head;
    size_t headSize;
    const unsigned char* body;
    size_t bodySize;
    size_t at = 0;

    size_t size() const { return headSize + bodySize; }
    int byteAt(size_t i) const { return i < headSize ? head[i] : body[i - headSize]; }
};

MemoryStream& streamOf(void* userdata)
{
    return *static_cast<MemoryStream*>(userdata);
}

int streamGetc(void* userdata)
{
    MemoryStream& s = streamOf(userdata);
    return s.at < s.size() ? s.byteAt(s.at++) : EOF;
}

int streamUngetc(int c, void* userdata)
{
    MemoryStream& s = streamOf(userdata);
    if (s.at == 0)
        return EOF;
    s.at--;
    return c;
}

long streamRead(void* p, long n, void* userdata)
{
    MemoryStream& s = streamOf(userdata);
    unsigned char* out = static_cast<unsigned char*>(p);
    long done = 0;
    for (; done < n && s.at < s.size(); done++)
        out[done] = static_cast<unsigned char>(s.byteAt(s.at++));
    return done;
}

int streamPutc(int, void*)
{
    return EOF;
}

long streamWrite(const void*, long, void*)
{
    return 0;
}

int streamSeek(void* userdata, int offset)
{
    MemoryStream& s = streamOf(userdata);
    if (offset < 0 || static_cast<size_t>(offset) > s.size() - s.at)
        return -1;
    s.at += offset;
    return 0;
}

int streamEof(void* userdata)
{
    MemoryStream& s = streamOf(userdata);
    return s.at >= s.size();
}

int streamError(void*)
{
    return 0;
}

int streamClose(void*)
{
    return 0;
}

const PACKFILE_VTABLE memoryVtable = {streamClose, streamGetc,  streamUngetc, streamRead, streamPutc,
                                      streamWrite, streamSeek, streamEof,    streamError};

// Drops the spare columns that runs past the rows' end were decoded into.
BITMAP* cropToWidth(BITMAP* decoded, int width)
{
    if (!decoded || decoded->w == width)
        return decoded;
    BITMAP* bitmap = create_bitmap_ex(bitmap_color_depth(decoded), width, decoded->h);
    if (bitmap)
        blit(decoded, bitmap, 0, 0, 0, 0, width, decoded->h);
    destroy_bitmap(decoded);
    return bitmap;
}

BITMAP* decode(const std::string& file, const BmpLayout& bmp, RGB* palette)
{
    unsigned char head[maxNormalHeader];
    MemoryStream stream{head, writeNormalHeader(file, bmp, head),
                        reinterpret_cast<const unsigned char*>(file.data()) + bmp.pixelsAt, bmp.pixelsSize};
    // Allegro converts paletted pixels through its own palette when given none,
    // reading entries the file did not fill.
    PALETTE zeroed = {};
    if (!palette && bmp.bits <= 8)
        palette = zeroed;
    PACKFILE* packfile = pack_fopen_vtable(&memoryVtable, &stream);
    if (!packfile)
        return nullptr;
    BITMAP* bitmap = load_bmp_pf(packfile, palette);
    pack_fclose(packfile);
    return cropToWidth(bitmap, static_cast<int>(bmp.width));
}

// The fourth byte of each pixel of a checked 32-bit file with bottom-up rows.
// Alpha only under a declared top-byte mask, and only when some pixel is not
// fully transparent: files that declare the mask but leave it zero are opaque
// pictures, as every viewer shows them.
void readFourthBytes(const std::string& file, const BmpLayout& bmp, FourthBytes& fourth)
{
    fourth = FourthBytes{};
    if (bmp.bits != 32)
        return;
    const size_t width = size_t(bmp.width), height = size_t(bmp.height);
    std::vector<uint8_t> bytes(width * height);
    uint8_t any = 0;
    for (size_t y = 0; y < height; ++y) {
        const char* row = file.data() + bmp.pixelsAt + (height - 1 - y) * width * 4;
        for (size_t x = 0; x < width; ++x)
            any |= bytes[y * width + x] = static_cast<uint8_t>(row[x * 4 + 3]);
    }
    if (bmp.alphaMask == topByte && any)
        fourth.alpha = std::move(bytes);
    else
        fourth.ignored = any != 0;
}

}  // namespace

BITMAP* loadBitmapFile(const char* path, RGB* palette, FourthBytes* fourth)
{
    if (palette)
        std::memset(palette, 0, sizeof(PALETTE));
    if (fourth)
        *fourth = FourthBytes{};
    std::string file;
    BmpLayout bmp;
    if (readWholeFile(path, file) != FileRead::Ok || !checkFile(file, bmp))
        return nullptr;
    if (bmp.topDown)
        flipRows(file, bmp);
    BITMAP* bitmap = decode(file, bmp, palette);
    if (bitmap && fourth)
        readFourthBytes(file, bmp, *fourth);
    return bitmap;
}
