// Handles of the layer's own objects (regions, menus, memory DCs, bitmaps):
// numbers that are never an object's address and never given out twice, so
// that a stale handle finds nothing, not the object that came to live where
// its own was, as on Windows.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace core {

// One count for every kind, so that no two live objects share a handle.
inline uintptr_t newHandle()
{
    static uintptr_t last = 0;
    return ++last << 4 | 8;
}

template <typename Object>
class Handles {
public:
    template <typename Handle>
    Handle add(std::unique_ptr<Object> object)
    {
        entries.push_back({newHandle(), std::move(object)});
        return reinterpret_cast<Handle>(entries.back().handle);
    }

    // The live object of the handle; null for any other handle.
    Object* find(const void* handle) const
    {
        auto found = at(handle);
        return found == entries.end() ? nullptr : found->object.get();
    }

    // Takes the object out; null when the handle is not live.
    std::unique_ptr<Object> remove(const void* handle)
    {
        auto found = at(handle);
        if (found == entries.end())
            return nullptr;
        std::unique_ptr<Object> object = std::move(found->object);
        entries.erase(found);
        return object;
    }

    // The handle of a live object, for code that holds the object.
    const void* handleOf(const Object* object) const
    {
        for (const Entry& entry : entries)
            if (entry.object.get() == object)
                return reinterpret_cast<const void*>(entry.handle);
        return nullptr;
    }

    template <typename Visit>
    void forEach(Visit visit) const
    {
        for (const Entry& entry : entries)
            visit(*entry.object);
    }

private:
    struct Entry {
        uintptr_t handle;
        std::unique_ptr<Object> object;
    };

    typename std::vector<Entry>::const_iterator at(const void* handle) const
    {
        const auto value = reinterpret_cast<uintptr_t>(handle);
        return std::find_if(entries.begin(), entries.end(), [&](const Entry& entry) { return entry.handle == value; });
    }
    typename std::vector<Entry>::iterator at(const void* handle)
    {
        const auto value = reinterpret_cast<uintptr_t>(handle);
        return std::find_if(entries.begin(), entries.end(), [&](const Entry& entry) { return entry.handle == value; });
    }

    std::vector<Entry> entries;
};

}  // namespace core
