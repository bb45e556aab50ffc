#include "ViewTestFixture.h"

#include "editor/ViewZoom.h"

namespace {

QList<int> Commands(const QVector<ContextMenuItem>& items)
{
    QList<int> ids;
    for (const ContextMenuItem& i : items)
        ids << i.command;
    return ids;
}

QStringList Keys(const QVector<ContextMenuItem>& items)
{
    QStringList keys;
    for (const ContextMenuItem& i : items)
        keys << QString::fromLatin1(i.textKey);
    return keys;
}

// ---------------------------------------------------------------- context menu

TEST_F(ViewTest, TheContextMenuOffersWhatAppliesInItsOrder)
{
    EXPECT_TRUE(view->RightButtonUp({10, 10}).isEmpty());
    EXPECT_EQ(view->GetContextControl(), nullptr);

    TestControl* a = Add(4, 0, 0, 50, 50);
    auto items = view->RightButtonUp({20, 20});
    EXPECT_EQ(Commands(items), (QList<int>{32952, 32953, 33203}));
    EXPECT_EQ(Keys(items), (QStringList{"325", "326", "2204"}));
    EXPECT_EQ(view->GetContextControl(), a);

    a->selected = true;
    items = view->RightButtonUp({300, 300});
    EXPECT_EQ(Commands(items), (QList<int>{33200, 32878, 33201, 32880, 32895, 32897}));
    EXPECT_EQ(Keys(items), (QStringList{"2201", "225", "2202", "227", "228", "229"}));
    EXPECT_EQ(view->GetContextControl(), nullptr);

    view->OnCommand(32878);
    items = view->RightButtonUp({20, 20});
    EXPECT_EQ(Commands(items), (QList<int>{32952, 32953, 33203, 33200, 32878, 33201, 32880, 32895, 32897, 32879}));
    a->selected = false;
    EXPECT_EQ(Keys(view->RightButtonUp({300, 300})), QStringList{"226"});
}

// ---------------------------------------------------------------- commands

TEST_F(ViewTest, CopyAndPasteAddCopiesOnTopAsOneStepAndCanBeRepeated)
{
    TestControl* a = Add(4, 0, 0, 50, 50);
    TestControl* b = Add(4, 100, 0, 150, 50);
    view->OnCommand(32878); // nothing selected: the clipboard stays empty
    EXPECT_EQ(t->delegate.GetClipboardCount(), 0);
    EXPECT_EQ(t->delegate.Calls("CopyToClipboard"), 0);

    a->selected = true;
    b->selected = true;
    view->OnCommand(32878);
    EXPECT_EQ(t->delegate.GetClipboardCount(), 2);
    view->OnCommand(32879);
    view->OnCommand(32879);
    EXPECT_EQ(page->controls.size(), 6);
    EXPECT_EQ(page->UndoCount(), 2);
    EXPECT_EQ(Rect(page->controls[2]), Rect(a)); // pasted where the sources are
    page->Undo();
    EXPECT_EQ(page->controls.size(), 4);
}

TEST_F(ViewTest, DeleteRemovesTheSelectionAsOneStepAndClearsTheFocus)
{
    TestControl* a = Add(4, 0, 0, 50, 50);
    TestControl* b = Add(4, 100, 0, 150, 50);
    Click({20, 20});
    EXPECT_EQ(view->GetFocusControl(), a);
    view->OnCommand(32880);
    EXPECT_EQ(page->controls, (QList<XControl*>{b}));
    EXPECT_EQ(view->GetFocusControl(), nullptr);
    EXPECT_EQ(t->delegate.current, nullptr);
    EXPECT_EQ(page->UndoCount(), 1);

    // Nothing selected: nothing recorded, the pane is left alone.
    t->delegate.current = b;
    view->OnCommand(32880);
    EXPECT_EQ(page->UndoCount(), 1);
    EXPECT_EQ(t->delegate.current, b);

    view->HandleKey(Qt::Key_Z, Ctrl());
    EXPECT_EQ(page->controls, (QList<XControl*>{b, a}));
}

TEST_F(ViewTest, ActivateAndDeactivateChangeSelectedButtonsAsOneStep)
{
    TestControl* b1 = Add(6, 0, 0, 50, 50);
    TestControl* b2 = Add(15, 100, 0, 150, 50);
    Add(4, 200, 0, 250, 50)->selected = true;
    b1->selected = true;
    b2->selected = true;
    const int before = repaints;
    view->OnCommand(32895);
    EXPECT_EQ(b1->active, 1);
    EXPECT_EQ(b2->active, 1);
    EXPECT_EQ(page->UndoCount(), 1);
    EXPECT_GT(repaints, before);
    view->OnCommand(32895);
    EXPECT_EQ(page->UndoCount(), 1);
    view->OnCommand(32897);
    EXPECT_EQ(b1->active, 0);
    EXPECT_EQ(page->UndoCount(), 2);
}

TEST_F(ViewTest, StepUpAndDownMoveTheContextControlWithoutAStep)
{
    TestControl* a = Add(4, 0, 0, 50, 50);
    TestControl* b = Add(4, 100, 0, 150, 50);
    TestControl* c = Add(4, 200, 0, 250, 50);
    view->RightButtonUp({20, 20});
    view->OnCommand(32952);
    EXPECT_EQ(page->controls, (QList<XControl*>{b, a, c}));
    EXPECT_EQ(t->delegate.log.filter("MoveTree"), QStringList{"MoveTreeItemDown RECTANGLE-0"});
    view->OnCommand(32953);
    view->OnCommand(32953); // already first
    EXPECT_EQ(page->controls, (QList<XControl*>{a, b, c}));
    EXPECT_EQ(t->delegate.Calls("MoveTreeItemUp"), 1);

    view->RightButtonUp({220, 20});
    view->OnCommand(32952); // the last one stays last
    EXPECT_EQ(page->controls, (QList<XControl*>{a, b, c}));
    EXPECT_EQ(t->delegate.Calls("MoveTreeItemDown"), 1);
    EXPECT_FALSE(page->CanUndo());

    // Without a context control nothing moves.
    view->RightButtonUp({400, 400});
    view->OnCommand(32953);
    EXPECT_EQ(page->controls, (QList<XControl*>{a, b, c}));
}

TEST_F(ViewTest, AContextControlThatLeftThePageIsNotMoved)
{
    TestControl* a = Add(4, 0, 0, 50, 50);
    Add(4, 100, 0, 150, 50);
    view->RightButtonUp({20, 20});
    a->selected = true;
    view->OnCommand(32880);
    view->OnCommand(32952);
    EXPECT_EQ(t->delegate.Calls("MoveTreeItemDown"), 0);
    EXPECT_EQ(page->controls.size(), 1);
}

// ---------------------------------------------------------------- keyboard

TEST_F(ViewTest, ArrowKeysNudgeByTenOrByOneWithCtrl)
{
    TestControl* a = Add(4, 100, 100, 150, 150);
    a->selected = true;
    ViewKeys none;
    EXPECT_TRUE(view->HandleKey(Qt::Key_Left, none));
    EXPECT_TRUE(view->HandleKey(Qt::Key_Down, none));
    EXPECT_TRUE(view->HandleKey(Qt::Key_Right, Ctrl()));
    EXPECT_TRUE(view->HandleKey(Qt::Key_Up, Ctrl()));
    EXPECT_EQ(Rect(a), (IntRect{91, 109, 141, 159}));
    EXPECT_EQ(page->UndoCount(), 4);
    EXPECT_EQ(t->delegate.Calls("RefreshProperties"), 4);
    view->HandleKey(Qt::Key_Z, Ctrl());
    EXPECT_EQ(Rect(a), (IntRect{91, 110, 141, 160}));

    // Nothing selected: no step.
    page->DeselectAll();
    view->HandleKey(Qt::Key_Left, none);
    EXPECT_EQ(page->UndoCount(), 3);
}

TEST_F(ViewTest, EscapeReturnsToSelectUnlessTheButtonIsDown)
{
    t->delegate.toolMode = 4;
    ViewKeys pressed;
    pressed.leftButton = true;
    EXPECT_TRUE(view->HandleKey(Qt::Key_Escape, pressed));
    EXPECT_EQ(t->delegate.toolMode, 4);
    view->Hover({5, 5});
    EXPECT_EQ(view->GetHitKind(), HitKind::Create);
    EXPECT_TRUE(view->HandleKey(Qt::Key_Escape, {}));
    EXPECT_EQ(t->delegate.toolMode, 101);
    EXPECT_EQ(view->GetHitKind(), HitKind::Nothing);
}

TEST_F(ViewTest, CtrlASelectsAllAndCtrlShiftASelectsTheFocusType)
{
    TestControl* r1 = Add(4, 0, 0, 50, 50);
    TestControl* text = Add(3, 100, 0, 150, 50);
    TestControl* r2 = Add(4, 200, 0, 250, 50);
    ViewKeys ctrlShift = Ctrl();
    ctrlShift.shift = true;

    // No focus control: Ctrl+Shift+A does nothing.
    EXPECT_TRUE(view->HandleKey(Qt::Key_A, ctrlShift));
    EXPECT_EQ(page->SelectedCount(), 0);

    Click({20, 20});
    EXPECT_TRUE(view->HandleKey(Qt::Key_A, ctrlShift));
    EXPECT_TRUE(r1->selected);
    EXPECT_FALSE(text->selected);
    EXPECT_TRUE(r2->selected);
    EXPECT_EQ(t->delegate.current, nullptr);

    EXPECT_TRUE(view->HandleKey(Qt::Key_A, Ctrl()));
    EXPECT_EQ(page->SelectedCount(), 3);
    EXPECT_FALSE(view->HandleKey(Qt::Key_A, {}));
}

TEST_F(ViewTest, CtrlZAndCtrlYStepThroughThePagesHistory)
{
    TestControl* a = Add(4, 0, 0, 50, 50);
    EXPECT_TRUE(view->HandleKey(Qt::Key_Z, Ctrl())); // empty list: handled, nothing done
    EXPECT_TRUE(view->HandleKey(Qt::Key_Y, Ctrl()));
    a->selected = true;
    view->HandleKey(Qt::Key_Right, {});
    view->HandleKey(Qt::Key_Right, {});
    view->HandleKey(Qt::Key_Z, Ctrl());
    view->HandleKey(Qt::Key_Z, Ctrl());
    EXPECT_EQ(a->x1, 0);
    view->HandleKey(Qt::Key_Y, Ctrl());
    EXPECT_EQ(a->x1, 10);
    EXPECT_FALSE(view->HandleKey(Qt::Key_Z, {}));
    EXPECT_FALSE(view->HandleKey(Qt::Key_B, Ctrl()));
    EXPECT_FALSE(view->HandleKey(Qt::Key_F5, {}));
}

TEST_F(ViewTest, CtrlCAndCtrlVAreCopyAndPaste)
{
    Add(4, 0, 0, 50, 50)->selected = true;
    EXPECT_TRUE(view->HandleKey(Qt::Key_C, Ctrl()));
    EXPECT_TRUE(view->HandleKey(Qt::Key_V, Ctrl()));
    EXPECT_EQ(page->controls.size(), 2);
    EXPECT_TRUE(view->HandleKey(Qt::Key_Delete, {}));
    EXPECT_EQ(page->controls.size(), 1);
}

// ---------------------------------------------------------------- wheel zoom

TEST_F(ViewTest, TheWheelTakesOneStepPer200Milliseconds)
{
    EXPECT_TRUE(view->Wheel(120, 5000, true));
    EXPECT_FALSE(view->Wheel(120, 5150, true)); // 150 ms later: dropped
    EXPECT_FALSE(view->Wheel(120, 5200, true)); // exactly 200: still dropped
    EXPECT_TRUE(view->Wheel(120, 5201, true));
    EXPECT_FALSE(view->Wheel(-120, 9000, false)); // outside the view
    EXPECT_TRUE(view->Wheel(-120, 9001, true));
    EXPECT_EQ(t->delegate.zoomSteps, (QList<int>{120, 120, -120}));
    EXPECT_DOUBLE_EQ(t->delegate.zoom, 1.5);
}

TEST_F(ViewTest, TheWheelThrottleSurvivesTheTickCounterWrapping)
{
    EXPECT_TRUE(view->Wheel(120, 0xFFFFFF80u, true));
    EXPECT_FALSE(view->Wheel(120, 0x00000010u, true)); // 144 ms later
    EXPECT_TRUE(view->Wheel(120, 0x00000100u, true));
}

TEST(ViewZoom, StepsAreHalvesAboveOneAndQuartersBelow)
{
    double z = 1.0;
    z = ViewZoom::ZoomAfterStep(z, -120);
    EXPECT_DOUBLE_EQ(z, 0.5);
    const double expectedIn[] = {0.75, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0, 4.0};
    for (double expected : expectedIn) {
        z = ViewZoom::ZoomAfterStep(z, 1);
        EXPECT_DOUBLE_EQ(z, expected);
    }
    EXPECT_DOUBLE_EQ(ViewZoom::ZoomAfterStep(0.25, -1), 0.25);
    EXPECT_DOUBLE_EQ(ViewZoom::ZoomAfterStep(0.5, -1), 0.25);
    EXPECT_DOUBLE_EQ(ViewZoom::ZoomAfterStep(0.75, 0), 0.5); // zero counts as out
    EXPECT_DOUBLE_EQ(ViewZoom::ZoomAfterStep(1.25, 1), 1.75);
    EXPECT_DOUBLE_EQ(ViewZoom::ZoomAfterStep(3.75, 1), 4.0);
    EXPECT_FALSE(ViewZoom::ZoomDiffers(4.0, ViewZoom::ZoomAfterStep(4.0, 1)));
    EXPECT_TRUE(ViewZoom::ZoomDiffers(1.0, 1.5));
}

TEST(ViewZoom, MappingTruncatesEachCoordinate)
{
    EXPECT_EQ(ViewZoom::PageToView(QPoint(101, 3), 0.25), QPoint(25, 0));
    EXPECT_EQ(ViewZoom::PageToView(QPoint(-101, 7), 0.75), QPoint(-75, 5));
    EXPECT_EQ(ViewZoom::ViewToPage(QPoint(99, -99), 2.0), QPoint(49, -49));
    EXPECT_EQ(ViewZoom::ViewToPage(QPoint(10, 11), 0.75), QPoint(13, 14));
    EXPECT_EQ(ViewZoom::PageToView(IntRect{0, 0, 1023, 767}, 0.5), (IntRect{0, 0, 511, 383}));
}

} // namespace
