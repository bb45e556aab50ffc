#include "SnappedDrag.h"

#include "model/XPage.h"

#include <QSet>

#include <algorithm>

void SnappedDrag::Begin(XPage& p, const QList<XControl*>& controls, int kind, const LayoutSettings* settings,
                        int tolerance)
{
    End();
    page = &p;
    what = kind;
    for (XControl* c : controls) {
        starts.push_back({c, c->x1, c->y1, c->x2, c->y2});
        const IntRect b = c->Bounds();
        box = starts.size() == 1 ? b
                                 : IntRect{std::min(box.left, b.left), std::min(box.top, b.top),
                                           std::max(box.right, b.right), std::max(box.bottom, b.bottom)};
        if (what != kMoveAll)
            break;
    }
    if (settings && settings->Snaps() && !starts.empty()) {
        QSet<const XControl*> moving;
        for (const Start& s : starts)
            moving.insert(s.control);
        engine.Begin(p, *settings, tolerance, [&moving](const XControl* c) { return moving.contains(c); });
    }
}

void SnappedDrag::Step(QPoint delta, bool allowX, bool allowY, bool free)
{
    if (!page || starts.empty())
        return;
    offset += delta;
    QPoint snap;
    if (free || !engine.IsActive()) {
        engine.ClearGuides();
    } else if (what == kMoveAll) {
        snap = engine.SnapRect({box.left + offset.x(), box.top + offset.y(), box.right + offset.x(),
                                box.bottom + offset.y()},
                               allowX, allowY);
    } else {
        const Start& s = starts.front();
        const QPoint end = what == kStartPoint ? QPoint(s.x1, s.y1) : QPoint(s.x2, s.y2);
        snap = engine.SnapPoint(end + offset, allowX, allowY);
    }
    if (allowX)
        applied.setX(offset.x() + snap.x());
    if (allowY)
        applied.setY(offset.y() + snap.y());
    // Undo may have taken a control off the page while the drag went on.
    const QSet<XControl*> onPage(page->controls.cbegin(), page->controls.cend());
    for (const Start& s : starts) {
        XControl* c = s.control;
        if (!onPage.contains(c))
            continue;
        if (what == kMoveAll || what == kStartPoint) {
            c->x1 = s.x1 + applied.x();
            c->y1 = s.y1 + applied.y();
        }
        if (what == kMoveAll || what == kEndPoint) {
            c->x2 = s.x2 + applied.x();
            c->y2 = s.y2 + applied.y();
        }
    }
}

QList<XControl*> SnappedDrag::Controls() const
{
    QList<XControl*> list;
    if (!page)
        return list;
    const QSet<XControl*> onPage(page->controls.cbegin(), page->controls.cend());
    for (const Start& s : starts)
        if (onPage.contains(s.control))
            list.append(s.control);
    return list;
}

void SnappedDrag::End()
{
    page = nullptr;
    starts.clear();
    offset = {};
    applied = {};
    box = {};
    engine.End();
}
