#include "eyes/paint.h"

#include <allegro.h>

#include <cmath>
#include <cstdlib>

#include "eyes/sprite.h"
#include "globals/globals.h"
#include "skin/skin.h"

bool isOverEye(const RECT& bounds, float x, float y)
{
    if (x < bounds.left || x > bounds.right || y < bounds.top || y > bounds.bottom)
        return false;
    int width = bounds.right - bounds.left;
    int height = bounds.bottom - bounds.top;
    double p = (double(y) - bounds.top - 0.5 * height) * (double(x) - bounds.left - 0.5 * width);
    double limit = width * ((double(width) / height) * height) * 0.15;
    return std::fabs(p) <= limit;  // false when the limit is not a number
}

namespace {

// The frame on screen, as far as painting knows: what it was composed from.
struct ShownFrame {
    bool valid = false;
    HWND window = nullptr;
    const Skin* skin = nullptr;
    POINT cursor{};
};
ShownFrame shown;

// The pupil pushed from the eye's centre towards the cursor, onto an ellipse
// of the eye's size divided by 2.9, in Allegro's fixed point.
POINT lookingOffset(const RECT& bounds, POINT centre, int mx, int my)
{
    int dx = mx - centre.x;
    int dy = my - centre.y;
    // itofix holds only +-32767; halving keeps the direction of a far-off cursor.
    while (std::abs(dx) > 32767 || std::abs(dy) > 32767) {
        dx /= 2;
        dy /= 2;
    }
    fixed angle = fixatan2(itofix(dy), itofix(dx));
    fixed fx = fixcos(angle) * (bounds.right - bounds.left);
    fixed fy = fixsin(angle) * (bounds.bottom - bounds.top);
    fixed x = ftofix(fixtof(fx) / 2.9);
    fixed y = ftofix(fixtof(fy) / 2.9);
    return {static_cast<LONG>(fixtof(x)), static_cast<LONG>(fixtof(y))};
}

// The cursor relative to the main window's corner; false when either is unknown.
bool cursorInWindow(POINT* point)
{
    POINT cursor;
    RECT window;
    if (!GetCursorPos(&cursor) || !GetWindowRect(g_hwnd, &window))
        return false;
    *point = {cursor.x - window.left, cursor.y - window.top};
    return true;
}

}  // namespace

void composeFrame(Skin* skin, int mx, int my)
{
    if (!skin->mainImage)
        return;
    BITMAP* canvas = skin->canvas;
    if (skin->background)
        blit(skin->background, canvas, 0, 0, 0, 0, skin->background->w, skin->background->h);
    else
        clear_to_color(canvas, skin->eyeColour);

    for (int i = 0; i < skin->eyeCount; ++i) {
        const RECT& bounds = skin->eyeBounds[i];
        POINT centre = skin->eyeCentres[i];
        POINT offset = isOverEye(bounds, mx, my) ? POINT{mx - centre.x, my - centre.y}
                                                 : lookingOffset(bounds, centre, mx, my);
        BITMAP* pupil = skin->pupils[i];
        draw_sprite(canvas, pupil, centre.x + offset.x - pupil->w / 2, centre.y + offset.y - pupil->h / 2);
    }

    drawSprite(canvas, skin->mainImage, 0, 0);
}

void presentFrame(Skin* skin, HDC dc)
{
    if (!skin->mainImage)
        return;
    set_palette_to_hdc(dc, skin->palette);
    draw_to_hdc(dc, skin->canvas, 0, 0);
}

void paintEyes(Skin* skin, HDC dc)
{
    POINT cursor;
    // Without a cursor position there is nothing to look at: keep the last frame.
    if (!cursorInWindow(&cursor))
        return;
    composeFrame(skin, cursor.x, cursor.y);
    presentFrame(skin, dc);
}

void paintChangedEyes(Skin* skin, HDC dc)
{
    POINT cursor;
    if (!cursorInWindow(&cursor))
        return;
    if (shown.valid && shown.window == g_hwnd && shown.skin == skin && shown.cursor.x == cursor.x &&
        shown.cursor.y == cursor.y)
        return;
    composeFrame(skin, cursor.x, cursor.y);
    presentFrame(skin, dc);
    shown = {true, g_hwnd, skin, cursor};
}

void forgetShownFrame()
{
    shown.valid = false;
}
