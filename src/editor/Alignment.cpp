#include "Alignment.h"

#include "model/XPage.h"

#include <algorithm>

namespace Alignment {

bool IsAlignCommand(int commandId)
{
    return RequiredSelection(commandId) > 0;
}

int RequiredSelection(int commandId)
{
    switch (commandId) {
    case kAlignLeft:
    case kAlignRight:
    case kAlignTop:
    case kAlignBottom:
    case kAlignMiddles:
    case kAlignCentres:
        return 2;
    case kCentreInPageHorizontally:
    case kCentreInPageVertically:
        return 1;
    case kDistributeHorizontally:
    case kDistributeVertically:
        return 3;
    default:
        return 0;
    }
}

bool IsEnabled(const XPage* page, int commandId)
{
    const int needed = RequiredSelection(commandId);
    return page && needed > 0 && page->SelectedCount() >= needed;
}

namespace {

// Edges are taken from the ordered bounds, so that a line drawn right to left aligns by
// its left end like every other control.
bool MoveTo(XControl* c, int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return false;
    c->MoveBy(dx, dy);
    return true;
}

bool AlignToReference(XPage* page, XControl* reference, int commandId)
{
    const IntRect r = reference->Bounds();
    bool changed = false;
    for (XControl* c : page->controls) {
        if (!c->selected || c == reference)
            continue;
        const IntRect b = c->Bounds();
        switch (commandId) {
        case kAlignLeft: changed |= MoveTo(c, r.left - b.left, 0); break;
        case kAlignRight: changed |= MoveTo(c, r.right - b.right, 0); break;
        case kAlignTop: changed |= MoveTo(c, 0, r.top - b.top); break;
        case kAlignBottom: changed |= MoveTo(c, 0, r.bottom - b.bottom); break;
        case kAlignMiddles: {
            const int rc = r.top + (r.bottom - r.top) / 2;
            changed |= MoveTo(c, 0, rc - (b.top + (b.bottom - b.top) / 2));
            break;
        }
        case kAlignCentres: {
            const int rc = r.left + (r.right - r.left) / 2;
            changed |= MoveTo(c, rc - (b.left + (b.right - b.left) / 2), 0);
            break;
        }
        default: break;
        }
    }
    return changed;
}

bool CentreInPage(XPage* page, bool horizontal)
{
    const QList<XControl*> selected = page->Selected();
    if (selected.isEmpty())
        return false;
    IntRect box = selected.first()->Bounds();
    for (XControl* c : selected) {
        const IntRect b = c->Bounds();
        box = {std::min(box.left, b.left), std::min(box.top, b.top), std::max(box.right, b.right),
               std::max(box.bottom, b.bottom)};
    }
    const IntRect pageBox = page->Bounds();
    const int extent = horizontal ? pageBox.Width() : pageBox.Height();
    const int start = horizontal ? box.left : box.top;
    const int end = horizontal ? box.right : box.bottom;
    const int target = (extent - end + start) / 2;
    if (target == start)
        return false;
    for (XControl* c : selected)
        c->MoveBy(horizontal ? target - start : 0, horizontal ? 0 : target - start);
    return true;
}

bool Distribute(XPage* page, bool horizontal)
{
    QList<XControl*> list = page->Selected();
    const int n = static_cast<int>(list.size());
    if (n < 3)
        return false;
    auto lo = [horizontal](const XControl* c) { return horizontal ? c->Bounds().left : c->Bounds().top; };
    auto hi = [horizontal](const XControl* c) { return horizontal ? c->Bounds().right : c->Bounds().bottom; };
    std::stable_sort(list.begin(), list.end(), [&](const XControl* a, const XControl* b) { return lo(a) < lo(b); });
    const int span = lo(list.last()) - hi(list.first());
    int sum = 0;
    for (int i = 1; i < n - 1; ++i)
        sum += hi(list[i]) - lo(list[i]);
    if (span < sum)
        return false;
    const int gap = (span - sum) / (n - 1);
    int x = hi(list.first()) + gap;
    bool changed = false;
    for (int i = 1; i < n - 1; ++i) {
        XControl* c = list[i];
        const int d = x - lo(c);
        changed |= MoveTo(c, horizontal ? d : 0, horizontal ? 0 : d);
        x = hi(c) + gap;
    }
    return changed;
}

}

bool Apply(XPage* page, XControl* focus, int commandId)
{
    if (!page || !focus || !focus->selected || !page->controls.contains(focus) || !IsAlignCommand(commandId))
        return false;
    page->BeginMove();
    bool changed = false;
    switch (commandId) {
    case kCentreInPageHorizontally: changed = CentreInPage(page, true); break;
    case kCentreInPageVertically: changed = CentreInPage(page, false); break;
    case kDistributeHorizontally: changed = Distribute(page, true); break;
    case kDistributeVertically: changed = Distribute(page, false); break;
    default: changed = AlignToReference(page, focus, commandId); break;
    }
    if (changed)
        page->EndMove();
    return changed;
}

}
