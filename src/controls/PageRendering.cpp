#include "PageRendering.h"

#include "model/ControlMainDelegate.h"
#include "model/WorkLimits.h"
#include "model/XPage.h"

#include <QHash>
#include <QPainter>

namespace {

// Page (by its serial, never reused), width, height, delegate and zoom (as the length
// 100000 maps to).
struct PictureKey {
    quint64 serial;
    int width;
    int height;
    quintptr delegate;
    int scale;
    bool operator==(const PictureKey& o) const
    {
        return serial == o.serial && width == o.width && height == o.height && delegate == o.delegate
            && scale == o.scale;
    }
};

size_t qHash(const PictureKey& k, size_t seed = 0)
{
    return qHashMulti(seed, k.serial, k.width, k.height, k.delegate, k.scale);
}

struct PassCache {
    int depth = 0;
    QHash<PictureKey, QImage> pictures;
};

PassCache& Cache()
{
    static PassCache cache;
    return cache;
}

QImage DrawPageImage(XPage& page, const ControlMainDelegate& delegate, int viewWidth, int viewHeight);

}

PagePaintPass::PagePaintPass()
{
    ++Cache().depth;
}

PagePaintPass::~PagePaintPass()
{
    PassCache& cache = Cache();
    if (--cache.depth == 0)
        cache.pictures.clear();
}

QImage RenderPageImage(XPage& page, const ControlMainDelegate& delegate, int width, int height)
{
    // A page or container bigger than the biggest page is drawn as far as such a page goes.
    const int viewWidth = delegate.ScaleLength(WorkLimits::ClampImageSide(width));
    const int viewHeight = delegate.ScaleLength(WorkLimits::ClampImageSide(height));
    if (viewWidth <= 0 || viewHeight <= 0)
        return {};
    PassCache& cache = Cache();
    if (cache.depth == 0)
        return DrawPageImage(page, delegate, viewWidth, viewHeight);
    const PictureKey key{page.serial, viewWidth, viewHeight, reinterpret_cast<quintptr>(&delegate),
                         delegate.ScaleLength(100000)};
    const auto found = cache.pictures.constFind(key);
    if (found != cache.pictures.constEnd())
        return *found;
    QImage image = DrawPageImage(page, delegate, viewWidth, viewHeight);
    cache.pictures.insert(key, image);
    return image;
}

namespace {

QImage DrawPageImage(XPage& page, const ControlMainDelegate& delegate, int viewWidth, int viewHeight)
{
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

}

QImage RenderPageImage(XPage& page, const ControlMainDelegate& delegate)
{
    const IntRect b = page.Bounds();
    return RenderPageImage(page, delegate, b.Width(), b.Height());
}
