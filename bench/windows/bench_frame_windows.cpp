// One whole frame on a real window, composed and handed to the display with
// Allegro's draw_to_hdc, beside a plain copy of the same canvas bytes three times.
// Run under Wine it shows what a frame costs there, on displays scaled 1, 2 and 3
// times too; the pointer stays still.
#include <benchmark/benchmark.h>

#include "skin/allegro_setup.h"
#include "bench/frame_skins.h"
#include "frame/paint.h"
#include "globals/globals.h"
#include "skin/skin.h"

namespace {

void frames(benchmark::State& state, Skin* skin)
{
    if (!skin) {
        state.SkipWithError("skin not loaded");
        return;
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "bench-frame";
    RegisterClassA(&windowClass);
    g_hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, "bench-frame", "eyes", WS_POPUP, 100, 100, skin->windowWidth(),
                             skin->windowHeight(), nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(g_hwnd, SW_SHOW);
    HDC dc = GetDC(g_hwnd);
    FrameState frame;
    for (auto _ : state)
        paintEyes(frame, skin, g_hwnd, dc);
    ReleaseDC(g_hwnd, dc);
    releaseFrame(frame);
    DestroyWindow(g_hwnd);
    state.SetBytesProcessed(state.iterations() * 3 * int64_t(skin->getWidth()) * skin->getHeight() * 4);
    delete skin;
}

void BM_FrameDefaultSkinOnAWindow(benchmark::State& state)
{
    setUpAllegro();
    frames(state, loadDefaultSkin(int(state.range(0))));
}
void BM_Frame1024x768With16EyesOnAWindow(benchmark::State& state)
{
    setUpAllegro();
    frames(state, makeLargeSkin());
}

BENCHMARK(BM_FrameDefaultSkinOnAWindow)->ArgName("scale")->Arg(1)->Arg(2)->Arg(3);
BENCHMARK(BM_Frame1024x768With16EyesOnAWindow);

}  // namespace
