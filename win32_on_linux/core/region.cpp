#include "core/region.h"

#include "core/core.h"
#include "core/handles.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {

using Span = HRGN__::Span;
using Band = HRGN__::Band;

// Every region handed out and not yet deleted, so that a stale or foreign
// handle is refused instead of being followed.
core::Handles<HRGN__>& liveRegions()
{
    static core::Handles<HRGN__> live;
    return live;
}

HRGN__* live(const void* handle)
{
    return liveRegions().find(handle);
}

bool sameSpans(const Band& a, const Band& b)
{
    return std::equal(a.spans.begin(), a.spans.end(), b.spans.begin(), b.spans.end(),
                      [](const Span& p, const Span& q) { return p.left == q.left && p.right == q.right; });
}

// Rebuilds the spans that overlap or touch s from their edges and s's two:
// a column is inside when an odd number of those edges lie at or left of it.
void xorSpan(std::vector<Span>& spans, Span s)
{
    auto first = std::lower_bound(spans.begin(), spans.end(), s.left,
                                  [](const Span& span, LONG x) { return span.right < x; });
    auto last = std::upper_bound(first, spans.end(), s.right,
                                 [](LONG x, const Span& span) { return x < span.left; });
    std::vector<LONG> edges;
    auto add = [&edges](LONG edge) {
        if (!edges.empty() && edges.back() == edge)
            edges.pop_back();  // two edges at one column cancel
        else
            edges.push_back(edge);
    };
    LONG own[2] = {s.left, s.right};
    int next = 0;
    for (auto span = first; span != last; ++span)
        for (LONG edge : {span->left, span->right}) {
            while (next < 2 && own[next] <= edge)
                add(own[next++]);
            add(edge);
        }
    while (next < 2)
        add(own[next++]);

    std::vector<Span> pieces;
    for (size_t i = 0; i + 1 < edges.size(); i += 2)
        pieces.push_back({edges[i], edges[i + 1]});
    auto at = spans.erase(first, last);
    spans.insert(at, pieces.begin(), pieces.end());
}

// Makes row y a band boundary; returns the index of the first band at or below it.
size_t splitAt(std::vector<Band>& bands, LONG y)
{
    auto band = std::upper_bound(bands.begin(), bands.end(), y,
                                 [](LONG row, const Band& b) { return row < b.bottom; });
    if (band != bands.end() && band->top < y) {
        Band upper{band->top, y, band->spans};
        band->top = y;
        band = bands.insert(band, std::move(upper)) + 1;
    }
    return band - bands.begin();
}

// Restores the one form over bands [from, to]: the changed ones and the first after them.
void tidy(std::vector<Band>& bands, size_t from, size_t to)
{
    size_t end = std::min(to + 1, bands.size());
    for (size_t i = from; i < end;) {
        bool joinsAbove = i > 0 && bands[i - 1].bottom == bands[i].top && sameSpans(bands[i - 1], bands[i]);
        if (bands[i].spans.empty() || joinsAbove) {
            if (joinsAbove)
                bands[i - 1].bottom = bands[i].bottom;
            bands.erase(bands.begin() + i);
            --end;
        } else {
            ++i;
        }
    }
}

void xorBand(HRGN__& region, const Band& addend)
{
    std::vector<Band>& bands = region.bands;
    size_t first = splitAt(bands, addend.top);
    size_t end = splitAt(bands, addend.bottom);
    size_t i = first;
    for (LONG y = addend.top; y < addend.bottom; ++i) {
        if (i == end || bands[i].top > y) {
            LONG bottom = i < end ? bands[i].top : addend.bottom;
            bands.insert(bands.begin() + i, Band{y, bottom, {}});
            ++end;
        }
        for (const Span& span : addend.spans)
            xorSpan(bands[i].spans, span);
        y = bands[i].bottom;
    }
    tidy(bands, first, end);
}

int kind(const HRGN__& region)
{
    if (region.bands.empty())
        return NULLREGION;
    bool oneRect = region.bands.size() == 1 && region.bands[0].spans.size() == 1;
    return oneRect ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    auto region = std::make_unique<HRGN__>();
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (left < right && top < bottom)
        region->bands.push_back({top, bottom, {{left, right}}});
    return liveRegions().add<HRGN>(std::move(region));
}

int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode)
{
    HRGN__* dest = live(destination);
    const HRGN__* base = live(source1);
    const HRGN__* addend = live(source2);
    if (!dest || !base || !addend || mode != RGN_XOR)
        return ERROR;
    if (addend == dest)
        std::swap(base, addend);  // exclusive-or commutes, so dest is always the base
    if (addend == dest)
        dest->bands.clear();  // a region with itself leaves nothing
    else {
        if (base != dest)
            dest->bands = base->bands;
        for (const Band& band : addend->bands)
            xorBand(*dest, band);
    }
    return kind(*dest);
}

BOOL DeleteObject(HGDIOBJ object)
{
    if (core::deleteBitmap(object))
        return TRUE;
    return liveRegions().remove(object) != nullptr;
}

BOOL PtInRegion(HRGN handle, int x, int y)
{
    const HRGN__* region = live(handle);
    if (!region)
        return FALSE;
    auto band = std::upper_bound(region->bands.begin(), region->bands.end(), y,
                                 [](LONG row, const Band& b) { return row < b.bottom; });
    if (band == region->bands.end() || band->top > y)
        return FALSE;
    auto span = std::upper_bound(band->spans.begin(), band->spans.end(), x,
                                 [](LONG column, const Span& s) { return column < s.right; });
    return span != band->spans.end() && span->left <= x;
}

std::vector<RECT> regionRects(HRGN handle)
{
    std::vector<RECT> rects;
    if (const HRGN__* region = live(handle))
        for (const Band& band : region->bands)
            for (const Span& span : band.spans)
                rects.push_back({span.left, band.top, span.right, band.bottom});
    return rects;
}
