#include "SnapEngine.h"

#include "model/XPage.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kEdges = 3; // low edge, centre, high edge

void EdgesOf(int low, int high, int out[kEdges])
{
    out[0] = low;
    out[1] = low + (high - low) / 2;
    out[2] = high;
}

} // namespace

bool SnapEngine::ByPosition(const Candidate& a, const Candidate& b)
{
    return a.pos < b.pos;
}

void SnapEngine::AddCandidates(std::vector<Candidate>& lines, int low, int high, int from, int to)
{
    int edges[kEdges];
    EdgesOf(low, high, edges);
    for (int e : edges)
        lines.push_back({e, from, to});
}

void SnapEngine::Begin(const XPage& page, const LayoutSettings& s, int tol,
                       const std::function<bool(const XControl*)>& skip)
{
    End();
    settings = s;
    tolerance = std::max(0, tol);
    pageRect = page.Bounds();
    active = settings.Snaps();
    if (!active || !settings.smartGuides)
        return;
    xs.reserve(kEdges * (page.controls.size() + 1));
    ys.reserve(kEdges * (page.controls.size() + 1));
    AddCandidates(xs, pageRect.left, pageRect.right, pageRect.top, pageRect.bottom);
    AddCandidates(ys, pageRect.top, pageRect.bottom, pageRect.left, pageRect.right);
    for (const XControl* c : page.controls) {
        if (!c->visible || (skip && skip(c)))
            continue;
        const IntRect r = c->Bounds();
        AddCandidates(xs, r.left, r.right, r.top, r.bottom);
        AddCandidates(ys, r.top, r.bottom, r.left, r.right);
    }
    std::sort(xs.begin(), xs.end(), ByPosition);
    std::sort(ys.begin(), ys.end(), ByPosition);
}

void SnapEngine::End()
{
    active = false;
    xs.clear();
    ys.clear();
    guides.clear();
}

int SnapEngine::GridDelta(int value, int origin) const
{
    const int spacing = settings.gridSpacing;
    if (!settings.snapToGrid || spacing <= 0)
        return 0;
    int rest = (value - origin) % spacing;
    if (rest < 0)
        rest += spacing;
    return rest * 2 < spacing ? -rest : spacing - rest;
}

int SnapEngine::AxisDelta(const std::vector<Candidate>& lines, const int* values, int count, int gridOrigin) const
{
    bool found = false;
    int best = 0;
    for (int i = 0; i < count; ++i) {
        const int v = values[i];
        const auto at = std::lower_bound(lines.begin(), lines.end(), Candidate{v, 0, 0}, ByPosition);
        // The nearest line is the first at or after the value, or the one before it.
        for (auto it : {at, at == lines.begin() ? lines.end() : at - 1}) {
            if (it == lines.end())
                continue;
            const int delta = it->pos - v;
            if (std::abs(delta) <= tolerance && (!found || std::abs(delta) < std::abs(best))) {
                found = true;
                best = delta;
            }
        }
    }
    if (found)
        return best;
    return count > 0 ? GridDelta(values[0], gridOrigin) : 0;
}

void SnapEngine::AddGuides(const std::vector<Candidate>& lines, bool vertical, const int* values, int count,
                           int from, int to)
{
    for (int i = 0; i < count; ++i) {
        const int v = values[i];
        // A line already shown for another edge at the same place is not shown twice.
        if (std::any_of(guides.begin(), guides.end(), [&](const GuideLine& g) { return g.vertical == vertical && g.pos == v; }))
            continue;
        const auto range = std::equal_range(lines.begin(), lines.end(), Candidate{v, 0, 0}, ByPosition);
        if (range.first == range.second)
            continue;
        GuideLine g{vertical, v, from, to};
        for (auto it = range.first; it != range.second; ++it) {
            g.from = std::min(g.from, it->from);
            g.to = std::max(g.to, it->to);
        }
        guides.push_back(g);
    }
}

QPoint SnapEngine::SnapRect(const IntRect& rect, bool snapX, bool snapY)
{
    guides.clear();
    if (!active)
        return {};
    int hx[kEdges];
    int vy[kEdges];
    EdgesOf(rect.left, rect.right, hx);
    EdgesOf(rect.top, rect.bottom, vy);
    const int dx = snapX ? AxisDelta(xs, hx, kEdges, pageRect.left) : 0;
    const int dy = snapY ? AxisDelta(ys, vy, kEdges, pageRect.top) : 0;
    if (!xs.empty() || !ys.empty()) {
        EdgesOf(rect.left + dx, rect.right + dx, hx);
        EdgesOf(rect.top + dy, rect.bottom + dy, vy);
        if (snapX)
            AddGuides(xs, true, hx, kEdges, vy[0], vy[2]);
        if (snapY)
            AddGuides(ys, false, vy, kEdges, hx[0], hx[2]);
    }
    return {dx, dy};
}

QPoint SnapEngine::SnapPoint(QPoint point, bool snapX, bool snapY)
{
    guides.clear();
    if (!active)
        return {};
    const int x = point.x();
    const int y = point.y();
    const int dx = snapX ? AxisDelta(xs, &x, 1, pageRect.left) : 0;
    const int dy = snapY ? AxisDelta(ys, &y, 1, pageRect.top) : 0;
    const int sx = x + dx;
    const int sy = y + dy;
    if (snapX)
        AddGuides(xs, true, &sx, 1, sy, sy);
    if (snapY)
        AddGuides(ys, false, &sy, 1, sx, sx);
    return {dx, dy};
}
