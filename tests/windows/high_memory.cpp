// Linked into a test build of the program: before anything else runs, every
// free place below 4 GiB is taken, so that all later allocations land above it,
// as 64-bit Windows places heaps. Wine on its own keeps them below.
#include <windows.h>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr uintptr_t fourGiB = uintptr_t(1) << 32;

bool high(void* address)
{
    return reinterpret_cast<uintptr_t>(address) >= fourGiB;
}

// The system hands out the lowest free address space first.
void reserveLowAddressSpace()
{
    for (;;) {
        void* area = VirtualAlloc(nullptr, 0x10000, MEM_RESERVE, PAGE_NOACCESS);
        if (!area || high(area)) {
            VirtualFree(area, 0, MEM_RELEASE);
            return;
        }
    }
}

// A heap's own reserve below 4 GiB, used up from large blocks down to small
// ones and kept for the process's life.
template <typename Allocate, typename Release>
void useUpLowHeap(Allocate allocate, Release release)
{
    for (size_t size = size_t(1) << 20; size >= 16; size /= 4) {
        for (;;) {
            void* block = allocate(size);
            if (!block || high(block)) {
                release(block);
                break;
            }
        }
    }
}

struct HighMemory {
    HighMemory()
    {
        reserveLowAddressSpace();
        useUpLowHeap(std::malloc, std::free);
        // The system's own blocks, such as a folder listing's handle, come from here.
        const HANDLE process = GetProcessHeap();
        useUpLowHeap([=](size_t size) { return HeapAlloc(process, 0, size); },
                     [=](void* block) { HeapFree(process, 0, block); });
    }
} highMemory;

}  // namespace
