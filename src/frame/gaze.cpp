#include "frame/gaze.h"

#include <allegro.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

// Near the corners |dx * dy| > 0.15 * width^2 cuts the eye off along a
// hyperbola: there an eye's outline is usually already round, and a pupil put
// on the pointer would leave it.
bool isOverEye(const RECT& bounds, float x, float y)
{
    if (x < bounds.left || x > bounds.right || y < bounds.top || y > bounds.bottom)
        return false;
    int width = bounds.right - bounds.left;
    int height = bounds.bottom - bounds.top;
    double p = (double(y) - bounds.top - 0.5 * height) * (double(x) - bounds.left - 0.5 * width);
    // (width / height) * height is width, but NaN for a flat eye (height 0),
    // so that no pointer is ever over an eye of no height.
    double limit = width * ((double(width) / height) * height) * 0.15;
    return std::fabs(p) <= limit;  // false when the limit is not a number
}

// The pupil pushed from the eye's centre towards the pointer, onto an ellipse
// of the eye's size divided by 2.9: a little inside the half-size ellipse of
// the eye itself, so that a pupil of the usual size stays within its eye. The
// sums go through Allegro's fixed point and back as the face has always drawn
// them, so that every pupil lands on the same pixel as it always has.
POINT lookingOffset(const RECT& bounds, POINT centre, int mx, int my)
{
    int dx = mx - centre.x;
    int dy = my - centre.y;
    // itofix holds only +-32767; halving keeps the direction of a far-off pointer.
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

RECT pupilPlace(const RECT& bounds, POINT centre, SIZE pupil, int mx, int my)
{
    POINT offset = isOverEye(bounds, mx, my) ? POINT{mx - centre.x, my - centre.y}
                                             : lookingOffset(bounds, centre, mx, my);
    LONG left = centre.x + offset.x - pupil.cx / 2;
    LONG top = centre.y + offset.y - pupil.cy / 2;
    return {left, top, left + pupil.cx, top + pupil.cy};
}

namespace {

// Screen pixels left of or above the corner belong to the face's pixel that covers them.
LONG floorDivide(int64_t value, int divisor)
{
    const int64_t quotient = value / divisor;
    return LONG(value % divisor != 0 && value < 0 ? quotient - 1 : quotient);
}

}  // namespace

POINT facePoint(POINT screen, POINT corner, int scale)
{
    return {floorDivide(int64_t(screen.x) - corner.x, scale), floorDivide(int64_t(screen.y) - corner.y, scale)};
}
