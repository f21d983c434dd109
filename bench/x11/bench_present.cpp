// Sending one frame to a real X server and waiting until the server has drawn
// it: at scale 1 as a plain image through the socket or through shared memory
// (MIT-SHM, what the program does on a local display), at scale 2 as the
// desktop backend does it (the image to a pixmap, the server enlarging it onto
// the window). A frame is this plus its composing (glimora_bench), which is the
// same at every scale.
// Needs a display: xvfb-run -a build/bench/present_bench
#include <benchmark/benchmark.h>

#include <X11/Xutil.h>

#include <cstdint>
#include <vector>

#include "gtk/enlarged_frames.h"
#include "core/scale.h"

namespace {

constexpr int width = 200, height = 210;  // the bundled default face

// Arguments: the scale; at 2 whether the server (1) or the program (0) enlarges,
// at 1 whether the frame goes through shared memory (1) or the socket (0).
void BM_PresentFrameAtScale(benchmark::State& state)
{
    const int factor = int(state.range(0));
    const bool serverEnlarges = state.range(1) != 0;
    const bool sharedMemory = factor == 1 && state.range(1) != 0;
    static Display* display = XOpenDisplay(nullptr);
    if (!display) {
        state.SkipWithError("no X display");
        return;
    }
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
    std::vector<uint32_t> pixels(size_t(width) * height);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
    XImage* frame = XCreateImage(display, info->visual, 24, ZPixmap, 0, reinterpret_cast<char*>(pixels.data()),
                                 width, height, 32, width * 4);
    std::vector<uint32_t> enlarged(pixels.size() * factor * factor);
    XImage* enlargedFrame = XCreateImage(display, info->visual, 24, ZPixmap, 0,
                                         reinterpret_cast<char*>(enlarged.data()), width * factor, height * factor,
                                         32, width * factor * 4);
    EnlargedFrames enlarger;
    SharedFrames shared;
    const RECT whole{0, 0, width, height};
    for (auto _ : state) {
        if (sharedMemory) {
            if (!shared.put(display, window, info->visual, gc, *frame, whole)) {
                state.SkipWithError("no shared memory on this display");
                break;
            }
        } else if (factor == 1) {
            XPutImage(display, window, gc, frame, 0, 0, 0, 0, width, height);
        } else if (serverEnlarges) {
            enlarger.put(display, window, info->visual, gc, *frame, factor, whole);
        } else {
            enlargeFrame(pixels.data(), width, height, width, factor, enlarged.data());
            XPutImage(display, window, gc, enlargedFrame, 0, 0, 0, 0, width * factor, height * factor);
        }
        XSync(display, False);
    }
    enlargedFrame->data = nullptr;
    XDestroyImage(enlargedFrame);
    enlarger.release();
    shared.release();
    frame->data = nullptr;
    XDestroyImage(frame);
    XFreeGC(display, gc);
    XDestroyWindow(display, window);
    XFree(info);
}

BENCHMARK(BM_PresentFrameAtScale)->Args({1, 0})->Args({1, 1})->Args({2, 1})->Args({2, 0})->UseRealTime();

}  // namespace
