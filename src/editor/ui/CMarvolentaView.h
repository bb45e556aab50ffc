#pragma once

#include "DragLayers.h"
#include "model/PageWindow.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QRegion>

#include <functional>
#include <memory>

class DesignViewLogic;
class MarvolentaViewMainDelegate;
class QMdiSubWindow;
class XControl;
class XPage;
struct ViewKeys;

// The design surface of one page. Everything outside the page goes through the
// MarvolentaViewMainDelegate; the editing logic itself lives in editor/ without windows.
class CMarvolentaView : public QAbstractScrollArea, public PageWindow {
    Q_OBJECT
public:
    CMarvolentaView(XPage* page, MarvolentaViewMainDelegate* delegate, QWidget* parent = nullptr);
    ~CMarvolentaView() override;

    XPage* GetPage() const;
    XControl* GetFocusControl() const;
    void SetFocusControl(XControl* control);

    // Sizes the enclosing page window (a QMdiSubWindow, when there is one) to the zoomed
    // page plus the frame's extra size; with keepCursorPoint the page point under the
    // mouse stays under it (wheel zoom of the active view).
    void FitToPage(bool keepCursorPoint);
    // The main frame's key routing; true when the key was one of the view's.
    bool HandleKey(int key, Qt::KeyboardModifiers modifiers);
    // Commands of the view: 32878 copy, 32879 paste, 32880 delete, 32895 activate,
    // 32897 deactivate, 32952 one step up, 32953 one step down.
    void OnCommand(int commandId);

    // PageWindow
    void InvalidatePage() override;
    void SetPageTitle(const QString& title) override;
    void FitPageWindow() override;

    // The alignment commands of the main frame (32867 to 32874, 32881, 32882) on this
    // view's page with its focus control; true when something moved (one undo step).
    bool RunAlignCommand(int commandId);
    bool IsAlignCommandEnabled(int commandId) const;
    // The logic behind the view, for the main frame's queries and for tests.
    DesignViewLogic& Logic() const { return *logic; }
    // The page window (MDI child) that holds the view, if any.
    QMdiSubWindow* PageSubWindow() const;
    // Milliseconds of a steady clock, for the wheel throttle; tests replace it.
    void SetTickSource(std::function<unsigned()> source) { tickSource = std::move(source); }
    // Renders the page as the view paints it (zoomed), for tests and thumbnails.
    QImage RenderPage();

Q_SIGNALS:
    void pageTitleChanged(const QString& title);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // An image file dropped on the page (from the image library or the file manager).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Where the page's top-left corner lies in the viewport: scrolled, and centred in a
    // viewport larger than the page (a page window shown as a tab).
    QPoint PageOrigin() const;
    QPoint ToPage(QPointF viewportPoint) const;
    QPoint ToViewport(int x, int y) const;
    void DrawOverlays(QPainter& painter, const QRect& area) const;
    void DrawGrid(QPainter& painter, const QRect& area, int spacing) const;
    bool IsTabbed() const;
    // Panning: the middle button, or the left one while Space is held, drags the page.
    bool StartPanning(QMouseEvent* event);
    void ScrollBy(QPoint delta);
    QRegion DragRegion(const QList<XControl*>& dragged) const;
    ViewKeys KeysFrom(Qt::KeyboardModifiers modifiers) const;
    void UpdateCursor();
    void UpdateScrollBars();
    void ShowContextMenu(QPoint globalPoint, QPoint pagePoint);
    bool DrawPage(QImage& target);

    XPage* page;
    MarvolentaViewMainDelegate* delegate;
    std::unique_ptr<DesignViewLogic> logic;
    std::function<unsigned()> tickSource;
    QImage buffer;
    DragLayers layers;
    QRegion dragRegion; // what the last step of a drag painted
    bool panning = false;
    QPoint panLast; // global
    // Set when the main frame handed the current key event to HandleKey before it reached
    // the view, so that the view does not act on it a second time.
    bool keyRouted = false;
    bool keyRoutedHandled = false;
};
