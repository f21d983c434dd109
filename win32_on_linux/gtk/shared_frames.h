// Frames through MIT-SHM: the X server reads the pixels from memory it shares
// with the program instead of from the socket. Only on a local connection;
// where the server has no extension or refuses the segment, put() says so
// and the caller sends the plain way.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <win32_api.h>

class SharedFrames {
public:
    SharedFrames() = default;
    SharedFrames(const SharedFrames&) = delete;
    SharedFrames& operator=(const SharedFrames&) = delete;
    ~SharedFrames() { release(); }

    // Sends the frame's area to the same place in the drawable; false when shared memory cannot be used.
    bool put(Display* display, Drawable drawable, Visual* visual, GC gc, const XImage& frame, const RECT& area);
    // Detaches and frees the segment; before the display closes.
    void release();

private:
    bool attach(Display* display, Visual* visual, int width, int height);
    // The server may still read an earlier area from the segment: wait before overwriting it.
    void waitForReaders(const RECT& area);

    Display* display = nullptr;
    XShmSegmentInfo segment{};
    XImage* image = nullptr;
    bool attached = false;
    bool refused = false;

    // Areas sent and perhaps not yet read, with their request numbers.
    struct Pending {
        RECT area;
        unsigned long request;
    };
    static constexpr int pendingCapacity = 32;
    Pending pending[pendingCapacity] = {};
    int pendingCount = 0;
};
