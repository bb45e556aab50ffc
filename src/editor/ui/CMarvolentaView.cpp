#include "CMarvolentaView.h"

#include "ViewCursors.h"
#include "ViewKeyState.h"
#include "base/Translation.h"
#include "controls/PageRendering.h"
#include "editor/Alignment.h"
#include "editor/DesignViewLogic.h"
#include "editor/MarvolentaViewMainDelegate.h"
#include "model/XPage.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>

namespace {

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
    const bool drawn = DrawPage(buffer);
    const QPoint origin(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    if (drawn)
        out.drawImage(origin, buffer);
    // Only what lies beside the page (a window larger than the page) gets the background.
    QRegion rest(event->rect());
    if (drawn)
        rest -= QRect(origin, buffer.size());
    for (const QRect& r : rest)
        out.fillRect(r, palette().color(QPalette::Dark));
}

void CMarvolentaView::InvalidatePage()
{
    viewport()->update();
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
    if (QMdiSubWindow* sub = PageSubWindow()) {
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

QPoint CMarvolentaView::ToPage(QPointF viewportPoint) const
{
    // Client to scrolled logical coordinates, then to page coordinates.
    const QPoint logical = viewportPoint.toPoint() + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return delegate ? delegate->ViewPointToPage(logical.x(), logical.y()) : logical;
}

ViewKeys CMarvolentaView::KeysFrom(Qt::KeyboardModifiers modifiers) const
{
    const ViewKeyState& keys = ViewKeyState::Instance();
    ViewKeys k;
    k.ctrl = modifiers.testFlag(Qt::ControlModifier);
    k.shift = modifiers.testFlag(Qt::ShiftModifier);
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

void CMarvolentaView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        logic->LeftButtonDown(ToPage(event->position()), KeysFrom(event->modifiers()));
        UpdateCursor();
    }
    event->accept();
}

void CMarvolentaView::mouseMoveEvent(QMouseEvent* event)
{
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
    for (const ContextMenuItem& item : items)
        menu.addAction(Translate(QString::fromLatin1(item.textKey)))->setData(item.command);
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
