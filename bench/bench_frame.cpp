// One whole frame (compose and present to the headless screen) beside a plain
// copy of the same canvas bytes three times, the three layers a frame moves.
#include <benchmark/benchmark.h>

#include "skin/allegro_setup.h"
#include "bench/frame_skins.h"
#include "eyes/paint.h"
#include "globals/globals.h"
#include "platform/headless/headless.h"
#include "skin/skin.h"

namespace {

void frames(benchmark::State& state, Skin* skin)
{
    if (!skin) {
        state.SkipWithError("skin not loaded");
        return;
    }
    headless::reset();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "bench-frame";
    RegisterClassA(&windowClass);
    g_hwnd = CreateWindowExA(0, "bench-frame", "eyes", WS_POPUP, 100, 100, skin->getWidth(), skin->getHeight(),
                             nullptr, nullptr, nullptr, nullptr);
    ShowWindow(g_hwnd, SW_SHOW);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(g_hwnd, &ps);
    int step = 0;
    for (auto _ : state) {
        headless::setPointer(step % 1200, (step * 7) % 900);  // over and beside the eyes
        paintEyes(skin, dc);
        ++step;
    }
    EndPaint(g_hwnd, &ps);
    DestroyWindow(g_hwnd);
    state.SetBytesProcessed(state.iterations() * 3 * int64_t(skin->getWidth()) * skin->getHeight() * 4);
    delete skin;
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

BENCHMARK(BM_FrameDefaultSkin);
BENCHMARK(BM_CopyDefaultSkinCanvasThrice);
BENCHMARK(BM_Frame1024x768With16Eyes);
BENCHMARK(BM_Copy1024x768CanvasThrice);

}  // namespace
