#include "support/TestProject.h"

#include "base/Translation.h"
#include "controls/XPageContainer.h"
#include "editor/DesignViewLogic.h"
#include "editor/ui/CMarvolentaView.h"
#include "editor/ui/ViewCursors.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A QMdiArea with one page window holding the design view, as the main frame opens it.
class DesignViewWidget : public ::testing::Test {
protected:
    void SetUp() override
    {
        t = std::make_unique<TestProject>(400, 300);
        page = t->AddPage(QStringLiteral("Lobby"));
        area = std::make_unique<QMdiArea>();
        area->resize(1200, 900);
        area->show();
        view = new CMarvolentaView(page, &t->delegate);
        sub = area->addSubWindow(view);
        MeasureFrameExtras();
        t->delegate.onSelect = [this](XControl* c) { view->SetFocusControl(c); };
        t->delegate.onZoom = [this] { view->FitToPage(true); };
        view->SetTickSource([this] { return tick; });
        view->FitToPage(false);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(area.get()));
    }
    void TearDown() override
    {
        area.reset();
        t.reset();
    }

    // What the page window adds around the view, as the main frame measures it once.
    void MeasureFrameExtras()
    {
        sub->show();
        sub->resize(500, 400);
        QApplication::processEvents();
        t->delegate.extraWidth = sub->width() - view->width();
        t->delegate.extraHeight = sub->height() - view->height();
    }

    QWidget* Surface() const { return view->viewport(); }
    // A point of the page as the mouse finds it on the screen at the current zoom.
    QPoint At(int x, int y) const { return t->delegate.PagePointToView(x, y); }

    void SendWheel(int delta, QPoint at)
    {
        const QPointF global = Surface()->mapToGlobal(QPointF(at));
        QWheelEvent wheel(QPointF(at), global, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Surface(), &wheel);
    }

    unsigned tick = 10000;
    std::unique_ptr<TestProject> t;
    XPage* page = nullptr;
    std::unique_ptr<QMdiArea> area;
    CMarvolentaView* view = nullptr;
    QMdiSubWindow* sub = nullptr;
};

TEST_F(DesignViewWidget, ThePageWindowFitsTheZoomedPageExactly)
{
    EXPECT_EQ(page->window, view);
    EXPECT_EQ(sub->pos(), QPoint(0, 0));
    EXPECT_EQ(sub->size(), QSize(400 + t->delegate.extraWidth, 300 + t->delegate.extraHeight));
    EXPECT_EQ(sub->minimumSize(), sub->maximumSize());
    EXPECT_EQ(Surface()->size(), QSize(400, 300));
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);

    t->delegate.zoom = 0.5;
    view->FitToPage(false);
    EXPECT_EQ(Surface()->size(), QSize(200, 150));
    t->delegate.zoom = 2.0;
    view->FitToPage(false);
    EXPECT_EQ(Surface()->size(), QSize(800, 600));
    EXPECT_EQ(view->windowTitle(), "Lobby");
}

TEST_F(DesignViewWidget, ScrollBarsShownInASmallWindowGoWhenItFitsThePage)
{
    // The page grew while its window was small.
    page->x2 = 900;
    page->y2 = 700;
    sub->setMinimumSize(0, 0);
    sub->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    sub->resize(300, 250);
    QApplication::processEvents();
    ASSERT_TRUE(view->horizontalScrollBar()->isVisible());
    view->FitToPage(false);
    QApplication::processEvents();
    EXPECT_FALSE(view->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(view->verticalScrollBar()->isVisible());
    EXPECT_EQ(Surface()->size(), QSize(900, 700));
}

TEST_F(DesignViewWidget, PaintsThePageAtTheZoom)
{
    page->backgroundColor = MakeRgb(0, 0, 255);
    TestControl* c = t->Add(page, 4, 10, 10, 20, 20);
    c->color = MakeRgb(255, 0, 0);
    t->delegate.zoom = 2.0;
    view->FitToPage(false);
    const QImage shot = view->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(800, 600));
    EXPECT_EQ(shot.pixelColor(30, 30), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(19, 19), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(40, 40), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(799, 599), QColor(0, 0, 255));
    EXPECT_EQ(view->RenderPage().pixelColor(39, 39), QColor(255, 0, 0));
}

