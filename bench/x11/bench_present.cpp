// Sending one frame to a real X server and waiting until the server has drawn
// it, as the desktop backend does: at scale 1 as a plain image through the
// socket or through shared memory (MIT-SHM, what the program does on a local
// display), and at scales 2 and 3 enlarged by the program (each pixel a block,
// what it does on a scaled display) and sent through shared memory. A frame is
// this plus its composing (glimora_bench), which is the same at every scale.
// Needs a display: xvfb-run -a build/bench/present_bench
#include <benchmark/benchmark.h>

#include <X11/Xutil.h>

#include <cstdint>

#include "frame/enlarge.h"
#include "gtk/shared_frames.h"
#include "skin/allegro_setup.h"

namespace {

constexpr int width = 200, height = 210;  // the bundled default face

// Arguments: the scale, and whether the frame goes through shared memory (1) or the socket (0).
void BM_PresentFrameAtScale(benchmark::State& state)
{
    const int factor = int(state.range(0));
    const bool sharedMemory = state.range(1) != 0;
    static Display* display = XOpenDisplay(nullptr);
    if (!display) {
        state.SkipWithError("no X display");
        return;
    }
    setUpAllegro();
    XVisualInfo wanted{};
    wanted.depth = 24;
    wanted.c_class = TrueColor;
    int count = 0;
    XVisualInfo* info = XGetVisualInfo(display, VisualDepthMask | VisualClassMask, &wanted, &count);
    Window root = DefaultRootWindow(display);
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(display, root, info->visual, AllocNone);
    attributes.override_redirect = True;
    Window window = XCreateWindow(display, root, 0, 0, width * factor, height * factor, 0, 24, InputOutput,
                                  info->visual, CWColormap | CWOverrideRedirect | CWBorderPixel, &attributes);
    XMapWindow(display, window);
    GC gc = XCreateGC(display, window, 0, nullptr);
    BITMAP* canvas = create_bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            reinterpret_cast<uint32_t*>(canvas->line[y])[x] = uint32_t((y * width + x) * 2654435761u) & 0xFFFFFF;
    BITMAP* enlarged = factor > 1 ? create_bitmap(width * factor, height * factor) : canvas;
    XImage* frame = XCreateImage(display, info->visual, 24, ZPixmap, 0, reinterpret_cast<char*>(enlarged->line[0]),
                                 enlarged->w, enlarged->h, 32, enlarged->w * 4);
    SharedFrames shared;
    const RECT whole{0, 0, width, height}, sent = enlargedRect(whole, factor);
    for (auto _ : state) {
        if (factor > 1)
            enlargeArea(canvas, enlarged, factor, whole);
        if (!sharedMemory) {
            XPutImage(display, window, gc, frame, 0, 0, 0, 0, enlarged->w, enlarged->h);
        } else if (!shared.put(display, window, info->visual, gc, *frame, sent)) {
            state.SkipWithError("no shared memory on this display");
            break;
        }
        XSync(display, False);
    }
    shared.release();
    frame->data = nullptr;
    XDestroyImage(frame);
    if (enlarged != canvas)
        destroy_bitmap(enlarged);
    destroy_bitmap(canvas);
    XFreeGC(display, gc);
    XDestroyWindow(display, window);
    XFree(info);
}

BENCHMARK(BM_PresentFrameAtScale)->Args({1, 0})->Args({1, 1})->Args({2, 1})->Args({3, 1})->UseRealTime();

}  // namespace
