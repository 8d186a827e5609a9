#include "runtime/graphics/RegionOfRects.h"

#include "runtime/graphics/QtGraphics.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace qv {

namespace {

using Runs = std::vector<std::pair<int, int>>;

// The x-runs covering one band of rows, merged where they overlap or touch.
void bandRuns(const std::vector<const TRect*>& active, Runs& runs)
{
    runs.clear();
    for (const TRect* r : active)
        runs.emplace_back(r->left, r->right);
    std::sort(runs.begin(), runs.end());
    std::size_t n = 0;
    for (const auto& run : runs) {
        if (n > 0 && run.first <= runs[n - 1].second)
            runs[n - 1].second = std::max(runs[n - 1].second, run.second);
        else
            runs[n++] = run;
    }
    runs.resize(n);
}

} // namespace

Region regionOfRects(std::span<const TRect> rects)
{
    // Bands between successive top and bottom edges, each band's runs merged, and a
    // band equal to the one right above it joined to it.
    std::vector<const TRect*> byTop;
    std::vector<int> edges;
    for (const TRect& r : rects) {
        if (r.isEmpty())
            continue;
        byTop.push_back(&r);
        edges.push_back(r.top);
        edges.push_back(r.bottom);
    }
    std::sort(byTop.begin(), byTop.end(), [](const TRect* a, const TRect* b) { return a->top < b->top; });
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    std::vector<QRect> out;
    out.reserve(byTop.size());
    std::vector<const TRect*> active;
    Runs runs, above;
    std::size_t aboveFirst = 0;
    int aboveBottom = 0;
    std::size_t next = 0;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        int const top = edges[i], bottom = edges[i + 1];
        std::erase_if(active, [top](const TRect* r) { return r->bottom <= top; });
        while (next < byTop.size() && byTop[next]->top == top)
            active.push_back(byTop[next++]);
        if (active.empty())
            continue;
        bandRuns(active, runs);
        if (!out.empty() && aboveBottom == top && runs == above) {
            for (std::size_t k = aboveFirst; k < out.size(); ++k)
                out[k].setBottom(bottom - 1);
        } else {
            aboveFirst = out.size();
            for (const auto& [left, right] : runs)
                out.push_back(toQRect(TRect{left, top, right, bottom}));
            std::swap(above, runs);
        }
        aboveBottom = bottom;
    }
    Region region;
    if (!out.empty())
        region.impl().region.setRects(out.data(), static_cast<int>(out.size()));
    return region;
}

bool sameRegion(const Region& a, const Region& b) { return a.impl().region == b.impl().region; }

} // namespace qv
