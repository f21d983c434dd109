// Counts every heap allocation in the process while a frame is painted and
// presented. Sanitizers bring their own allocator, so they skip this count.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/winmain.h"
#include "frame/paint.h"
#include "headless/headless.h"
#include "skin/skin.h"
#include "support/fixtures.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define GLIMORA_OWN_ALLOCATOR 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define GLIMORA_OWN_ALLOCATOR 1
#endif

#ifndef GLIMORA_OWN_ALLOCATOR
static bool counting = false;
static int allocations = 0;

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);

void* malloc(size_t size)
{
    allocations += counting;
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size)
{
    allocations += counting;
    return __libc_calloc(count, size);
}
void* realloc(void* old, size_t size)
{
    allocations += counting;
    return __libc_realloc(old, size);
}
}
#endif

#ifndef GLIMORA_OWN_ALLOCATOR
// A face of two eyes in a window of its own, drawn whole, then counted over
// frames with the pointer moved from far left to far right.
void expectFramesAllocateNothing(bool alpha)
{
    headless::reset();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "allocation-test";
    RegisterClassA(&windowClass);
    g_hwnd = CreateWindowExA(alpha ? WS_EX_LAYERED : 0, "allocation-test", "eyes", WS_POPUP, 0, 0, 64, 48, nullptr,
                             nullptr, nullptr, nullptr);
    Skin skin;
    skin.hasAlpha = alpha;
    skin.behindPicture.assign(64 * 48, 1);
    skin.mainImage = makeBitmap(64, 48, alpha ? 0 : magenta());
    skin.canvas = makeBitmap(64, 48, 0);
    skin.background = makeBitmap(64, 48, int(0xFFFFFFFF));
    for (int i = 0; i < 2; ++i) {
        skin.pupils[i] = makeBitmap(4, 6, alpha ? int(0xFF000000) : 0);
        skin.eyeBounds[i] = {i * 32, 0, i * 32 + 30, 30};
        skin.eyeCentres[i] = {i * 32 + 15, 15};
    }
    skin.eyeCount = 2;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(g_hwnd, &ps);
    FrameState frame;
    paintEyes(frame, &skin, g_hwnd, dc);  // the first present may size the window's store
    paintChangedEyes(frame, &skin, g_hwnd, dc);

    counting = true;  // the count must see an allocation where there is one
    void* volatile probe = malloc(16);
    counting = false;
    free(probe);
    ASSERT_EQ(allocations, 1);
    allocations = 0;

    for (int x : {-500, 10, 40, 900}) {
        headless::setPointer(x, 20);
        counting = true;
        paintEyes(frame, &skin, g_hwnd, dc);
        headless::setPointer(x + 3, 22);
        lookAtPointer(frame, &skin, g_hwnd);
        paintChangedEyes(frame, &skin, g_hwnd, dc);  // only the moved pupils' areas
        counting = false;
    }
    EndPaint(g_hwnd, &ps);
    EXPECT_EQ(allocations, 0);
    EXPECT_GE(headless::window(g_hwnd)->presents, 5);
    releaseFrame(frame);
    DestroyWindow(g_hwnd);
}
#endif

TEST(Frame, AllocatesNothing)
{
#ifdef GLIMORA_OWN_ALLOCATOR
    GTEST_SKIP() << "the sanitizer's allocator cannot be counted here";
#else
    expectFramesAllocateNothing(false);
#endif
}

// Composed premultiplied and sent through UpdateLayeredWindowIndirect.
TEST(Frame, WithAlphaAllocatesNothing)
{
#ifdef GLIMORA_OWN_ALLOCATOR
    GTEST_SKIP() << "the sanitizer's allocator cannot be counted here";
#else
    expectFramesAllocateNothing(true);
#endif
}
