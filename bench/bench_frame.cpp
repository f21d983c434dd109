// One whole frame (compose and present to the headless screen) beside a plain
// copy of the same canvas bytes three times, the three layers a frame moves; a
// frame of the large face in which one eye or all sixteen changed, beside a
// copy of their areas' bytes three times; the default face enlarged 1 to 4
// times (the display's scale times the user's size), whole and after a move,
// beside one copy of a canvas that large; the alpha skin's whole frame and its frame after a move,
// beside one copy of its canvas; and a timer tick at rest, which the painter
// skips. "sent" is the bytes a frame hands the display.
#include <benchmark/benchmark.h>

#include "app/window_proc.h"
#include "app/winmain.h"
#include "bench/frame_skins.h"
#include "frame/paint.h"
#include "globals/globals.h"
#include "headless/headless.h"
#include "skin/allegro_setup.h"
#include "skin/skin.h"

namespace {

// The program's own window for the skin, on a fresh headless display.
void openWindow(Skin* skin, WNDPROC procedure)
{
    headless::reset();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = procedure == DefWindowProcA ? "bench-plain" : "bench-eyes";
    RegisterClassA(&windowClass);
    g_hwnd = CreateWindowExA(skin->hasAlpha ? WS_EX_LAYERED : 0, windowClass.lpszClassName, "eyes", WS_POPUP, 100,
                             100, skin->windowWidth(), skin->windowHeight(), nullptr, nullptr, nullptr, nullptr);
    ShowWindow(g_hwnd, SW_SHOW);
}

// Frames painted by `paint(frame, skin, dc, step)` on the skin's window; `bytes` is what
// one layer of a frame covers, three layers being moved per frame.
template <typename Paint>
void paintedFrames(benchmark::State& state, Skin* skin, int64_t bytes, Paint paint)
{
    openWindow(skin, DefWindowProcA);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(g_hwnd, &ps);
    FrameState frame;
    int step = 0;
    for (auto _ : state)
        paint(frame, skin, dc, step++);
    EndPaint(g_hwnd, &ps);
    state.counters["sent"] = double(headless::window(g_hwnd)->sentPixels * 4) / double(state.iterations());
    releaseFrame(frame);
    DestroyWindow(g_hwnd);
    state.SetBytesProcessed(state.iterations() * 3 * bytes);
    delete skin;
}

void frames(benchmark::State& state, Skin* skin)
{
    if (!skin) {
        state.SkipWithError("skin not loaded");
        return;
    }
    const int64_t bytes = int64_t(skin->getWidth()) * skin->getHeight() * 4;
    paintedFrames(state, skin, bytes, [](FrameState& frame, Skin* skin, HDC dc, int step) {
        composeFrame(skin, step % 1200 - 100, (step * 7) % 900 - 100);  // over and beside the eyes
        presentFrame(frame, skin, g_hwnd, dc);
    });
}

// The areas of the first `eyes` eyes composed and sent, as after a move that changed only those.
void changedEyes(benchmark::State& state, Skin* skin, int eyes)
{
    if (!skin) {
        state.SkipWithError("skin not loaded");
        return;
    }
    int64_t bytes = 0;
    for (int i = 0; i < eyes; ++i) {
        const RECT& area = skin->eyeBounds[i];
        bytes += int64_t(area.right - area.left) * (area.bottom - area.top) * 4;
    }
    paintedFrames(state, skin, bytes, [eyes](FrameState& frame, Skin* skin, HDC dc, int step) {
        for (int i = 0; i < eyes; ++i) {
            const RECT& area = skin->eyeBounds[i];
            composeFrameArea(skin, area.left + step % 80, area.top + (step * 7) % 80, area);
            presentFrameArea(frame, skin, g_hwnd, dc, area);
        }
    });
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

void BM_FrameDefaultSkin(benchmark::State& state)
{
    setUpAllegro();
    frames(state, loadDefaultSkin());
}
// Composed at the face's size, sent each pixel a scale x scale block.
void BM_FrameDefaultSkinAtScale(benchmark::State& state)
{
    setUpAllegro();
    frames(state, loadDefaultSkin(int(state.range(0))));
}
void BM_Frame1024x768With16Eyes(benchmark::State& state)
{
    setUpAllegro();
    frames(state, makeLargeSkin());
}

void BM_Frame1024x768OneEyeChanged(benchmark::State& state)
{
    setUpAllegro();
    changedEyes(state, makeLargeSkin(), 1);
}
void BM_Frame1024x768AllEyesChanged(benchmark::State& state)
{
    setUpAllegro();
    changedEyes(state, makeLargeSkin(), MAX_EYES);
}

void BM_SkippedTick1024x768With16Eyes(benchmark::State& state)
{
    setUpAllegro();
    skippedTicks(state, makeLargeSkin());
}

void BM_FrameGhostSkin(benchmark::State& state)
{
    setUpAllegro();
    frames(state, loadGhostSkin());
}
// The pointer moved by a few pixels each frame, as a mouse moves it, over and
// around the eyes: only the moved pupils' areas composed and sent (enlarged on
// a scaled face; premultiplied and sent through UpdateLayeredWindowIndirect on
// an alpha one).
void pupilsMoved(benchmark::State& state, Skin* skin)
{
    if (!skin) {
        state.SkipWithError("skin not loaded");
        return;
    }
    const int64_t bytes = int64_t(skin->getWidth()) * skin->getHeight() * 4;
    paintedFrames(state, skin, bytes, [](FrameState& frame, Skin* skin, HDC dc, int step) {
        headless::setPointer(100 + skin->windowWidth() * 2 / 5 + step % 90,
                             100 + skin->windowHeight() * 2 / 5 + (step * 7) % 60);
        lookAtPointer(frame, skin, g_hwnd);
        paintChangedEyes(frame, skin, g_hwnd, dc);
    });
}
void BM_FrameGhostSkinPupilsMoved(benchmark::State& state)
{
    setUpAllegro();
    pupilsMoved(state, loadGhostSkin());
}
void BM_FrameDefaultSkinAtScalePupilsMoved(benchmark::State& state)
{
    setUpAllegro();
    pupilsMoved(state, loadDefaultSkin(int(state.range(0))));
}

BENCHMARK(BM_FrameDefaultSkin);
BENCHMARK(BM_FrameGhostSkin);
BENCHMARK(BM_FrameGhostSkinPupilsMoved);
BENCHMARK(BM_FrameDefaultSkinAtScale)->Arg(1)->Arg(2)->Arg(3)->Arg(4);
BENCHMARK(BM_FrameDefaultSkinAtScalePupilsMoved)->Arg(1)->Arg(2)->Arg(4);
BENCHMARK(BM_Frame1024x768With16Eyes);
BENCHMARK(BM_Frame1024x768OneEyeChanged);
BENCHMARK(BM_Frame1024x768AllEyesChanged);
BENCHMARK(BM_SkippedTick1024x768With16Eyes);

}  // namespace
