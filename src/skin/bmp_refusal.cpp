#include "skin/bmp_refusal.h"

#include <iterator>

#include "os/translation.h"

namespace {

// As the format's documentation names them, which is what an author finds when searching.
std::string compressionName(uint32_t compression)
{
    static const char* const names[] = {"BI_RGB", "BI_RLE8", "BI_RLE4", "BI_BITFIELDS", "BI_JPEG", "BI_PNG",
                                        "BI_ALPHABITFIELDS"};
    return compression < std::size(names) ? names[compression] : std::to_string(compression);
}

}  // namespace

std::string explainRefusal(const std::string& name, const BmpRefusal& refusal)
{
    const std::string bits = std::to_string(refusal.bits);
    switch (refusal.fault) {
    case BmpFault::NoFault:
        return {};
    case BmpFault::Missing:
        // Translators: in these reasons a picture was not read for, the first %s is the file's path.
        return translateWith("%s is missing", {name});
    case BmpFault::Unreadable:
        return translateWith("%s cannot be opened for reading", {name});
    case BmpFault::NotBmp:
        return translateWith("%s is not a BMP file", {name});
    case BmpFault::CutShort:
        return translateWith("%s is cut short: the file ends before its picture does", {name});
    case BmpFault::TooLarge:
        // Translators: the file, its width and height, the most pixels on a side and in all.
        return translateWith("%s is too large: %s x %s pixels, where at most %s on a side and %s in all are read",
                             {name, std::to_string(refusal.width), std::to_string(refusal.height),
                              std::to_string(maxBmpSide), std::to_string(maxBmpPixels)});
    case BmpFault::HeaderSize:
        // Translators: the file and a number of bytes.
        return translateWith("%s has a header of %s bytes, a size that is not read", {name, std::to_string(refusal.headerSize)});
    case BmpFault::BitDepth:
        // Translators: the file and a number of bits.
        return translateWith("%s has %s bits per pixel, a depth that is not read", {name, bits});
    case BmpFault::Compression:
        // Translators: the file and the compression's name (BI_JPEG, BI_PNG) or number.
        return translateWith("%s uses compression %s, which is not read", {name, compressionName(refusal.compression)});
    case BmpFault::CompressionAtDepth:
        // Translators: the file, the compression's name (BI_RLE8, BI_BITFIELDS) and a number of bits.
        return translateWith("%s uses compression %s with %s bits per pixel, which is not read",
                             {name, compressionName(refusal.compression), bits});
    case BmpFault::Damaged:
        return translateWith("%s is damaged: its header contradicts itself or its data", {name});
    }
    return {};
}
