#include "checker/preview.h"

#include <allegro.h>

#include <cstring>

#include "frame/paint.h"
#include "skin/skin.h"

Frame paintFrame(Skin& skin, POINT pointer)
{
    Frame frame;
    BITMAP* canvas = skin.canvas.get();
    if (!skin.mainImage || !canvas || bitmap_color_depth(canvas) != 32)
        return frame;
    composeFrame(&skin, pointer.x, pointer.y);
    frame.width = canvas->w;
    frame.height = canvas->h;
    frame.alpha = skin.hasAlpha;
    frame.pixels.resize(size_t(canvas->w) * canvas->h);
    for (int y = 0; y < canvas->h; ++y)
        std::memcpy(&frame.pixels[size_t(y) * canvas->w], canvas->line[y], size_t(canvas->w) * sizeof(uint32_t));
    return frame;
}
