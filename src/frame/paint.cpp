#include "frame/paint.h"

#include <allegro.h>

#include <algorithm>

#include "frame/enlarge.h"
#include "frame/gaze.h"
#include "frame/sprite.h"

namespace {

// The pointer relative to the window's corner, in the face's own pixels; false
// when either is unknown.
bool readPointer(const Skin* skin, HWND window, POINT* point)
{
    POINT pointer;
    RECT frame;
    if (!GetCursorPos(&pointer) || !GetWindowRect(window, &frame))
        return false;
    *point = facePoint(pointer, {frame.left, frame.top}, skin->scale);
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

bool showsSameSkin(const FrameState& frame, const Skin* skin)
{
    return frame.shown && frame.shownSkin == skin;
}

bool showsSameFrame(const FrameState& frame, const Skin* skin)
{
    return showsSameSkin(frame, skin) && frame.shownPointer.x == frame.pointer.x &&
           frame.shownPointer.y == frame.pointer.y;
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

void presentFrame(FrameState& frame, Skin* skin, HWND window, HDC dc)
{
    if (!skin->mainImage)
        return;
    BITMAP* shown = skin->canvas;
    if (skin->enlarged) {
        enlargeArea(skin->canvas, skin->enlarged, skin->scale, wholeCanvas(skin));
        shown = skin->enlarged;
    }
    if (skin->hasAlpha) {
        frame.surface.present(window, shown, RECT{0, 0, shown->w, shown->h});
        return;
    }
    set_palette_to_hdc(dc, skin->palette);
    draw_to_hdc(dc, shown, 0, 0);
}

void presentFrameArea(FrameState& frame, Skin* skin, HWND window, HDC dc, const RECT& area)
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
        frame.surface.present(window, shown, sent);
        return;
    }
    set_palette_to_hdc(dc, skin->palette);
    blit_to_hdc(shown, dc, sent.left, sent.top, sent.left, sent.top, sent.right - sent.left, sent.bottom - sent.top);
}

bool lookAtPointer(FrameState& frame, const Skin* skin, HWND window)
{
    frame.pointerRead = readPointer(skin, window, &frame.pointer);
    return frame.pointerRead && !showsSameFrame(frame, skin) && skin->mainImage;
}

void paintEyes(FrameState& frame, Skin* skin, HWND window, HDC dc)
{
    // Without a pointer position there is nothing to look at: keep the last frame.
    if (!readPointer(skin, window, &frame.pointer))
        return;
    frame.pointerRead = true;
    composeFrame(skin, frame.pointer.x, frame.pointer.y);
    presentFrame(frame, skin, window, dc);
}

void paintChangedEyes(FrameState& frame, Skin* skin, HWND window, HDC dc)
{
    if (!frame.pointerRead && !lookAtPointer(frame, skin, window))
        return;
    if (showsSameFrame(frame, skin) || !skin->mainImage)
        return;
    RECT pupils[MAX_EYES];
    placePupils(skin, frame.pointer.x, frame.pointer.y, pupils);
    if (showsSameSkin(frame, skin)) {
        ChangedAreas& changed = frame.changed;
        changed.collect(frame.shownPupils, pupils, skin->eyeCount, wholeCanvas(skin));
        for (int i = 0; i < changed.count(); ++i)
            composeArea(skin, pupils, changed[i]);
        for (int i = 0; i < changed.count(); ++i)
            presentFrameArea(frame, skin, window, dc, changed[i]);
    } else {
        composeArea(skin, pupils, wholeCanvas(skin));
        presentFrame(frame, skin, window, dc);
    }
    frame.shown = true;
    frame.shownSkin = skin;
    frame.shownPointer = frame.pointer;
    std::copy(pupils, pupils + skin->eyeCount, frame.shownPupils);
}

void forgetShownFrame(FrameState& frame)
{
    frame.shown = false;
}

void releaseFrame(FrameState& frame)
{
    frame.surface.release();
    frame.pointerRead = false;
    frame.shown = false;
    frame.shownSkin = nullptr;
}
