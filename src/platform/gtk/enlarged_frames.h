// Frames shown N times larger on a scaled desktop. The frame goes to a pixmap
// of its own size and the X server enlarges it onto the window (RENDER, nearest
// pixel), so a frame costs the program what it costs at scale 1.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrender.h>

#include "platform/gtk/shared_frames.h"

class EnlargedFrames {
public:
    EnlargedFrames() = default;
    EnlargedFrames(const EnlargedFrames&) = delete;
    EnlargedFrames& operator=(const EnlargedFrames&) = delete;
    ~EnlargedFrames() { release(); }

    // Whether the display can enlarge frames itself.
    static bool available(Display* display);
    // Shows the frame's area at its place in the window, each pixel a factor x factor block.
    void put(Display* display, Window window, Visual* visual, GC gc, XImage& frame, int factor, const RECT& area);
    // Frees what the server holds; before the window goes, whose picture is among it.
    void release();

private:
    Display* display = nullptr;
    Pixmap pixmap = 0;
    Picture source = 0, target = 0;
    int width = 0, height = 0, factor = 1;
    SharedFrames shared;  // into the pixmap
};
