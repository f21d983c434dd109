// Why a BMP file was not read, told to the skin's author in their language.
#pragma once

#include <cstdint>
#include <string>

enum class BmpFault {
    NoFault,
    Missing,
    Unreadable,  // not a regular file, too big a file, or not readable
    NotBmp,
    CutShort,
    TooLarge,
    HeaderSize,
    BitDepth,
    Compression,
    CompressionAtDepth,  // a compression not read at this bit depth
    Damaged,             // its header contradicts itself or its data
};

// Far beyond any skin, yet small enough that a lying header cannot make the
// reader allocate more than 128 MB.
constexpr int64_t maxBmpSide = 16384;
constexpr int64_t maxBmpPixels = int64_t(1) << 25;

// The fault and the header's values that go with it.
struct BmpRefusal {
    BmpFault fault = BmpFault::NoFault;
    uint32_t headerSize = 0;
    unsigned bits = 0;
    uint32_t compression = 0;
    int64_t width = 0, height = 0;
};

// One sentence naming the file as given; empty for BmpFault::NoFault.
std::string explainRefusal(const std::string& name, const BmpRefusal& refusal);
