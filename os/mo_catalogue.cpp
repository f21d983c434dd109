#include "os/mo_catalogue.h"

#include <cstring>

#include "os/plural_rule.h"

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
    header = find("");
}

unsigned MoCatalogue::read32(size_t offset) const
{
    return unsigned(bytes[offset]) | unsigned(bytes[offset + 1]) << 8 | unsigned(bytes[offset + 2]) << 16 |
           unsigned(bytes[offset + 3]) << 24;
}

const char* MoCatalogue::string(size_t tableOffset, unsigned index, size_t* textLength) const
{
    const size_t entry = tableOffset + size_t(index) * entrySize;
    const size_t length = read32(entry);
    if (textLength)
        *textLength = length;
    const size_t offset = read32(entry + 4);
    // The text and its terminating NUL lie within the bytes.
    if (offset >= size || size - offset <= length || bytes[offset + length] != '\0')
        return nullptr;
    return reinterpret_cast<const char*>(bytes + offset);
}

unsigned MoCatalogue::indexOf(const char* english) const
{
    // msgfmt sorts the originals by their bytes; a counted text's singular comes first.
    unsigned low = 0, high = count;
    while (low < high) {
        const unsigned middle = low + (high - low) / 2;
        const char* original = string(originals, middle);
        if (!original)
            return count;
        const int order = std::strcmp(english, original);
        if (order == 0)
            return middle;
        if (order < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return count;
}

const char* MoCatalogue::find(const char* english) const
{
    const unsigned index = indexOf(english);
    return index < count ? string(translations, index) : nullptr;
}

const char* MoCatalogue::findPlural(const char* english, unsigned long number) const
{
    const unsigned index = indexOf(english);
    size_t length = 0;
    const char* forms = index < count ? string(translations, index, &length) : nullptr;
    if (!forms)
        return nullptr;
    // The forms follow each other, each ended by a NUL, within the entry's length.
    const char* end = forms + length;
    for (unsigned long form = pluralForm(header, number); form > 0; --form) {
        forms += std::strlen(forms) + 1;
        if (forms >= end)
            return nullptr;
    }
    return forms;
}