TEST_F(DesignViewWidget, MouseDragMovesAControlInPageCoordinates)
{
    t->delegate.zoom = 2.0;
    view->FitToPage(false);
    TestControl* c = t->Add(page, 4, 10, 10, 50, 30);
    QTest::mousePress(Surface(), Qt::LeftButton, {}, At(20, 20));
    EXPECT_TRUE(c->selected);
    EXPECT_EQ(t->delegate.current, c);
    QTest::mouseMove(Surface(), At(25, 20) + QPoint(1, 0));
    QTest::mouseMove(Surface(), At(30, 27));
    QTest::mouseRelease(Surface(), Qt::LeftButton, {}, At(30, 27));
    EXPECT_EQ(c->x1, 20);
    EXPECT_EQ(c->y1, 17);
    EXPECT_EQ(page->UndoCount(), 1);
}

TEST_F(DesignViewWidget, HoldingVLimitsTheDragToVertical)
{
    TestControl* c = t->Add(page, 4, 10, 10, 50, 30);
    QTest::keyPress(view, Qt::Key_V);
    QTest::mousePress(Surface(), Qt::LeftButton, {}, At(20, 20));
    QTest::mouseMove(Surface(), At(60, 50));
    QTest::mouseRelease(Surface(), Qt::LeftButton, {}, At(60, 50));
    QTest::keyRelease(view, Qt::Key_V);
    EXPECT_EQ(c->x1, 10);
    EXPECT_EQ(c->y1, 40);
}

TEST_F(DesignViewWidget, ACreationDragWithTheMouseAddsAControl)
{
    t->delegate.toolMode = 4;
    QTest::mousePress(Surface(), Qt::LeftButton, {}, At(100, 100));
    QTest::mouseMove(Surface(), At(150, 120));
    QTest::mouseMove(Surface(), At(180, 160));
    QTest::mouseRelease(Surface(), Qt::LeftButton, {}, At(180, 160));
    ASSERT_EQ(page->controls.size(), 1);
    EXPECT_EQ((IntRect{page->controls[0]->x1, page->controls[0]->y1, page->controls[0]->x2, page->controls[0]->y2}),
              (IntRect{100, 100, 180, 160}));
    EXPECT_EQ(view->GetFocusControl(), page->controls[0]);
}

