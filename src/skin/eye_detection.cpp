#include "skin/eye_detection.h"

#include <cstdint>

namespace {

// Turns the eye area through centre into marker colour and measures it along
// the centre's own row and column, up to the first pixel outside it.
RECT measureEye(BITMAP* image, POINT centre, int marker)
{
    floodfill(image, centre.x, centre.y, marker);
    auto inside = [&](int x, int y) { return getpixel(image, x, y) == marker; };
    RECT bounds{centre.x, centre.y, centre.x, centre.y};
    while (bounds.top > 0 && inside(centre.x, bounds.top))
        --bounds.top;
    while (bounds.bottom < image->h && inside(centre.x, bounds.bottom))
        ++bounds.bottom;
    while (bounds.left > 0 && inside(bounds.left, centre.y))
        --bounds.left;
    while (bounds.right < image->w && inside(bounds.right, centre.y))
        ++bounds.right;
    return bounds;
}

}  // namespace

FoundEyes findEyes(BITMAP* picture)
{
    FoundEyes eyes;
    const int marker = bitmap_mask_color(picture);
    for (int y = 0; y < picture->h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(picture->line[y]);
        for (int x = 0; x < picture->w; ++x) {
            if (static_cast<int>(row[x]) != marker)
                continue;
            if (eyes.count < MAX_EYES) {
                // The marker takes the colour of its eye, read from the row above (below on the top row).
                eyes.colour = getpixel(picture, x, y > 0 ? y - 1 : y + 1);
                eyes.centres[eyes.count++] = {x, y};
            }
            putpixel(picture, x, y, eyes.colour);
        }
    }
    for (int i = 0; i < eyes.count; ++i)
        eyes.bounds[i] = measureEye(picture, eyes.centres[i], marker);
    return eyes;
}
