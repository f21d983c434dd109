#include "platform/gtk/enlarged_frames.h"

bool EnlargedFrames::available(Display* display)
{
    int event = 0, error = 0;
    return XRenderQueryExtension(display, &event, &error);
}

void EnlargedFrames::release()
{
    if (!display)
        return;
    shared.release();
    if (source)
        XRenderFreePicture(display, source);
    if (target)
        XRenderFreePicture(display, target);
    if (pixmap)
        XFreePixmap(display, pixmap);
    display = nullptr;
    pixmap = source = target = 0;
}

void EnlargedFrames::put(Display* to, Window window, Visual* visual, GC gc, XImage& frame, int scale,
                         const RECT& area)
{
    if (display != to || frame.width != width || frame.height != height || scale != factor) {
        release();
        display = to;
        width = frame.width;
        height = frame.height;
        factor = scale;
        pixmap = XCreatePixmap(display, window, unsigned(width), unsigned(height), 24);
        source = XRenderCreatePicture(display, pixmap, XRenderFindStandardFormat(display, PictStandardRGB24), 0,
                                      nullptr);
        target = XRenderCreatePicture(display, window, XRenderFindVisualFormat(display, visual), 0, nullptr);
        // The transform maps the window's pixels back onto the frame's.
        XTransform shrink{{{XDoubleToFixed(1.0 / factor), 0, 0},
                           {0, XDoubleToFixed(1.0 / factor), 0},
                           {0, 0, XDoubleToFixed(1)}}};
        XRenderSetPictureTransform(display, source, &shrink);
        XRenderSetPictureFilter(display, source, FilterNearest, nullptr, 0);
    }
    const unsigned w = unsigned(area.right - area.left), h = unsigned(area.bottom - area.top);
    if (!shared.put(display, pixmap, visual, gc, frame, area))
        XPutImage(display, pixmap, gc, &frame, area.left, area.top, area.left, area.top, w, h);
    const int x = area.left * factor, y = area.top * factor;
    XRenderComposite(display, PictOpSrc, source, None, target, x, y, 0, 0, x, y, w * factor, h * factor);
}
