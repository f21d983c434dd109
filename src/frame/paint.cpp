#include "frame/paint.h"

#include <allegro.h>

#include <algorithm>

#include "frame/alpha_frame.h"
#include "frame/changed_areas.h"
#include "frame/enlarge.h"
#include "frame/gaze.h"
#include "frame/sprite.h"
#include "globals/globals.h"
#include "skin/skin.h"

namespace {

// The frame on screen, as far as painting knows: what it was composed from.
struct ShownFrame {
    bool valid = false;
    HWND window = nullptr;
    const Skin* skin = nullptr;
    POINT cursor{};
    RECT pupils[MAX_EYES] = {};  // where each eye's pupil was drawn
};
ShownFrame shown;
ChangedAreas changed;

// The cursor relative to the main window's corner, in the face's own pixels;
// false when either is unknown.
bool cursorInWindow(const Skin* skin, POINT* point)
{
    POINT cursor;
    RECT window;
    if (!GetCursorPos(&cursor) || !GetWindowRect(g_hwnd, &window))
        return false;
    *point = facePoint(cursor, {window.left, window.top}, skin->scale);
    return true;
}

void placePupils(const Skin* skin, int mx, int my, RECT* places)
{
    for (int i = 0; i < skin->eyeCount; ++i) {
        const SIZE pupil{skin->pupils[i]->w, skin->pupils[i]->h};
        places[i] = pupilPlace(skin->eyeBounds[i], skin->eyeCentres[i], pupil, mx, my);
    }
}

RECT wholeCanvas(const Skin* skin)
{
    return {0, 0, skin->canvas->w, skin->canvas->h};
}

// The frame's layers inside the canvas's clipping rectangle, which is the area.
void composeLayers(Skin* skin, const RECT* pupils, const RECT& area)
{
    BITMAP* canvas = skin->canvas;
    if (skin->background)
        blit(skin->background, canvas, area.left, area.top, area.left, area.top, area.right - area.left,
             area.bottom - area.top);
    else
        clear_to_color(canvas, skin->eyeColour);
    for (int i = 0; i < skin->eyeCount; ++i)
        draw_sprite(canvas, skin->pupils[i], pupils[i].left, pupils[i].top);
    drawSprite(canvas, skin->mainImage, 0, 0);
}

void composeArea(Skin* skin, const RECT* pupils, const RECT& area)
{
    if (skin->hasAlpha) {
        composeAlphaArea(skin, pupils, area);
        return;
    }
    BITMAP* canvas = skin->canvas;
    set_clip_rect(canvas, area.left, area.top, area.right - 1, area.bottom - 1);
    composeLayers(skin, pupils, area);
    set_clip_rect(canvas, 0, 0, canvas->w - 1, canvas->h - 1);
}

bool showsSameSkin(const Skin* skin)
{
    return shown.valid && shown.window == g_hwnd && shown.skin == skin;
}

bool showsSameFrame(const Skin* skin, POINT cursor)
{
    return showsSameSkin(skin) && shown.cursor.x == cursor.x && shown.cursor.y == cursor.y;
}

}  // namespace

void composeFrame(Skin* skin, int mx, int my)
{
    if (skin->mainImage)
        composeFrameArea(skin, mx, my, wholeCanvas(skin));
}

void composeFrameArea(Skin* skin, int mx, int my, const RECT& area)
{
    if (!skin->mainImage)
        return;
    RECT pupils[MAX_EYES];
    placePupils(skin, mx, my, pupils);
    composeArea(skin, pupils, area);
}

void presentFrame(Skin* skin, HDC dc)
{
    if (!skin->mainImage)
        return;
    BITMAP* shown = skin->canvas;
    if (skin->enlarged) {
        enlargeArea(skin->canvas, skin->enlarged, skin->scale, wholeCanvas(skin));
        shown = skin->enlarged;
    }
    if (skin->hasAlpha) {
        presentAlphaArea(shown, RECT{0, 0, shown->w, shown->h});
        return;
    }
    set_palette_to_hdc(dc, skin->palette);
    draw_to_hdc(dc, shown, 0, 0);
}

void presentFrameArea(Skin* skin, HDC dc, const RECT& area)
{
    if (!skin->mainImage)
        return;
    BITMAP* shown = skin->canvas;
    RECT sent = area;
    if (skin->enlarged) {
        enlargeArea(skin->canvas, skin->enlarged, skin->scale, area);
        shown = skin->enlarged;
        sent = enlargedRect(area, skin->scale);
    }
    if (skin->hasAlpha) {
        presentAlphaArea(shown, sent);
        return;
    }
    set_palette_to_hdc(dc, skin->palette);
    blit_to_hdc(shown, dc, sent.left, sent.top, sent.left, sent.top, sent.right - sent.left, sent.bottom - sent.top);
}

void paintEyes(Skin* skin, HDC dc)
{
    POINT cursor;
    // Without a cursor position there is nothing to look at: keep the last frame.
    if (!cursorInWindow(skin, &cursor))
        return;
    composeFrame(skin, cursor.x, cursor.y);
    presentFrame(skin, dc);
}

void paintChangedEyes(Skin* skin, HDC dc)
{
    POINT cursor;
    if (!cursorInWindow(skin, &cursor) || showsSameFrame(skin, cursor) || !skin->mainImage)
        return;
    RECT pupils[MAX_EYES];
    placePupils(skin, cursor.x, cursor.y, pupils);
    if (showsSameSkin(skin)) {
        changed.collect(shown.pupils, pupils, skin->eyeCount, wholeCanvas(skin));
        for (int i = 0; i < changed.count(); ++i)
            composeArea(skin, pupils, changed[i]);
        for (int i = 0; i < changed.count(); ++i)
            presentFrameArea(skin, dc, changed[i]);
    } else {
        composeArea(skin, pupils, wholeCanvas(skin));
        presentFrame(skin, dc);
    }
    shown.valid = true;
    shown.window = g_hwnd;
    shown.skin = skin;
    shown.cursor = cursor;
    std::copy(pupils, pupils + skin->eyeCount, shown.pupils);
}

bool eyesChanged(Skin* skin)
{
    POINT cursor;
    return cursorInWindow(skin, &cursor) && !showsSameFrame(skin, cursor) && skin->mainImage;
}

void forgetShownFrame()
{
    shown.valid = false;
}
