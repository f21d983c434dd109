#include <allegro.h>

#include <atomic>
#include <cstddef>
#include <new>

#include <winalleg.h>
#include "test_window.h"

namespace {
std::atomic<long> allocations{0};
}

// Every form is replaced, so that no block from the runtime's own allocator
// meets our release (gtest's sorting takes the nothrow form). glibc's own entry
// points, which no sanitizer or compiler check takes for a mismatch.
extern "C" void* __libc_malloc(size_t);
extern "C" void __libc_free(void*);

void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    ++allocations;
    return __libc_malloc(size ? size : 1);
}

void* operator new(size_t size)
{
    if (void* block = operator new(size, std::nothrow))
        return block;
    throw std::bad_alloc();
}

void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
    return operator new(size, std::nothrow);
}

void* operator new[](size_t size)
{
    return operator new(size);
}

void operator delete(void* block) noexcept
{
    __libc_free(block);
}

void operator delete(void* block, size_t) noexcept
{
    __libc_free(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept
{
    __libc_free(block);
}

void operator delete[](void* block) noexcept
{
    __libc_free(block);
}

void operator delete[](void* block, size_t) noexcept
{
    __libc_free(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    __libc_free(block);
}

namespace {

constexpr uint32_t red = 0x00ff0000, green = 0x0000ff00, blue = 0x000000ff;

// Every WM_PAINT draws `frame`, as the program's painter does.
class Present : public PlatformTest {
protected:
    ~Present() override { destroy_bitmap(canvas); }
    void SetUp() override
    {
        PlatformTest::SetUp();
        clear_to_color(canvas, red);
        rectfill(canvas, 20, 0, 39, 29, green);
        putpixel(canvas, 39, 29, blue);
        frame = canvas;
        handler = [](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT*) {
            if (message == WM_PAINT) {
                PAINTSTRUCT paint;
                BeginPaint(hwnd, &paint);
                draw_to_hdc(paint.hdc, frame, 0, 0);
                EndPaint(hwnd, &paint);
            }
            return false;
        };
    }
    HWND shownWindow()
    {
        HWND hwnd = makeWindow(100, 50, 40, 30);
        ShowWindow(hwnd, SW_SHOW);
        InvalidateRect(hwnd, nullptr, TRUE);
        pump();
        return hwnd;
    }

    BITMAP* const canvas = create_bitmap_ex(32, 40, 30);
    static inline BITMAP* frame = nullptr;
};

TEST_F(Present, TheCanvasReachesTheScreenAtTheWindowInsideItsShape)
{
    HWND hwnd = shownWindow();
    EXPECT_EQ(headless::window(hwnd)->presents, 1);
    EXPECT_EQ(headless::screenPixel(100, 50), red);
    EXPECT_EQ(headless::screenPixel(120, 50), green);
    EXPECT_EQ(headless::screenPixel(139, 79), blue);
    EXPECT_EQ(headless::screenPixel(140, 79), headless::desktopColour);
    EXPECT_EQ(headless::screenPixel(99, 50), headless::desktopColour);

    // The left half only: the rest shows the desktop and lets clicks through.
    SetWindowRgn(hwnd, CreateRectRgn(0, 0, 20, 30), TRUE);
    EXPECT_EQ(headless::screenPixel(119, 60), red);
    EXPECT_EQ(headless::screenPixel(120, 60), headless::desktopColour);
    headless::setPointer(125, 60);
    headless::pressButton(WM_LBUTTONDOWN);
    headless::releaseButton();
    received.clear();
    pump();
    EXPECT_EQ(messages(), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}))
        << "the new shape is painted, erase offered; the click in the cut-out reaches nothing";

    // Taking the shape away shows the whole window again, also after a resize.
    SetWindowRgn(hwnd, nullptr, TRUE);
    MoveWindow(hwnd, 100, 50, 60, 30, TRUE);
    pump();
    EXPECT_EQ(headless::screenPixel(120, 60), green);
    EXPECT_EQ(headless::screenPixel(150, 60), 0u) << "beyond the frame drawn: the black background";

    // Rows come from the bitmap's own stride.
    BITMAP* wide = create_bitmap_ex(32, 100, 30);
    clear_to_color(wide, blue);
    blit(canvas, wide, 0, 0, 60, 0, 40, 30);
    frame = create_sub_bitmap(wide, 60, 0, 40, 30);
    InvalidateRect(hwnd, nullptr, TRUE);
    pump();
    EXPECT_EQ(headless::screenPixel(100, 51), red);
    EXPECT_EQ(headless::screenPixel(120, 79), green);
    destroy_bitmap(frame);
    destroy_bitmap(wide);
}

TEST_F(Present, WhatCannotBeShownWholeIsRefused)
{
    HWND hwnd = shownWindow();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
    BITMAP* deep24 = create_bitmap_ex(24, 40, 30);
    draw_to_hdc(dc, deep24, 0, 0);
    draw_to_hdc(dc, canvas, 5, 0);
    draw_to_hdc(dc, nullptr, 0, 0);
    draw_to_hdc(nullptr, canvas, 0, 0);
    draw_to_hdc(reinterpret_cast<HDC>(hwnd), canvas, 0, 0);
    EXPECT_EQ(headless::window(hwnd)->presents, 1);
    DestroyWindow(hwnd);
    draw_to_hdc(dc, canvas, 0, 0);  // the device context went with its window
    destroy_bitmap(deep24);
}

TEST_F(Present, RepaintingAndIdlePollingAllocateNothing)
{
    HWND hwnd = shownWindow();  // the first frame sizes the window's pixel store
    SetTimer(hwnd, IDOK, 100, nullptr);
    MSG msg;
    received.reserve(received.size() + 64);  // the test's own record must not count
    long before = allocations;
    for (uint64_t end = GetTickCount() + 350; GetTickCount() < end;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER)
                InvalidateRect(hwnd, nullptr, FALSE);
            DispatchMessageA(&msg);
        }
        Sleep(1);
    }
    EXPECT_EQ(allocations - before, 0);
    EXPECT_EQ(headless::window(hwnd)->presents, 4);
}

}  // namespace
