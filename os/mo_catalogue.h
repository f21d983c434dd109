// A compiled gettext catalogue (.mo) held in memory, as Windows keeps ours
// among the executable's resources. Only what the program needs: plain
// entries, looked up by their English text.
#pragma once

#include <cstddef>

class MoCatalogue {
public:
    // Reads the catalogue in place; the bytes must outlive it. Anything that is
    // not a well-formed little-endian catalogue gives an empty one.
    MoCatalogue(const void* bytes, size_t size);

    // The translation of english, or nullptr when the catalogue has none.
    const char* find(const char* english) const;
    // The form for count of a counted text's translation, english being its
    // singular, or nullptr when the catalogue has none.
    const char* findPlural(const char* english, unsigned long count) const;
    bool isEmpty() const { return count == 0; }

private:
    // The index of english among the originals, or count when it is not there.
    unsigned indexOf(const char* english) const;
    // The string an entry of a table at tableOffset names, or nullptr if it lies outside the bytes.
    // length, when given, receives its length (all of a counted text's forms).
    const char* string(size_t tableOffset, unsigned index, size_t* length = nullptr) const;
    unsigned read32(size_t offset) const;

    const unsigned char* bytes = nullptr;
    size_t size = 0;
    unsigned count = 0;
    size_t originals = 0;
    size_t translations = 0;
    const char* header = nullptr;  // the translation of "", which holds the plural rule
};
