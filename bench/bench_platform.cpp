// The platform core's per-pass and per-frame costs: a poll of an idle queue
// (the main loop does a thousand a second) and one frame handed to a window.
#include <benchmark/benchmark.h>

#include <allegro.h>

#include "skin/allegro_setup.h"
#include <winalleg.h>
#include "headless/headless.h"

namespace {

LRESULT quietProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A shown window with the program's 100 ms timer, on a fresh headless display.
HWND benchWindow(int width, int height)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = quietProc;
        windowClass.lpszClassName = "bench-platform";
        RegisterClassA(&windowClass);
        registered = true;
    }
    headless::reset();
    HWND hwnd = CreateWindowExA(0, "bench-platform", "bench", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                nullptr, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    SetTimer(hwnd, 101, 100, nullptr);
    return hwnd;
}

void BM_PeekIdleQueue(benchmark::State& state)
{
    benchWindow(200, 150);
    MSG msg;
    for (auto _ : state)
        benchmark::DoNotOptimize(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    headless::reset();
}
BENCHMARK(BM_PeekIdleQueue);

void BM_DrawFrameToWindow(benchmark::State& state)
{
    setUpAllegro();
    int side = static_cast<int>(state.range(0));
    HWND hwnd = benchWindow(side, side);
    BITMAP* canvas = create_bitmap_ex(32, side, side);
    clear_to_color(canvas, 0x00123456);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    for (auto _ : state)
        draw_to_hdc(dc, canvas, 0, 0);
    EndPaint(hwnd, &paint);
    destroy_bitmap(canvas);
    headless::reset();
}
BENCHMARK(BM_DrawFrameToWindow)->Arg(256)->Arg(2048)->Unit(benchmark::kMicrosecond);

}  // namespace
