#include "gtk/shared_frames.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>

namespace {

// Over TCP the server may run on another machine, where a segment id names
// another segment or none: only a Unix socket is sure to be local.
bool localConnection(Display* display)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(ConnectionNumber(display), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return false;
    return address.ss_family == AF_UNIX;
}

bool attachRefused = false;

int noteRefusal(Display*, XErrorEvent*)
{
    attachRefused = true;
    return 0;
}

}  // namespace

bool SharedFrames::attach(Display* to, Visual* visual, int width, int height)
{
    release();
    display = to;
    image = XShmCreateImage(display, visual, 24, ZPixmap, nullptr, &segment, unsigned(width), unsigned(height));
    if (!image || image->bits_per_pixel != 32)
        return false;
    segment.shmid = shmget(IPC_PRIVATE, size_t(image->bytes_per_line) * height, IPC_CREAT | 0600);
    if (segment.shmid < 0)
        return false;
    segment.shmaddr = image->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
    // Marked for removal now, so it goes with the last of us and the server to detach, even after a crash.
    shmctl(segment.shmid, IPC_RMID, nullptr);
    if (segment.shmaddr == reinterpret_cast<char*>(-1)) {
        segment.shmaddr = image->data = nullptr;
        return false;
    }
    segment.readOnly = True;
    // Plain Xlib, so that the benchmark's bare connection works too; earlier requests' errors go their way first.
    XSync(display, False);
    attachRefused = false;
    auto previous = XSetErrorHandler(noteRefusal);
    bool sent = XShmAttach(display, &segment);
    XSync(display, False);
    XSetErrorHandler(previous);
    attached = sent && !attachRefused;
    return attached;
}

void SharedFrames::release()
{
    if (segment.shmaddr) {
        if (attached)
            XShmDetach(display, &segment);
        shmdt(segment.shmaddr);
    }
    if (image) {
        image->data = nullptr;
        XDestroyImage(image);
    }
    segment = XShmSegmentInfo{};
    image = nullptr;
    attached = false;
    pendingCount = 0;
}

void SharedFrames::waitForReaders(const RECT& area)
{
    const unsigned long processed = XLastKnownRequestProcessed(display);
    int kept = 0;
    bool overwrites = false;
    RECT common;
    for (int i = 0; i < pendingCount; ++i) {
        if (pending[i].request <= processed)
            continue;
        overwrites = overwrites || IntersectRect(&common, &pending[i].area, &area);
        pending[kept++] = pending[i];
    }
    pendingCount = kept;
    if (overwrites || pendingCount == pendingCapacity) {
        XSync(display, False);
        pendingCount = 0;
    }
}

bool SharedFrames::put(Display* to, Drawable drawable, Visual* visual, GC gc, const XImage& frame, const RECT& area)
{
    if (refused)
        return false;
    if (!image || display != to || image->width != frame.width || image->height != frame.height) {
        refused = !XShmQueryExtension(to) || !localConnection(to) || !attach(to, visual, frame.width, frame.height);
        if (refused) {
            release();
            return false;
        }
    }
    waitForReaders(area);
    const size_t rowBytes = size_t(area.right - area.left) * 4;
    for (LONG y = area.top; y < area.bottom; ++y)
        std::memcpy(image->data + size_t(y) * image->bytes_per_line + size_t(area.left) * 4,
                    frame.data + size_t(y) * frame.bytes_per_line + size_t(area.left) * 4, rowBytes);
    pending[pendingCount++] = {area, NextRequest(display)};
    XShmPutImage(display, drawable, gc, image, area.left, area.top, area.left, area.top,
                 unsigned(area.right - area.left), unsigned(area.bottom - area.top), False);
    return true;
}