TEST_F(DesignViewWidget, TheCursorFollowsTheHitKind)
{
    TestControl* c = t->Add(page, 4, 100, 100, 200, 150);
    QTest::mouseMove(Surface(), At(10, 10));
    EXPECT_EQ(Surface()->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(Surface(), At(150, 120));
    EXPECT_EQ(Surface()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(Surface()->cursor().pixmap().cacheKey(), ViewCursors::Image(ViewCursors::kMove).cacheKey());
    c->selected = true;
    QTest::mouseMove(Surface(), At(200, 150));
    EXPECT_EQ(Surface()->cursor().pixmap().cacheKey(), ViewCursors::Image(ViewCursors::kResize).cacheKey());
    t->delegate.toolMode = 6;
    QTest::mouseMove(Surface(), At(20, 20));
    EXPECT_EQ(Surface()->cursor().pixmap().cacheKey(), ViewCursors::Image(ViewCursors::kCreate).cacheKey());
    t->delegate.toolMode = 103;
    QTest::mouseMove(Surface(), At(21, 20));
    EXPECT_EQ(Surface()->cursor().pixmap().cacheKey(), ViewCursors::Image(ViewCursors::kBrush).cacheKey());
    // Escape returns to the arrow.
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_EQ(t->delegate.toolMode, 101);
    EXPECT_EQ(Surface()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(DesignViewWidget, TheCursorImagesAreDrawn)
{
    for (int id : {ViewCursors::kCreate, ViewCursors::kResize, ViewCursors::kMove, ViewCursors::kBrush}) {
        const QImage image = ViewCursors::Image(id).toImage();
        ASSERT_EQ(image.size(), QSize(32, 32)) << id;
        int dark = 0;
        int transparent = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QColor px = image.pixelColor(x, y);
                if (px.alpha() == 0)
                    ++transparent;
                else if (px.lightness() < 80)
                    ++dark;
            }
        EXPECT_GT(dark, 20) << id;
        EXPECT_GT(transparent, 400) << id;
    }
    EXPECT_TRUE(ViewCursors::Image(1).isNull());
}

TEST_F(DesignViewWidget, TheWheelZoomsOneStepPer200MillisecondsAndRefits)
{
    SendWheel(120, At(200, 150));
    EXPECT_DOUBLE_EQ(t->delegate.zoom, 1.5);
    tick += 150;
    SendWheel(120, At(200, 150));
    EXPECT_DOUBLE_EQ(t->delegate.zoom, 1.5);
    EXPECT_EQ(Surface()->size(), QSize(600, 450));
    tick += 60;
    SendWheel(-120, At(100, 100));
    EXPECT_DOUBLE_EQ(t->delegate.zoom, 1.0);
    EXPECT_EQ(Surface()->size(), QSize(400, 300));
    EXPECT_EQ(view->Logic().GetHoverPoint(), QPoint(100, 100));
}

TEST_F(DesignViewWidget, WheelZoomKeepsThePagePointUnderTheCursor)
{
    // The page point under the mouse must stay under it after the window is refitted.
    const QPoint cursorOnScreen = Surface()->mapToGlobal(At(100, 80));
    QCursor::setPos(cursorOnScreen);
    if (QCursor::pos() != cursorOnScreen)
        GTEST_SKIP() << "the platform cannot place the pointer";
    SendWheel(120, At(100, 80));
    ASSERT_DOUBLE_EQ(t->delegate.zoom, 1.5);
    const QPoint underCursor = Surface()->mapFromGlobal(cursorOnScreen);
    EXPECT_EQ(t->delegate.ViewPointToPage(underCursor.x(), underCursor.y()), QPoint(100, 80));
}

// The main frame's key routing: every key press goes to the view's HandleKey before it
// is dispatched as usual.
class FrameKeyRouting : public QObject {
public:
    explicit FrameKeyRouting(CMarvolentaView* view) : view(view) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            results << view->HandleKey(key->key(), key->modifiers());
        }
        return false;
    }
    CMarvolentaView* view;
    QList<bool> results;
};

TEST_F(DesignViewWidget, KeysWorkOnceWhetherTheFrameRoutesThemOrNot)
{
    TestControl* c = t->Add(page, 4, 100, 100, 150, 150);
    c->selected = true;
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(c->x1, 110);

    FrameKeyRouting routing(view);
    view->installEventFilter(&routing);
    QTest::keyClick(view, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(c->x1, 111);
    QTest::keyClick(view, Qt::Key_F4);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(c->x1, 110);
    // Ctrl, Right, F4, Ctrl, Z: only the view's own keys are reported handled.
    EXPECT_EQ(routing.results, (QList<bool>{false, true, false, false, true}));
    // The arrow keys nudged; they did not scroll.
    EXPECT_EQ(view->horizontalScrollBar()->value(), 0);
    view->removeEventFilter(&routing);
}

TEST_F(DesignViewWidget, TheContextMenuShowsTranslatedItemsAndRunsTheChoice)
{
    TestControl* a = t->Add(page, 4, 10, 10, 50, 50);
    TestControl* b = t->Add(page, 4, 100, 10, 150, 50);
    QStringList shown;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            shown << action->text();
        menu->setActiveAction(menu->actions().first());
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mouseClick(Surface(), Qt::RightButton, {}, At(20, 20));
    EXPECT_EQ(shown, (QStringList{Translate("325"), Translate("326"), Translate("2204")}));
    EXPECT_EQ(Translate("325"), QStringLiteral("上移一层"));
    EXPECT_EQ(page->controls, (QList<XControl*>{b, a}));
    EXPECT_EQ(t->delegate.Calls("MoveTreeItemDown"), 1);

    // Nothing under the pointer, nothing selected, nothing copied: no menu at all.
    bool menuShown = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            menuShown = true;
            popup->close();
        }
    });
    QTest::mouseClick(Surface(), Qt::RightButton, {}, At(300, 200));
    QApplication::processEvents();
    EXPECT_FALSE(menuShown);
}

