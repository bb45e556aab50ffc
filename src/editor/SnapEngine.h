#pragma once

#include "LayoutSettings.h"
#include "base/IntRect.h"

#include <QPoint>

#include <functional>
#include <vector>

class XControl;
class XPage;

// A line shown while a snap holds, in page coordinates: vertical at x = pos from y = from
// to y = to, or horizontal at y = pos from x = from to x = to.
struct GuideLine {
    bool vertical = true;
    int pos = 0;
    int from = 0;
    int to = 0;
    bool operator==(const GuideLine& o) const
    {
        return vertical == o.vertical && pos == o.pos && from == o.from && to == o.to;
    }
};

// Snapping of one drag on a page. At its start it takes the lines that dragged edges keep
// to: the page's edges and centre and the edges and centres of the other controls. Each
// step then moves the dragged edges onto the nearest such line within the tolerance, or,
// failing that, onto the grid, and tells which lines hold so that the view can show them.
class SnapEngine {
public:
    // skip leaves out the controls being dragged; tolerance is in page pixels.
    void Begin(const XPage& page, const LayoutSettings& settings, int tolerance,
               const std::function<bool(const XControl*)>& skip);
    void End();
    bool IsActive() const { return active; }

    // The offset that brings a dragged rectangle (ordered) onto the lines: its left, centre
    // or right edge horizontally, its top, centre or bottom vertically, each axis only when
    // asked for.
    QPoint SnapRect(const IntRect& rect, bool snapX, bool snapY);
    // The same for one dragged point (a resize handle, a corner of a control being drawn).
    QPoint SnapPoint(QPoint point, bool snapX, bool snapY);
    const std::vector<GuideLine>& Guides() const { return guides; }
    void ClearGuides() { guides.clear(); }

private:
    struct Candidate {
        int pos;  // the line
        int from; // the span of what it came from, across the line
        int to;
    };

    static bool ByPosition(const Candidate& a, const Candidate& b);
    static void AddCandidates(std::vector<Candidate>& lines, int low, int high, int from, int to);
    // The smallest move within the tolerance that puts one of the values on a line; the
    // grid when no line is that near; 0 otherwise.
    int AxisDelta(const std::vector<Candidate>& lines, const int* values, int count, int gridOrigin) const;
    int GridDelta(int value, int origin) const;
    void AddGuides(const std::vector<Candidate>& lines, bool vertical, const int* values, int count, int from,
                   int to);

    bool active = false;
    LayoutSettings settings;
    int tolerance = 0;
    IntRect pageRect;
    std::vector<Candidate> xs; // vertical lines, sorted by position
    std::vector<Candidate> ys; // horizontal lines
    std::vector<GuideLine> guides;
};
