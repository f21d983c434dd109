// Which parts of a frame differ from the one before: where each moved pupil
// was and where it is now, joined until no two parts overlap, so that no
// pixel is composed or sent twice.
#pragma once

#include "skin/skin.h"
#include "system/win32.h"

class ChangedAreas {
public:
    static constexpr int capacity = MAX_EYES;  // one per eye, at most

    // Each eye's pupil before and now; equal places add nothing.
    void collect(const RECT* before, const RECT* now, int eyes, const RECT& canvas);
    int count() const { return used; }
    const RECT& operator[](int i) const { return areas[i]; }

private:
    void add(RECT area);

    RECT areas[capacity] = {};
    int used = 0;
};
