#include "BandSelection.h"

#include "model/XPage.h"

void BandSelection::Begin(XPage& p, QPoint point, bool additive)
{
    page = &p;
    start = point;
    rect = {point.x(), point.y(), point.x(), point.y()};
    moved = false;
    kept.clear();
    if (additive)
        for (const XControl* c : p.controls)
            if (c->selected)
                kept.insert(c);
}

void BandSelection::Update(QPoint point)
{
    if (!page)
        return;
    moved = moved || point != start;
    rect = IntRect{start.x(), start.y(), point.x(), point.y()}.Normalized();
    for (XControl* c : page->controls) {
        const IntRect b = c->Bounds();
        const bool inside = c->visible && !c->locked && b.left >= rect.left && b.right <= rect.right
            && b.top >= rect.top && b.bottom <= rect.bottom;
        c->selected = inside || kept.contains(c);
    }
}

void BandSelection::End()
{
    page = nullptr;
    moved = false;
    kept.clear();
}
