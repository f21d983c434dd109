// The bundled alpha skin, ghost, as its author saved it, and what a screen
// shows of it over a desktop of one known colour (set with hsetroot, which
// compositors paint, unlike xsetroot's colour).
#pragma once

#include <allegro.h>

#include <cstdint>
#include <string>

#include "e2e/support/desktop.h"
#include "skin/bmp_reader.h"

constexpr uint32_t ghostDesktopColour = 0x336699;
constexpr const char* ghostDesktopCommand = "hsetroot -solid '#336699' >/dev/null";

class Ghost {
public:
    // Copies skins/ghost into the working folder and reads its main picture.
    Ghost();
    ~Ghost();
    Ghost(const Ghost&) = delete;
    Ghost& operator=(const Ghost&) = delete;

    bool loaded() const { return colour && !fourth.alpha.empty(); }
    int width() const { return colour->w; }
    int alpha(int x, int y) const { return fourth.alpha[size_t(y) * colour->w + x]; }
    uint32_t rgb(int x, int y) const { return reinterpret_cast<uint32_t*>(colour->line[y])[x] & 0xffffff; }

private:
    BITMAP* colour = nullptr;
    FourthBytes fourth;
};

// What the screen shows at a pixel of the ghost's window, outside its eyes.
using GhostExpectation = bool (*)(const Ghost&, int x, int y, uint32_t seen);
// Blended with the desktop.
bool blended(const Ghost& ghost, int x, int y, uint32_t seen);
// The desktop where less than half opaque, else the picture's own colour.
bool staircase(const Ghost& ghost, int x, int y, uint32_t seen);
// The desktop where fully transparent, else premultiplied over black.
bool overBlack(const Ghost& ghost, int x, int y, uint32_t seen);

// The first pixel of the window at `box` (outside the eyes) that breaks the
// expectation, once the screen has stopped breaking it; "" when none does.
std::string firstMismatch(const Desktop& desktop, const Box& box, const Ghost& ghost, GhostExpectation expected);
// The column of the darkest pixel in the ghost's left eye: where its pupil is.
int leftPupilColumn(const Desktop& desktop, const Box& box);
// The left eye's centre column, which a pupil passes looking left or right.
constexpr int ghostLeftEyeX = 62;
// A pixel of the window's rectangle that is fully transparent, and one of the face.
constexpr int ghostCornerX = 1, ghostCornerY = 1, ghostFaceX = 90, ghostFaceY = 130;
