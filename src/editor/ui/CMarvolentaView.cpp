#include "CMarvolentaView.h"

#include "ViewCursors.h"
#include "ViewKeyState.h"
#include "base/Translation.h"
#include "controls/PageRendering.h"
#include "editor/Alignment.h"
#include "editor/DesignViewLogic.h"
#include "editor/ImageLibrary.h"
#include "editor/LayoutSettings.h"
#include "editor/MarvolentaViewMainDelegate.h"
#include "model/XPage.h"

#include <QApplication>
#include <QCursor>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>

namespace {

// Grid lines closer than this on the screen are thinned out to every second, fifth, ...
constexpr int kMinGridPixels = 6;
const QColor kGridColour(128, 128, 128, 90);
const QColor kGuideColour(236, 0, 140);
const QColor kBandColour(0, 120, 215);
constexpr int kBandFillAlpha = 40;

unsigned SteadyTick()
{
    using namespace std::chrono;
    return static_cast<unsigned>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}

CMarvolentaView::CMarvolentaView(XPage* page, MarvolentaViewMainDelegate* delegate, QWidget* parent)
    : QAbstractScrollArea(parent),
      page(page),
      delegate(delegate),
      logic(std::make_unique<DesignViewLogic>(page, delegate)),
      tickSource(&SteadyTick)
{
    // No sunken edge and no border: the page window is sized to the page exactly.
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Every pixel is painted in the paint pass; nothing is erased before.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);
    logic->SetRepaint([this] { InvalidatePage(); });
    ViewKeyState::Instance();
    if (page) {
        page->window = this;
        setWindowTitle(page->name);
    }
}

CMarvolentaView::~CMarvolentaView()
{
    if (page && page->window == this)
        page->window = nullptr;
}

XPage* CMarvolentaView::GetPage() const
{
    return page;
}

XControl* CMarvolentaView::GetFocusControl() const
{
    return logic->GetFocusControl();
}

void CMarvolentaView::SetFocusControl(XControl* control)
{
    logic->SetFocusControl(control);
}

QMdiSubWindow* CMarvolentaView::PageSubWindow() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w))
            return sub;
    return nullptr;
}

// ---------------------------------------------------------------- painting

bool CMarvolentaView::DrawPage(QImage& target)
{
    if (!page || !delegate)
        return false;
    const IntRect r = delegate->PageRectToView(page->Bounds());
    const QSize size(std::max(0, r.Width()), std::max(0, r.Height()));
    if (size.isEmpty())
        return false;
    // The buffer is kept between paints; the page fills it completely each time.
    if (target.size() != size)
        target = QImage(size, QImage::Format_RGB32);
    QPainter p(&target);
    p.translate(-r.left, -r.top);
    const PagePaintPass pass;
    page->Draw(p);
    return true;
}

QImage CMarvolentaView::RenderPage()
{
    QImage image;
    DrawPage(image);
    return image;
}

void CMarvolentaView::paintEvent(QPaintEvent* event)
{
    QPainter out(viewport());
    const QPoint origin = PageOrigin();
    QRect pageArea;
    // While a drag runs only the dragged controls are drawn again at each step.
    const QList<XControl*> dragged = logic->DraggedControls();
    if (!dragged.isEmpty() && page && delegate && layers.Paint(out, origin, *page, *delegate, dragged)) {
        const IntRect r = delegate->PageRectToView(page->Bounds());
        pageArea = QRect(origin, QSize(r.Width(), r.Height()));
    } else {
        layers.Clear();
        if (DrawPage(buffer)) {
            out.drawImage(origin, buffer);
            pageArea = QRect(origin, buffer.size());
        }
    }
    // Only what lies beside the page (a window larger than the page) gets the background.
    QRegion rest(event->rect());
    rest -= pageArea;
    for (const QRect& r : rest)
        out.fillRect(r, palette().color(QPalette::Dark));
    if (!pageArea.isEmpty())
        DrawOverlays(out, pageArea & event->rect());
}

