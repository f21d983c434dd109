#include "gtk/layered_picture.h"

#include <X11/extensions/shape.h>

#include <algorithm>
#include <cstring>

#include "gtk/gtk_backend.h"

namespace {

std::vector<LayeredPicture*> pictures;

void onCompositedChanged(GdkScreen*, gpointer)
{
    for (LayeredPicture* picture : pictures)
        picture->refresh();
}

void watchCompositor(GdkScreen* screen)
{
    static bool watching = false;
    if (!watching)
        g_signal_connect(screen, "composited-changed", G_CALLBACK(onCompositedChanged), nullptr);
    watching = true;
}

uint32_t unpremultiplied(uint32_t pixel)
{
    const uint32_t alpha = pixel >> 24;
    auto channel = [&](int shift) { return std::min<uint32_t>(255, (((pixel >> shift) & 0xff) * 255 + alpha / 2) / alpha) << shift; };
    return 0xff000000u | channel(16) | channel(8) | channel(0);
}

// Without blending a pixel is all there or not there at all.
uint32_t opaqueOrNothing(uint32_t pixel)
{
    return (pixel >> 24) >= 128 ? unpremultiplied(pixel) : 0;
}

bool isInside(uint32_t pixel, bool blends)
{
    return blends ? (pixel >> 24) != 0 : (pixel >> 24) >= 128;
}


void setShape(Display* display, Window xid, int kind, const std::vector<XRectangle>& rects)
{
    XShapeCombineRectangles(display, xid, kind, 0, 0, const_cast<XRectangle*>(rects.data()), int(rects.size()),
                            ShapeSet, YXBanded);
}

}  // namespace

LayeredPicture::LayeredPicture(GdkScreen* screen, Window xid, GC gc, int depth)
    : screen(screen), xid(xid), gc(gc), depth(depth)
{
    watchCompositor(screen);
    pictures.push_back(this);
    // Nothing shows before the first picture, as on Windows.
    setShape(gtk_backend::xDisplay(), xid, ShapeBounding, {});
}

LayeredPicture::~LayeredPicture()
{
    pictures.erase(std::find(pictures.begin(), pictures.end(), this));
}

void LayeredPicture::update(const uint32_t* pixels, int w, int h, int stridePixels, const RECT& area)
{
    const RECT sent{std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0), std::min<LONG>(area.right, w),
                    std::min<LONG>(area.bottom, h)};
    if (sent.left >= sent.right || sent.top >= sent.bottom)
        return;
    if (w != width || h != height) {
        width = w;
        height = h;
        source.assign(size_t(w) * h, 0);
        shown.assign(size_t(w) * h, 0);
        inside.assign(size_t(w) * h, 0);
        describePixels(image, shown.data(), w, h, w, depth);
    }
    for (LONG y = sent.top; y < sent.bottom; ++y)
        std::memcpy(&source[size_t(y) * w + sent.left], pixels + size_t(y) * stridePixels + sent.left,
                    size_t(sent.right - sent.left) * sizeof(uint32_t));
    blends = depth == 32 && gdk_screen_is_composited(screen);
    convert(sent);
    if (reshapeNeeded(sent))
        applyShape();
    send(sent);
}

void LayeredPicture::refresh()
{
    if (source.empty())
        return;
    const RECT whole{0, 0, width, height};
    blends = depth == 32 && gdk_screen_is_composited(screen);
    convert(whole);
    reshapeNeeded(whole);
    applyShape();
    send(whole);
}

void LayeredPicture::convert(const RECT& area)
{
    for (LONG y = area.top; y < area.bottom; ++y) {
        const size_t row = size_t(y) * width;
        if (blends)
            std::memcpy(&shown[row + area.left], &source[row + area.left],
                        size_t(area.right - area.left) * sizeof(uint32_t));
        else
            for (LONG x = area.left; x < area.right; ++x)
                shown[row + x] = opaqueOrNothing(source[row + x]);
    }
}

// Notes the area's shape; true when it differs from the one the window has.
bool LayeredPicture::reshapeNeeded(const RECT& area)
{
    bool changed = false;
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x) {
            const size_t at = size_t(y) * width + x;
            const uint8_t now = isInside(source[at], blends);
            changed |= now != inside[at];
            inside[at] = now;
        }
    return changed;
}

void LayeredPicture::applyShape()
{
    std::vector<XRectangle> rects;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width;) {
            if (!inside[size_t(y) * width + x]) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && inside[size_t(y) * width + x])
                ++x;
            rects.push_back(XRectangle{short(start), short(y), (unsigned short)(x - start), 1});
        }
    Display* display = gtk_backend::xDisplay();
    if (blends)
        XShapeCombineMask(display, xid, ShapeBounding, 0, 0, None, ShapeSet);
    else
        setShape(display, xid, ShapeBounding, rects);
    setShape(display, xid, ShapeInput, rects);
}

void LayeredPicture::send(const RECT& area)
{
    Display* display = gtk_backend::xDisplay();
    XPutImage(display, xid, gc, &image, area.left, area.top, area.left, area.top, unsigned(area.right - area.left),
              unsigned(area.bottom - area.top));
    XFlush(display);
}

void describePixels(XImage& image, const uint32_t* pixels, int width, int height, int stridePixels, int depth)
{
    const uint32_t one = 1;
    image = XImage{};
    image.width = width;
    image.height = height;
    image.format = ZPixmap;
    image.data = reinterpret_cast<char*>(const_cast<uint32_t*>(pixels));
    image.byte_order = *reinterpret_cast<const char*>(&one) ? LSBFirst : MSBFirst;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = image.byte_order;
    image.bitmap_pad = 32;
    image.depth = depth;
    image.bytes_per_line = stridePixels * 4;
    image.bits_per_pixel = 32;
    image.red_mask = 0xFF0000;
    image.green_mask = 0x00FF00;
    image.blue_mask = 0x0000FF;
    XInitImage(&image);
}
