#include "os/mo_catalogue.h"

#include <cstring>

namespace {

constexpr unsigned magic = 0x950412de;
constexpr size_t headerSize = 28;
constexpr size_t entrySize = 8;  // length, offset

}  // namespace

MoCatalogue::MoCatalogue(const void* data, size_t length)
    : bytes(static_cast<const unsigned char*>(data)), size(length)
{
    if (!bytes || size < headerSize || read32(0) != magic || read32(4) != 0)
        return;
    const size_t entries = read32(8);
    originals = read32(12);
    translations = read32(16);
    const size_t tableBytes = entries * entrySize;
    if (originals > size || size - originals < tableBytes || translations > size || size - translations < tableBytes)
        return;
    count = static_cast<unsigned>(entries);
}

unsigned MoCatalogue::read32(size_t offset) const
{
    return unsigned(bytes[offset]) | unsigned(bytes[offset + 1]) << 8 | unsigned(bytes[offset + 2]) << 16 |
           unsigned(bytes[offset + 3]) << 24;
}

const char* MoCatalogue::string(size_t tableOffset, unsigned index) const
{
    const size_t entry = tableOffset + size_t(index) * entrySize;
    const size_t length = read32(entry);
    const size_t offset = read32(entry + 4);
    // The text and its terminating NUL lie within the bytes.
    if (offset >= size || size - offset <= length || bytes[offset + length] != '\0')
        return nullptr;
    return reinterpret_cast<const char*>(bytes + offset);
}

const char* MoCatalogue::find(const char* english) const
{
    // msgfmt sorts the originals by their bytes.
    unsigned low = 0, high = count;
    while (low < high) {
        const unsigned middle = low + (high - low) / 2;
        const char* original = string(originals, middle);
        if (!original)
            return nullptr;
        const int order = std::strcmp(english, original);
        if (order == 0)
            return string(translations, middle);
        if (order < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return nullptr;
}