TEST_F(DesignViewWidget, DoubleClickReachesTheSelectedControl)
{
    TestControl* c = t->Add(page, 5, 10, 10, 50, 50);
    // A double click: press and release, then the double-click event and a release.
    QTest::mouseClick(Surface(), Qt::LeftButton, {}, At(20, 20));
    QTest::mouseDClick(Surface(), Qt::LeftButton, {}, At(20, 20));
    QTest::mouseRelease(Surface(), Qt::LeftButton, {}, At(20, 20));
    EXPECT_EQ(c->doubleClickCount, 1);
    EXPECT_EQ(c->lastDoubleClick, QPoint(20, 20));
    EXPECT_FALSE(page->CanUndo());
}

TEST_F(DesignViewWidget, TitleAndPageWindowFollowThePage)
{
    QSignalSpy spy(view, &CMarvolentaView::pageTitleChanged);
    view->SetPageTitle(QStringLiteral("Hall"));
    EXPECT_EQ(sub->windowTitle(), "Hall");
    EXPECT_EQ(spy.count(), 1);
    page->x2 = 600;
    view->FitPageWindow();
    EXPECT_EQ(Surface()->width(), 600);
    area.reset(); // closing the window leaves the page without a view
    EXPECT_EQ(page->window, nullptr);
}

TEST_F(DesignViewWidget, AlignmentRunsOnTheViewsPageWithItsFocusControl)
{
    TestControl* a = t->Add(page, 4, 10, 10, 50, 50);
    TestControl* b = t->Add(page, 4, 100, 30, 150, 60);
    QTest::mouseClick(Surface(), Qt::LeftButton, {}, At(20, 20));
    QTest::mouseClick(Surface(), Qt::LeftButton, Qt::ShiftModifier, At(120, 40));
    EXPECT_EQ(view->GetFocusControl(), a);
    EXPECT_TRUE(view->IsAlignCommandEnabled(32867));
    EXPECT_FALSE(view->IsAlignCommandEnabled(32873));
    EXPECT_TRUE(view->RunAlignCommand(32869));
    EXPECT_EQ(b->y1, 10);
    EXPECT_FALSE(view->RunAlignCommand(32869));
}

TEST_F(DesignViewWidget, ContainersShowingOneSubPageShareItsPictureOnlyWithinAPaint)
{
    XPage* sub = t->AddPage(QStringLiteral("Zone"), 1);
    sub->x2 = 100;
    sub->y2 = 100;
    sub->backgroundColor = MakeRgb(0, 200, 0);
    TestControl* mark = t->Add(sub, 4, 60, 0, 100, 100); // the right part of the sub-page
    mark->color = MakeRgb(200, 0, 200);
    auto* wide = new XPageContainer;
    wide->x1 = 0;
    wide->y1 = 0;
    wide->x2 = 100;
    wide->y2 = 50;
    page->AddControl(wide);
    wide->SetSubPage(sub);
    auto* narrow = new XPageContainer; // crops the sub-page before the mark
    narrow->x1 = 200;
    narrow->y1 = 0;
    narrow->x2 = 250;
    narrow->y2 = 50;
    page->AddControl(narrow);
    narrow->SetSubPage(sub);

    QImage shot = view->RenderPage();
    EXPECT_EQ(shot.pixelColor(80, 20), QColor(200, 0, 200));
    EXPECT_EQ(shot.pixelColor(20, 20), QColor(0, 200, 0));
    EXPECT_EQ(shot.pixelColor(240, 20), QColor(0, 200, 0));
    EXPECT_EQ(shot.pixelColor(255, 20), QColor(255, 255, 255)); // beyond the narrow one

    // The next paint sees a change of the sub-page.
    sub->backgroundColor = MakeRgb(0, 0, 200);
    shot = view->grab().toImage();
    EXPECT_EQ(shot.pixelColor(20, 20), QColor(0, 0, 200));
    EXPECT_EQ(shot.pixelColor(240, 20), QColor(0, 0, 200));
}

} // namespace
