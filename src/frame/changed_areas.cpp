#include "frame/changed_areas.h"

#include <algorithm>

namespace {

bool isEmpty(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

bool overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

RECT joined(const RECT& a, const RECT& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

RECT clipped(const RECT& r, const RECT& to)
{
    return {std::max(r.left, to.left), std::max(r.top, to.top), std::min(r.right, to.right),
            std::min(r.bottom, to.bottom)};
}

}  // namespace

void ChangedAreas::collect(const RECT* before, const RECT* now, int eyes, const RECT& canvas)
{
    used = 0;
    for (int i = 0; i < eyes && i < capacity; ++i) {
        const RECT& a = before[i];
        const RECT& b = now[i];
        if (a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom)
            continue;
        // A pupil moves a few pixels a frame: one area over both places costs less than two.
        RECT area = clipped(joined(a, b), canvas);
        if (!isEmpty(area))
            add(area);
    }
}

// A joined area may reach others it did not touch before, so it is added anew.
void ChangedAreas::add(RECT area)
{
    for (int i = 0; i < used;) {
        if (overlap(areas[i], area)) {
            area = joined(areas[i], area);
            areas[i] = areas[--used];
            i = 0;
        } else {
            ++i;
        }
    }
    areas[used++] = area;
}
