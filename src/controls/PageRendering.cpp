#include "PageRendering.h"

#include "model/ControlMainDelegate.h"
#include "model/XPage.h"

#include <QPainter>

QImage RenderPageImage(XPage& page, const ControlMainDelegate& delegate, int width, int height)
{
    const int viewWidth = delegate.ScaleLength(width);
    const int viewHeight = delegate.ScaleLength(height);
    if (viewWidth <= 0 || viewHeight <= 0)
        return {};
    QImage image(viewWidth, viewHeight, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    // Selection marks belong to the page's own view, never to a picture of it.
    QList<XControl*> marked;
    for (XControl* c : page.controls) {
        if (c->selected) {
            marked << c;
            c->selected = false;
        }
    }
    {
        QPainter painter(&image);
        const IntRect b = page.Bounds();
        painter.translate(-delegate.MapPoint(b.left, b.top));
        page.Draw(painter);
    }
    for (XControl* c : marked)
        c->selected = true;
    return image;
}

QImage RenderPageImage(XPage& page, const ControlMainDelegate& delegate)
{
    const IntRect b = page.Bounds();
    return RenderPageImage(page, delegate, b.Width(), b.Height());
}