QPoint CMarvolentaView::PageOrigin() const
{
    QPoint origin(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    if (page && delegate) {
        const IntRect r = delegate->PageRectToView(page->Bounds());
        const QSize area = viewport()->size();
        origin += QPoint(std::max(0, (area.width() - r.Width()) / 2), std::max(0, (area.height() - r.Height()) / 2));
    }
    return origin;
}

QPoint CMarvolentaView::ToViewport(int x, int y) const
{
    const IntRect r = delegate->PageRectToView(page->Bounds());
    return delegate->PagePointToView(x, y) - QPoint(r.left, r.top) + PageOrigin();
}

void CMarvolentaView::DrawOverlays(QPainter& painter, const QRect& area) const
{
    if (!page || !delegate)
        return;
    painter.save();
    painter.setClipRect(area);
    const LayoutSettings* layout = delegate->GetLayoutSettings(page);
    if (layout && layout->showGrid)
        DrawGrid(painter, area, layout->gridSpacing);
    // Guides and the band are drawn one pixel wide at any zoom.
    painter.setPen(QPen(kGuideColour, 0));
    for (const GuideLine& g : logic->Guides()) {
        if (g.vertical)
            painter.drawLine(ToViewport(g.pos, g.from), ToViewport(g.pos, g.to));
        else
            painter.drawLine(ToViewport(g.from, g.pos), ToViewport(g.to, g.pos));
    }
    if (logic->IsBanding()) {
        const IntRect b = logic->BandRect();
        const QRect band = QRect(ToViewport(b.left, b.top), ToViewport(b.right, b.bottom)).normalized();
        QColor fill = kBandColour;
        fill.setAlpha(kBandFillAlpha);
        painter.fillRect(band, fill);
        painter.setPen(QPen(kBandColour, 0, Qt::DashLine));
        painter.drawRect(band.adjusted(0, 0, -1, -1));
    }
    painter.restore();
}

void CMarvolentaView::DrawGrid(QPainter& painter, const QRect& area, int spacing) const
{
    if (spacing <= 0)
        return;
    const IntRect bounds = page->Bounds();
    // Zoomed far out, only every n-th line is drawn, so that the grid stays readable.
    constexpr int kProbe = 100;
    const int probe = delegate->PagePointToView(spacing * kProbe, 0).x() - delegate->PagePointToView(0, 0).x();
    int every = 1;
    while (every < kProbe && probe * every < kMinGridPixels * kProbe)
        every = every == 1 ? 2 : every == 2 ? 5 : every * 2;
    const int step = spacing * every;
    QVector<QLine> lines;
    for (int x = bounds.left + step; x < bounds.right; x += step) {
        const int vx = ToViewport(x, 0).x();
        if (vx >= area.left() && vx <= area.right())
            lines.append(QLine(vx, area.top(), vx, area.bottom()));
    }
    for (int y = bounds.top + step; y < bounds.bottom; y += step) {
        const int vy = ToViewport(0, y).y();
        if (vy >= area.top() && vy <= area.bottom())
            lines.append(QLine(area.left(), vy, area.right(), vy));
    }
    painter.setPen(QPen(kGridColour, 0));
    painter.drawLines(lines);
}

void CMarvolentaView::InvalidatePage()
{
    // Between two steps of a drag only what the dragged controls and the guides covered
    // before and cover now is painted again (the rest comes from the drag's layers).
    const QList<XControl*> dragged = logic->DraggedControls();
    if (dragged.isEmpty() || !layers.IsBuilt()) {
        dragRegion = QRegion();
        viewport()->update();
        return;
    }
    const QRegion now = DragRegion(dragged);
    viewport()->update(now | dragRegion);
    dragRegion = now;
}

QRegion CMarvolentaView::DragRegion(const QList<XControl*>& dragged) const
{
    // Handles reach 3 pixels beyond a control, lines half their width beyond its points.
    constexpr int kHandleReach = 8;
    QRegion region;
    for (const XControl* c : dragged) {
        const IntRect b = c->Bounds();
        const int reach = kHandleReach + delegate->PagePointToView(c->lineWidth, 0).x();
        region += QRect(ToViewport(b.left, b.top), ToViewport(b.right, b.bottom)).normalized().adjusted(-reach, -reach, reach, reach);
    }
    for (const GuideLine& g : logic->Guides()) {
        const QPoint a = g.vertical ? ToViewport(g.pos, g.from) : ToViewport(g.from, g.pos);
        const QPoint b = g.vertical ? ToViewport(g.pos, g.to) : ToViewport(g.to, g.pos);
        region += QRect(a, b).normalized().adjusted(-1, -1, 1, 1);
    }
    return region;
}

// ---------------------------------------------------------------- page window

void CMarvolentaView::SetPageTitle(const QString& title)
{
    setWindowTitle(title);
    if (QMdiSubWindow* sub = PageSubWindow())
        sub->setWindowTitle(title);
    Q_EMIT pageTitleChanged(title);
}

void CMarvolentaView::FitPageWindow()
{
    FitToPage(false);
}

void CMarvolentaView::UpdateScrollBars()
{
    if (!page || !delegate)
        return;
    const IntRect r = delegate->PageRectToView(page->Bounds());
    // A page that fits the view without scroll bars gets none, even if they are shown now
    // and take room from the viewport.
    const QSize whole = maximumViewportSize();
    const QSize area = r.Width() <= whole.width() && r.Height() <= whole.height() ? whole : viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, r.Width() - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, r.Height() - area.height()));
    horizontalScrollBar()->setPageStep(std::max(1, area.width()));
    verticalScrollBar()->setPageStep(std::max(1, area.height()));
    horizontalScrollBar()->setSingleStep(std::max(1, area.width() / 10));
    verticalScrollBar()->setSingleStep(std::max(1, area.height() / 10));
}

