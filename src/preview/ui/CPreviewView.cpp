#include "CPreviewView.h"

#include "model/ControlMainDelegate.h"
#include "model/XPage.h"
#include "preview/PreviewModel.h"
#include "preview/PreviewRenderer.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

CPreviewView::CPreviewView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setObjectName(QStringLiteral("previewView"));
}

void CPreviewView::SetModel(PreviewModel* m)
{
    model = m;
    Refit();
}

QSize CPreviewView::sizeHint() const
{
    const XPage* page = model ? model->ShownPage() : nullptr;
    if (!page || !page->mainDelegate)
        return QSize(200, 200);
    const IntRect b = page->Bounds();
    return QSize(page->mainDelegate->ScaleLength(b.Width()), page->mainDelegate->ScaleLength(b.Height()));
}

void CPreviewView::Refit()
{
    setFixedSize(sizeHint());
    update();
}

QPoint CPreviewView::ToPage(QPoint p) const
{
    const XPage* page = model ? model->ShownPage() : nullptr;
    if (!page || !page->mainDelegate)
        return p;
    // The inverse of the delegate's mapping: one view pixel per 1 / zoom page pixels.
    const double scale = page->mainDelegate->ScaleLength(100000) / 100000.0;
    const IntRect b = page->Bounds();
    const QPoint origin = page->mainDelegate->MapPoint(b.left, b.top);
    return QPoint(static_cast<int>(std::floor((p.x() + origin.x()) / scale)),
                  static_cast<int>(std::floor((p.y() + origin.y()) / scale)));
}

QRect CPreviewView::ToView(const QRect& area) const
{
    const XPage* page = model ? model->ShownPage() : nullptr;
    if (!page || !page->mainDelegate || area.isEmpty())
        return {};
    const IntRect b = page->Bounds();
    const QPoint origin = page->mainDelegate->MapPoint(b.left, b.top);
    const IntRect v = page->mainDelegate->MapRect(area.left(), area.top(), area.left() + area.width(),
                                                  area.top() + area.height());
    return v.ToQRect().translated(-origin).adjusted(-1, -1, 1, 1);
}

void CPreviewView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    XPage* page = model ? model->ShownPage() : nullptr;
    if (!page || !page->mainDelegate) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    const IntRect b = page->Bounds();
    const QPoint origin = page->mainDelegate->MapPoint(b.left, b.top);
    painter.setClipRegion(event->region());
    painter.translate(-origin);
    // Only the controls reaching into the area to repaint, in page coordinates.
    const QRect dirty = event->rect().translated(origin);
    const double scale = page->mainDelegate->ScaleLength(100000) / 100000.0;
    const QRect pageArea(static_cast<int>(std::floor(dirty.left() / scale)) - 1,
                         static_cast<int>(std::floor(dirty.top() / scale)) - 1,
                         static_cast<int>(std::ceil(dirty.width() / scale)) + 3,
                         static_cast<int>(std::ceil(dirty.height() / scale)) + 3);
    PreviewRenderer::DrawPage(painter, *page, PreviewRenderer::LooksOf(*model),
                              dirty == rect().translated(origin) ? QRect() : pageArea);
}

void CPreviewView::Changed(const QRect& area, const XPage* before)
{
    if (!model)
        return;
    if (model->ShownPage() != before) {
        Refit();
    } else if (!area.isEmpty()) {
        update(ToView(area));
    }
    if (changed)
        changed();
}

void CPreviewView::mousePressEvent(QMouseEvent* event)
{
    if (!model || event->button() != Qt::LeftButton)
        return;
    const XPage* before = model->ShownPage();
    Changed(model->Press(ToPage(event->position().toPoint())), before);
}

void CPreviewView::mouseMoveEvent(QMouseEvent* event)
{
    if (!model || !(event->buttons() & Qt::LeftButton))
        return;
    const XPage* before = model->ShownPage();
    const QRect area = model->Drag(ToPage(event->position().toPoint()));
    if (!area.isEmpty())
        Changed(area, before);
}

void CPreviewView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!model || event->button() != Qt::LeftButton)
        return;
    const XPage* before = model->ShownPage();
    Changed(model->Release(ToPage(event->position().toPoint())), before);
}
