#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>

class MarvolentaViewMainDelegate;
class QPainter;
class XControl;
class XPage;

// While controls are dragged, everything else on the page is drawn once, into an image
// under the first dragged control and one over it, so that each step of the drag draws
// only the dragged controls between the two. A dragged control lying between controls
// that stay is shown over them until the drag ends.
class DragLayers {
public:
    // Pages larger than this at the zoom are painted whole at every step instead.
    static constexpr qint64 kMaxPixels = 16LL * 1024 * 1024;

    // Paints the page with the dragged controls at origin, within the painter's clip;
    // false when it cannot (the page is too large), and the caller paints the page itself.
    bool Paint(QPainter& out, QPoint origin, XPage& page, const MarvolentaViewMainDelegate& delegate,
               const QList<XControl*>& dragged);
    void Clear();
    bool IsBuilt() const { return !builtWith.isEmpty(); }

private:
    void Build(XPage& page, const QRect& viewRect, const QList<XControl*>& dragged);

    QImage below;
    QImage above;
    bool aboveEmpty = true;
    QRect builtFor;
    QList<XControl*> builtWith;
};
