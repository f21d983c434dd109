// What a layered window shows. Where a compositing manager runs (it owns
// _NET_WM_CM_S<n>), the window's 32-bit visual takes the premultiplied pixels as
// they are and clicks reach it wherever a pixel is not fully transparent.
// Without one, alpha cannot blend: the window is shaped to the pixels of at
// least half opacity, drawn opaque in their own colour. A compositor that
// starts or stops switches every layered window in place.
#pragma once

#include <X11/Xlib.h>
#include <gdk/gdk.h>

#include <cstdint>
#include <vector>

#include <win32_api.h>

class LayeredPicture {
public:
    // The window's depth is 32, or 24 where the display has no 32-bit visual
    // (then it never blends); it shows nothing until the first update.
    LayeredPicture(GdkScreen* screen, Window xid, GC gc, int depth);
    ~LayeredPicture();
    LayeredPicture(const LayeredPicture&) = delete;
    LayeredPicture& operator=(const LayeredPicture&) = delete;

    // Premultiplied 0xAARRGGBB pixels at the window's corner, of which the area changed.
    void update(const uint32_t* pixels, int width, int height, int stridePixels, const RECT& area);
    // Shows it all again, as the desktop now blends or not.
    void refresh();

private:
    void convert(const RECT& area);
    bool reshapeNeeded(const RECT& area);
    void applyShape();
    void send(const RECT& area);

    GdkScreen* screen;
    Window xid;
    GC gc;
    int depth;
    bool blends = false;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> source;  // the premultiplied pixels, as given
    std::vector<uint32_t> shown;   // what the window shows of them
    std::vector<uint8_t> inside;   // the shape: clickable (blending) or shown (not)
    XImage image{};
};

// Describes 32-bit pixels as the X server takes them, without copying them.
void describePixels(XImage& image, const uint32_t* pixels, int width, int height, int stridePixels, int depth);
