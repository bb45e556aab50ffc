#include "DragLayers.h"

#include "controls/PageRendering.h"
#include "editor/MarvolentaViewMainDelegate.h"
#include "model/XPage.h"

#include <QPainter>
#include <QSet>

void DragLayers::Clear()
{
    below = QImage();
    above = QImage();
    builtWith.clear();
    builtFor = QRect();
}

void DragLayers::Build(XPage& page, const QRect& viewRect, const QList<XControl*>& dragged)
{
    const QSet<const XControl*> moving(dragged.cbegin(), dragged.cend());
    below = QImage(viewRect.size(), QImage::Format_RGB32);
    above = QImage(viewRect.size(), QImage::Format_ARGB32_Premultiplied);
    above.fill(Qt::transparent);
    aboveEmpty = true;
    QPainter under(&below);
    QPainter over(&above);
    under.translate(-viewRect.topLeft());
    over.translate(-viewRect.topLeft());
    const PagePaintPass pass;
    page.DrawBackground(under);
    bool passedFirst = false;
    for (XControl* c : page.controls) {
        if (moving.contains(c)) {
            passedFirst = true;
            continue;
        }
        if (passedFirst) {
            c->Draw(over);
            aboveEmpty = false;
        } else {
            c->Draw(under);
        }
    }
    builtFor = viewRect;
    builtWith = dragged;
}

bool DragLayers::Paint(QPainter& out, QPoint origin, XPage& page, const MarvolentaViewMainDelegate& delegate,
                       const QList<XControl*>& dragged)
{
    const IntRect r = delegate.PageRectToView(page.Bounds());
    const QRect viewRect(r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()));
    if (viewRect.isEmpty() || qint64(viewRect.width()) * viewRect.height() > kMaxPixels) {
        Clear();
        return false;
    }
    if (viewRect != builtFor || dragged != builtWith)
        Build(page, viewRect, dragged);
    // The painter's clip is the region asked for: only that much is copied.
    out.drawImage(origin, below);
    out.save();
    out.setClipRect(QRect(origin, viewRect.size()), Qt::IntersectClip);
    out.translate(origin - viewRect.topLeft());
    {
        const PagePaintPass pass;
        const QSet<const XControl*> moving(dragged.cbegin(), dragged.cend());
        for (XControl* c : page.controls)
            if (moving.contains(c))
                c->Draw(out);
    }
    out.restore();
    if (!aboveEmpty)
        out.drawImage(origin, above);
    return true;
}