void CMarvolentaView::FitToPage(bool keepCursorPoint)
{
    if (!page || !delegate)
        return;
    const IntRect r = delegate->PageRectToView(page->Bounds());
    const int width = std::max(0, r.Width());
    const int height = std::max(0, r.Height());
    QMdiSubWindow* sub = PageSubWindow();
    if (sub && IsTabbed()) {
        // A tab fills the page area; the page scrolls inside it.
        sub->setMinimumSize(0, 0);
        sub->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (!sub->isMaximized())
            sub->showMaximized();
        UpdateScrollBars();
        if (keepCursorPoint) {
            const QPoint hover = logic->GetHoverPoint();
            const QPoint wanted = delegate->PagePointToView(hover.x(), hover.y()) - viewport()->mapFromGlobal(QCursor::pos());
            horizontalScrollBar()->setValue(wanted.x());
            verticalScrollBar()->setValue(wanted.y());
        }
        InvalidatePage();
        return;
    }
    if (sub) {
        if (sub->isMaximized())
            sub->showNormal();
        const QSize outer(width + delegate->GetFrameExtraWidth(), height + delegate->GetFrameExtraHeight());
        sub->setMinimumSize(0, 0);
        sub->setMaximumSize(outer);
        sub->resize(outer);
        sub->setFixedSize(outer);
        QPoint position(0, 0);
        if (keepCursorPoint) {
            // Put the page point under the mouse back under it: cursor − (that point in the
            // view) − (where the view's page area lies inside the page window).
            QWidget* client = sub->mdiArea() ? sub->mdiArea()->viewport() : sub->parentWidget();
            const QPoint cursor = client ? client->mapFromGlobal(QCursor::pos()) : QPoint();
            const QPoint hover = logic->GetHoverPoint();
            const QPoint hv = delegate->PagePointToView(hover.x(), hover.y());
            const QPoint inside = viewport()->mapTo(sub, QPoint(0, 0));
            position = cursor - hv - inside;
        }
        sub->move(position);
        sub->show();
    }
    UpdateScrollBars();
    InvalidatePage();
}

bool CMarvolentaView::IsTabbed() const
{
    QMdiSubWindow* sub = PageSubWindow();
    return sub && sub->mdiArea() && sub->mdiArea()->viewMode() == QMdiArea::TabbedView;
}

void CMarvolentaView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CMarvolentaView::scrollContentsBy(int, int)
{
    InvalidatePage();
}

