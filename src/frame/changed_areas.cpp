#include "frame/changed_areas.h"

void ChangedAreas::collect(const RECT* before, const RECT* now, int eyes, const RECT& canvas)
{
    used = 0;
    for (int i = 0; i < eyes && i < capacity; ++i) {
        if (EqualRect(&before[i], &now[i]))
            continue;
        // A pupil moves a few pixels a frame: one area over both places costs less than two.
        RECT both, area;
        UnionRect(&both, &before[i], &now[i]);
        if (IntersectRect(&area, &both, &canvas))
            add(area);
    }
}

// A joined area may reach others it did not touch before, so it is added anew.
void ChangedAreas::add(RECT area)
{
    RECT common;
    for (int i = 0; i < used;) {
        if (IntersectRect(&common, &areas[i], &area)) {
            UnionRect(&area, &areas[i], &area);
            areas[i] = areas[--used];
            i = 0;
        } else {
            ++i;
        }
    }
    areas[used++] = area;
}
