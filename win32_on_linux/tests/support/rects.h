// Rectangles compared and printed, as regions are checked.
#pragma once

#include <win32_api.h>

#include <ostream>
#include <vector>

using Rects = std::vector<RECT>;
inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}
