// Rectangles compared and printed, as regions are checked.
#pragma once

#include <win32_api.h>

#include <ostream>
#include <vector>

using Rects = std::vector<RECT>;
inline bool operator==(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}
