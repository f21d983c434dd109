// Win32's rectangle helpers: an empty rectangle (no width or no height) takes
// part in nothing, and an empty result is all zeros.
#include <algorithm>

#include "core.h"

BOOL EqualRect(const RECT* a, const RECT* b)
{
    return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL IsRectEmpty(const RECT* rect)
{
    return rect->right <= rect->left || rect->bottom <= rect->top;
}

BOOL IntersectRect(RECT* result, const RECT* a, const RECT* b)
{
    const RECT both{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                    std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(a) || IsRectEmpty(b) || IsRectEmpty(&both)) {
        *result = RECT{};
        return FALSE;
    }
    *result = both;
    return TRUE;
}

BOOL UnionRect(RECT* result, const RECT* a, const RECT* b)
{
    if (IsRectEmpty(a) || IsRectEmpty(b)) {
        const RECT* other = IsRectEmpty(a) ? b : a;
        *result = IsRectEmpty(other) ? RECT{} : *other;
        return !IsRectEmpty(other);
    }
    *result = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
               std::max(a->bottom, b->bottom)};
    return TRUE;
}