// ---------------------------------------------------------------- input

namespace {

// The one image file a drag carries, or empty.
QString DraggedImage(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return {};
    const QString path = data->urls().front().toLocalFile();
    return ImageLibrary::FilterAccepts(ImageLibrary::Filter(), path) ? path : QString();
}

} // namespace

void CMarvolentaView::dragEnterEvent(QDragEnterEvent* event)
{
    if (page && !DraggedImage(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CMarvolentaView::dragMoveEvent(QDragMoveEvent* event)
{
    if (page && !DraggedImage(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CMarvolentaView::dropEvent(QDropEvent* event)
{
    const QString path = DraggedImage(event->mimeData());
    if (!page || path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (XControl* placed = ImageLibrary::Drop(*page, ToPage(event->position()), path)) {
        if (delegate)
            delegate->SelectControl(placed);
        InvalidatePage();
    }
}

QPoint CMarvolentaView::ToPage(QPointF viewportPoint) const
{
    // Client to scrolled logical coordinates, then to page coordinates.
    const QPoint logical = viewportPoint.toPoint() - PageOrigin();
    return delegate ? delegate->ViewPointToPage(logical.x(), logical.y()) : logical;
}

ViewKeys CMarvolentaView::KeysFrom(Qt::KeyboardModifiers modifiers) const
{
    const ViewKeyState& keys = ViewKeyState::Instance();
    ViewKeys k;
    k.ctrl = modifiers.testFlag(Qt::ControlModifier);
    k.shift = modifiers.testFlag(Qt::ShiftModifier);
    k.alt = modifiers.testFlag(Qt::AltModifier);
    k.keyV = keys.IsDown(Qt::Key_V);
    k.keyH = keys.IsDown(Qt::Key_H);
    k.keyD = keys.IsDown(Qt::Key_D);
    k.leftButton = QGuiApplication::mouseButtons().testFlag(Qt::LeftButton) || logic->IsCapturing();
    return k;
}

void CMarvolentaView::UpdateCursor()
{
    viewport()->setCursor(ViewCursors::ForHitKind(logic->GetHitKind()));
}

bool CMarvolentaView::StartPanning(QMouseEvent* event)
{
    const bool spaceDrag = event->button() == Qt::LeftButton && ViewKeyState::Instance().IsDown(Qt::Key_Space);
    if (event->button() != Qt::MiddleButton && !spaceDrag)
        return false;
    panning = true;
    panLast = event->globalPosition().toPoint();
    viewport()->setCursor(Qt::ClosedHandCursor);
    return true;
}

void CMarvolentaView::ScrollBy(QPoint delta)
{
    // The view's own scroll bars first (a page larger than its tab), then the page area's
    // (a page window larger than the area).
    QScrollBar* own[] = {horizontalScrollBar(), verticalScrollBar()};
    QMdiSubWindow* sub = PageSubWindow();
    QMdiArea* area = sub ? sub->mdiArea() : nullptr;
    QScrollBar* outer[] = {area ? area->horizontalScrollBar() : nullptr, area ? area->verticalScrollBar() : nullptr};
    const int amounts[] = {delta.x(), delta.y()};
    for (int i = 0; i < 2; ++i) {
        const int wanted = own[i]->value() + amounts[i];
        own[i]->setValue(std::clamp(wanted, own[i]->minimum(), own[i]->maximum()));
        const int rest = wanted - own[i]->value();
        if (rest != 0 && outer[i])
            outer[i]->setValue(outer[i]->value() + rest);
    }
}

void CMarvolentaView::mousePressEvent(QMouseEvent* event)
{
    if (!logic->IsCapturing() && StartPanning(event)) {
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        logic->LeftButtonDown(ToPage(event->position()), KeysFrom(event->modifiers()));
        UpdateCursor();
    }
    event->accept();
}

void CMarvolentaView::mouseMoveEvent(QMouseEvent* event)
{
    if (panning) {
        const QPoint global = event->globalPosition().toPoint();
        ScrollBy(panLast - global);
        panLast = global;
        event->accept();
        return;
    }
    const QPoint point = ToPage(event->position());
    if (logic->IsCapturing() && !(event->buttons() & Qt::LeftButton)) {
        // The release went elsewhere (a message box opened during the press): the
        // gesture ends here instead of dragging with no button held.
        logic->LeftButtonUp(point, KeysFrom(event->modifiers()));
        logic->Hover(point);
        UpdateCursor();
        event->accept();
        return;
    }
    if (logic->IsCapturing())
        logic->LeftButtonMove(point, KeysFrom(event->modifiers()));
    else
        logic->Hover(point);
    UpdateCursor();
    event->accept();
}

void CMarvolentaView::mouseReleaseEvent(QMouseEvent* event)
{
    if (panning) {
        if (!(event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) {
            panning = false;
            UpdateCursor();
        }
        event->accept();
        return;
    }
    const QPoint point = ToPage(event->position());
    if (event->button() == Qt::LeftButton) {
        logic->LeftButtonUp(point, KeysFrom(event->modifiers()));
        logic->Hover(point);
        UpdateCursor();
    } else if (event->button() == Qt::RightButton) {
        ShowContextMenu(event->globalPosition().toPoint(), point);
    }
    event->accept();
}

void CMarvolentaView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is this event alone, as on the desktop the
    // design comes from: it starts no new gesture.
    if (event->button() == Qt::LeftButton)
        logic->DoubleClick(ToPage(event->position()));
    event->accept();
}

void CMarvolentaView::wheelEvent(QWheelEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    const bool inside = QRect(mapToGlobal(QPoint(0, 0)), size()).contains(global);
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (inside)
        logic->Hover(ToPage(viewport()->mapFromGlobal(QPointF(global))));
    logic->Wheel(delta, tickSource ? tickSource() : SteadyTick(), inside);
    event->accept();
}

bool CMarvolentaView::HandleKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool handled = logic->HandleKey(key, KeysFrom(modifiers));
    // The key comes here a second time only when the view itself has the focus; a flag
    // left set by a key meant for another widget would swallow the view's next key.
    QWidget* focus = QApplication::focusWidget();
    keyRouted = focus && (focus == this || isAncestorOf(focus));
    keyRoutedHandled = handled;
    UpdateCursor();
    return handled;
}

void CMarvolentaView::keyPressEvent(QKeyEvent* event)
{
    bool handled = false;
    if (keyRouted) {
        // The main frame gave this key to HandleKey already.
        keyRouted = false;
        handled = keyRoutedHandled;
    } else {
        handled = logic->HandleKey(event->key(), KeysFrom(event->modifiers()));
        UpdateCursor();
    }
    // The arrow keys nudge controls; they must not scroll the view as well.
    if (handled)
        event->accept();
    else
        QAbstractScrollArea::keyPressEvent(event);
}

// ---------------------------------------------------------------- commands and menu

void CMarvolentaView::OnCommand(int commandId)
{
    logic->OnCommand(commandId);
}

void CMarvolentaView::ShowContextMenu(QPoint globalPoint, QPoint pagePoint)
{
    const QVector<ContextMenuItem> items = logic->RightButtonUp(pagePoint);
    if (items.isEmpty())
        return;
    QMenu menu(this);
    for (const ContextMenuItem& item : items) {
        QAction* action = menu.addAction(Translate(QString::fromLatin1(item.textKey)));
        action->setData(item.command);
        // Shown beside the item; the keys themselves reach the view through the frame.
        action->setShortcut(ViewCommand::ShortcutOf(item.command));
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setShortcutVisibleInContextMenu(true);
    }
    if (QAction* chosen = menu.exec(globalPoint))
        OnCommand(chosen->data().toInt());
}

bool CMarvolentaView::RunAlignCommand(int commandId)
{
    if (!Alignment::Apply(page, logic->GetFocusControl(), commandId))
        return false;
    InvalidatePage();
    if (delegate)
        delegate->RefreshProperties();
    return true;
}

bool CMarvolentaView::IsAlignCommandEnabled(int commandId) const
{
    return Alignment::IsEnabled(page, commandId);
}
