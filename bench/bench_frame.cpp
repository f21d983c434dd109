// One whole frame (compose and present to the headless screen) beside a plain
// copy of the same canvas bytes three times, the three layers a frame moves;
// and a timer tick at rest, which the painter skips.
#include <benchmark/benchmark.h>

#include <allegro.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "app/allegro_setup.h"
#include "app/shell.h"
#include "eyes/paint.h"
#include "platform/headless/headless.h"
#include "skin/skin.h"

namespace {

// The bundled default face, loaded the way the program loads it.
Skin* loadDefaultSkin()
{
    if (chdir(GLIMORA_SOURCE_DIR) != 0)
        return nullptr;
    Skin* skin = new Skin();
    if (!skin->load()) {
        delete skin;
        return nullptr;
    }
    return skin;
}

// A 1024 x 768 face with 16 eyes and a background, built in memory.
Skin* makeLargeSkin()
{
    Skin* skin = new Skin();
    skin->mainImage = create_bitmap(1024, 768);
    clear_to_color(skin->mainImage, makecol(200, 160, 60));
    skin->canvas = create_bitmap(1024, 768);
    skin->background = create_bitmap(1024, 768);
    clear_to_color(skin->background, makecol(240, 240, 255));
    for (int i = 0; i < MAX_EYES; ++i) {
        int cx = 64 + (i % 8) * 128, cy = 192 + (i / 8) * 384;
        rectfill(skin->mainImage, cx - 40, cy - 40, cx + 40, cy + 40, bitmap_mask_color(skin->mainImage));
        skin->eyeCentres[i] = {cx, cy};
        skin->eyeBounds[i] = {cx - 41, cy - 41, cx + 41, cy + 41};
        skin->pupils[i] = create_bitmap(12, 16);
        clear_to_color(skin->pupils[i], bitmap_mask_color(skin->pupils[i]));
        ellipsefill(skin->pupils[i], 6, 8, 6, 8, 0);
    }
    skin->eyeCount = MAX_EYES;
    return skin;
}

// The program's own window for the skin, on a fresh headless display.
void openWindow(Skin* skin, WNDPROC procedure)
{
    headless::reset();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = procedure == DefWindowProcA ? "bench-plain" : "bench-eyes";
    RegisterClassA(&windowClass);
    g_hwnd = CreateWindowExA(0, windowClass.lpszClassName, "eyes", WS_POPUP, 100, 100, skin->getWidth(),
                             skin->getHeight(), nullptr, nullptr, nullptr, nullptr);
    ShowWindow(g_hwnd, SW_SHOW);
}

void frames(benchmark::State& state, Skin* skin)
{
    if (!skin) {
        state.SkipWithError("skin not loaded");
        return;
    }
    openWindow(skin, DefWindowProcA);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(g_hwnd, &ps);
    int step = 0;
    for (auto _ : state) {
        composeFrame(skin, step % 1200 - 100, (step * 7) % 900 - 100);  // over and beside the eyes
        presentFrame(skin, dc);
        ++step;
    }
    EndPaint(g_hwnd, &ps);
    DestroyWindow(g_hwnd);
    state.SetBytesProcessed(state.iterations() * 3 * int64_t(skin->getWidth()) * skin->getHeight() * 4);
    delete skin;
}

// A tick with the pointer at rest: the timer's message, the invalidation, and
// the paint message through the program's window procedure, which skips the frame.
void skippedTicks(benchmark::State& state, Skin* skin)
{
    if (!skin) {
        state.SkipWithError("skin not loaded");
        return;
    }
    g_skin = skin;
    openWindow(skin, EyesWndProc);
    InvalidateRect(g_hwnd, nullptr, TRUE);  // the first frame, as the program asks for it
    headless::setPointer(150, 150);
    MSG msg;
    for (auto _ : state) {
        PostMessageA(g_hwnd, WM_TIMER, IDT_EYES, 0);
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    if (headless::window(g_hwnd)->presents != 1)
        state.SkipWithError("ticks at rest were not skipped");
    DestroyWindow(g_hwnd);
    g_skin = nullptr;
    delete skin;
}

void copies(benchmark::State& state, int width, int height)
{
    size_t bytes = size_t(width) * height * 4;
    std::vector<char> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        for (int layer = 0; layer < 3; ++layer) {
            std::memcpy(to.data(), from.data(), bytes);
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(state.iterations() * 3 * int64_t(bytes));
}

void BM_FrameDefaultSkin(benchmark::State& state)
{
    setUpAllegro();
    frames(state, loadDefaultSkin());
}
void BM_CopyDefaultSkinCanvasThrice(benchmark::State& state)
{
    setUpAllegro();
    Skin* skin = loadDefaultSkin();
    copies(state, skin ? skin->getWidth() : 1, skin ? skin->getHeight() : 1);
    delete skin;
}
void BM_Frame1024x768With16Eyes(benchmark::State& state)
{
    setUpAllegro();
    frames(state, makeLargeSkin());
}
void BM_Copy1024x768CanvasThrice(benchmark::State& state)
{
    copies(state, 1024, 768);
}

void BM_SkippedTick1024x768With16Eyes(benchmark::State& state)
{
    setUpAllegro();
    skippedTicks(state, makeLargeSkin());
}

BENCHMARK(BM_FrameDefaultSkin);
BENCHMARK(BM_CopyDefaultSkinCanvasThrice);
BENCHMARK(BM_Frame1024x768With16Eyes);
BENCHMARK(BM_Copy1024x768CanvasThrice);
BENCHMARK(BM_SkippedTick1024x768With16Eyes);

}  // namespace
