#include "ViewTestFixture.h"

namespace {

// ---------------------------------------------------------------- creation drags

TEST_F(ViewTest, ACreationDragAddsOneControlAsOneStepAndKeepsTheTool)
{
    t->delegate.toolMode = 4;
    Drag({10, 10}, {{20, 15}, {50, 40}});
    ASSERT_EQ(page->controls.size(), 1);
    XControl* c = page->controls.first();
    EXPECT_EQ(c->name, "RECTANGLE-0");
    EXPECT_EQ(Rect(c), (IntRect{10, 10, 50, 40}));
    EXPECT_TRUE(c->selected);
    EXPECT_EQ(t->delegate.current, c);
    EXPECT_EQ(view->GetFocusControl(), c);
    EXPECT_EQ(view->GetTrackedControl(), nullptr);
    EXPECT_EQ(page->UndoCount(), 1);
    EXPECT_EQ(t->delegate.toolMode, 4);
    EXPECT_EQ(static_cast<TestControl*>(c)->refreshCount, 1);

    // The next drag creates another one.
    Drag({100, 100}, {{120, 130}});
    EXPECT_EQ(page->controls.size(), 2);
    EXPECT_EQ(page->controls.last()->name, "RECTANGLE-1");

    page->Undo();
    page->Undo();
    EXPECT_TRUE(page->controls.isEmpty());
    EXPECT_EQ(view->GetFocusControl(), nullptr); // it left the page with the undo
    page->Redo();
    EXPECT_EQ(page->controls.size(), 1);
    EXPECT_EQ(page->controls.first(), c);
}

TEST_F(ViewTest, ARectangleDrawnBackwardsIsOrderedAndALineKeepsItsDirection)
{
    t->delegate.toolMode = 4;
    Drag({50, 40}, {{10, 10}});
    EXPECT_EQ(Rect(page->controls.last()), (IntRect{10, 10, 50, 40}));

    t->delegate.toolMode = 2;
    Drag({80, 90}, {{200, 20}});
    EXPECT_EQ(page->controls.last()->name, "LINE-0");
    EXPECT_EQ(Rect(page->controls.last()), (IntRect{80, 90, 200, 20}));
}

TEST_F(ViewTest, AClickWithACreationToolCreatesNothing)
{
    t->delegate.toolMode = 6;
    Click({30, 30});
    EXPECT_TRUE(page->controls.isEmpty());
    EXPECT_EQ(t->delegate.Calls("CreateControl"), 0);
    EXPECT_FALSE(page->CanUndo());
    EXPECT_EQ(view->GetHitKind(), HitKind::Create);
}

TEST_F(ViewTest, ACreationDragThatEndsWhereItStartedCreatesNothing)
{
    t->delegate.toolMode = 4;
    Drag({30, 30}, {{60, 50}, {30, 30}});
    EXPECT_TRUE(page->controls.isEmpty());
    EXPECT_FALSE(page->CanUndo());
    EXPECT_EQ(t->delegate.current, nullptr);
    // TearDown checks that the control made on the way was freed.
}

TEST_F(ViewTest, AHorizontalLineIsNotMistakenForAnEmptyDrag)
{
    t->delegate.toolMode = 2;
    Drag({30, 30}, {{90, 30}});
    ASSERT_EQ(page->controls.size(), 1);
    EXPECT_EQ(Rect(page->controls.first()), (IntRect{30, 30, 90, 30}));
}

// ---------------------------------------------------------------- hover and hit kinds

TEST_F(ViewTest, HoverGivesTheHitKindOfTheToolAndTheControlUnderThePointer)
{
    TestControl* a = Add(4, 100, 100, 200, 150);
    view->Hover({10, 10});
    EXPECT_EQ(view->GetHitKind(), HitKind::Nothing);
    view->Hover({150, 120});
    EXPECT_EQ(view->GetHitKind(), HitKind::Body);
    view->Hover({100, 100}); // a handle, but the control is not selected
    EXPECT_EQ(view->GetHitKind(), HitKind::Body);

    a->selected = true;
    view->Hover({101, 98});
    EXPECT_EQ(view->GetHitKind(), HitKind::Handle);
    EXPECT_EQ(view->GetHandleCode(), 1);
    view->Hover({203, 153});
    EXPECT_EQ(view->GetHandleCode(), 9);
    view->Hover({204, 153}); // outside the 7 x 7 square
    EXPECT_EQ(view->GetHitKind(), HitKind::Nothing);

    // Two selected controls: no handles.
    Add(4, 300, 300, 310, 310)->selected = true;
    view->Hover({100, 100});
    EXPECT_EQ(view->GetHitKind(), HitKind::Body);

    t->delegate.toolMode = 105;
    view->Hover({10, 10});
    EXPECT_EQ(view->GetHitKind(), HitKind::Brush);
    t->delegate.toolMode = 30;
    view->Hover({150, 120});
    EXPECT_EQ(view->GetHitKind(), HitKind::Create);
}

TEST_F(ViewTest, TheLaterControlIsHitFirstUnlessASelectedOneReachesFurther)
{
    TestControl* below = Add(4, 0, 0, 20, 20);
    TestControl* above = Add(4, 23, 0, 40, 20);
    below->lineWidth = 1;
    above->lineWidth = 1;
    Add(4, 10, 5, 30, 15)->lineWidth = 1; // the topmost over both

    EXPECT_EQ(page->ControlAt({12, 10}), page->controls.last());
    EXPECT_EQ(page->ControlAt({22, 2}), above);
    EXPECT_EQ(page->ControlAt({21, 2}), nullptr);
    below->selected = true; // the margin grows from 1 to 4
    EXPECT_EQ(page->ControlAt({21, 2}), below);
    EXPECT_EQ(page->ControlAt({23, 2}), above);

    above->visible = 0;
    EXPECT_EQ(page->ControlAt({30, 2}), nullptr);
}

// ---------------------------------------------------------------- selection

TEST_F(ViewTest, AClickSelectsOnlyTheControlAndMakesItCurrent)
{
    TestControl* a = Add(4, 0, 0, 50, 50);
    TestControl* b = Add(4, 100, 0, 150, 50);
    a->selected = true;
    Click({120, 20});
    EXPECT_FALSE(a->selected);
    EXPECT_TRUE(b->selected);
    EXPECT_EQ(t->delegate.current, b);
    EXPECT_EQ(view->GetFocusControl(), b);
    EXPECT_FALSE(page->CanUndo()); // a click is no step

    // A second click on the current control only repaints.
    t->delegate.log.clear();
    Click({120, 20});
    EXPECT_EQ(t->delegate.Calls("SelectControl"), 0);
}

TEST_F(ViewTest, AClickIntoAMultipleSelectionKeepsIt)
{
    TestControl* a = Add(4, 0, 0, 50, 50);
    TestControl* b = Add(4, 100, 0, 150, 50);
    Add(4, 200, 0, 250, 50);
    a->selected = true;
    b->selected = true;
    view->SetFocusControl(a);
    Click({120, 20});
    EXPECT_TRUE(a->selected);
    EXPECT_TRUE(b->selected);
    EXPECT_EQ(t->delegate.Calls("ClearCurrentControl"), 1);
    EXPECT_EQ(view->GetFocusControl(), a);
}

TEST_F(ViewTest, ShiftTogglesTheClickedControl)
{
    TestControl* a = Add(4, 0, 0, 50, 50);
    TestControl* b = Add(4, 100, 0, 150, 50);
    Click({20, 20});
    Click({120, 20}, Shift());
    EXPECT_TRUE(a->selected);
    EXPECT_TRUE(b->selected);
    EXPECT_EQ(t->delegate.current, nullptr);

    Click({20, 20}, Shift());
    EXPECT_FALSE(a->selected);
    EXPECT_TRUE(b->selected);
    EXPECT_EQ(t->delegate.current, b);
    EXPECT_EQ(view->GetFocusControl(), b);

    Click({120, 20}, Shift());
    EXPECT_EQ(page->SelectedCount(), 0);
    EXPECT_EQ(view->GetFocusControl(), nullptr);
    EXPECT_EQ(t->delegate.current, nullptr);
}

TEST_F(ViewTest, AClickOnTheEmptyPageClearsTheSelectionAndShowsThePage)
{
    TestControl* a = Add(4, 0, 0, 50, 50);
    Click({20, 20});
    Click({400, 400});
    EXPECT_FALSE(a->selected);
    EXPECT_EQ(t->delegate.current, page);
    EXPECT_EQ(view->GetFocusControl(), nullptr);

    // Also when the page is current already (Ctrl+A with a single control keeps it so).
    ViewKeys ctrl = Ctrl();
    view->HandleKey(Qt::Key_A, ctrl);
    EXPECT_TRUE(a->selected);
    EXPECT_EQ(t->delegate.current, page);
    Click({400, 400});
    EXPECT_FALSE(a->selected);
}

// ---------------------------------------------------------------- moving and resizing

TEST_F(ViewTest, DraggingMovesTheSelectionInIncrementsAsOneStep)
{
    TestControl* a = Add(4, 0, 0, 50, 50);
    TestControl* b = Add(4, 100, 0, 150, 50);
    TestControl* c = Add(4, 200, 0, 250, 50);
    a->selected = true;
    b->selected = true;
    Drag({120, 20}, {{125, 22}, {130, 30}});
    EXPECT_EQ(Rect(a), (IntRect{10, 10, 60, 60}));
    EXPECT_EQ(Rect(b), (IntRect{110, 10, 160, 60}));
    EXPECT_EQ(Rect(c), (IntRect{200, 0, 250, 50}));
    EXPECT_EQ(page->UndoCount(), 1);
    page->Undo();
    EXPECT_EQ(Rect(a), (IntRect{0, 0, 50, 50}));
    EXPECT_EQ(Rect(b), (IntRect{100, 0, 150, 50}));
}

TEST_F(ViewTest, VKeepsXAndHKeepsY)
{
    TestControl* a = Add(4, 0, 0, 50, 50);
    ViewKeys v;
    v.keyV = true;
    Drag({20, 20}, {{35, 27}}, v);
    EXPECT_EQ(Rect(a), (IntRect{0, 7, 50, 57}));
    ViewKeys h;
    h.keyH = true;
    Drag({20, 20}, {{35, 27}}, h);
    EXPECT_EQ(Rect(a), (IntRect{15, 7, 65, 57}));
    EXPECT_EQ(page->UndoCount(), 2);
}

TEST_F(ViewTest, AMoveGestureWithoutMovementRecordsNothing)
{
    TestControl* a = Add(4, 0, 0, 50, 50);
    Click({20, 20});
    EXPECT_FALSE(view->IsMoved());
    // A movement to the same page point (under a page pixel at small zoom) is none either.
    Drag({20, 20}, {{20, 20}, {20, 20}});
    EXPECT_FALSE(page->CanUndo());
    EXPECT_EQ(Rect(a), (IntRect{0, 0, 50, 50}));

    // There and back again is a step.
    Drag({20, 20}, {{30, 20}, {20, 20}});
    EXPECT_EQ(page->UndoCount(), 1);
    EXPECT_EQ(Rect(a), (IntRect{0, 0, 50, 50}));
}

TEST_F(ViewTest, DraggingAHandleResizesTheOnlySelectedControl)
{
    TestControl* a = Add(4, 100, 100, 200, 150);
    Click({150, 120});
    Drag({200, 150}, {{230, 170}});
    EXPECT_EQ(Rect(a), (IntRect{100, 100, 230, 170}));
    Drag({100, 100}, {{90, 80}});
    EXPECT_EQ(Rect(a), (IntRect{90, 80, 230, 170}));
    // Dragging the start point past the end point: Refresh orders the points again.
    Drag({90, 80}, {{300, 90}});
    EXPECT_EQ(Rect(a), (IntRect{230, 90, 300, 170}));
    EXPECT_EQ(t->delegate.current, a);
    EXPECT_EQ(page->UndoCount(), 3);
    page->Undo();
    EXPECT_EQ(Rect(a), (IntRect{90, 80, 230, 170}));
}

TEST_F(ViewTest, AHandleOfOneOfTwoSelectedControlsMovesBoth)
{
    TestControl* a = Add(4, 100, 100, 200, 150);
    TestControl* b = Add(4, 300, 100, 400, 150);
    a->selected = true;
    b->selected = true;
    Drag({100, 100}, {{110, 105}});
    EXPECT_EQ(Rect(a), (IntRect{110, 105, 210, 155}));
    EXPECT_EQ(Rect(b), (IntRect{310, 105, 410, 155}));
}

// ---------------------------------------------------------------- Ctrl-duplicate

TEST_F(ViewTest, CtrlDragOnAnUnselectedControlDuplicatesOnlyItAndMovesTheCopy)
{
    TestControl* a = Add(4, 0, 0, 50, 50);
    TestControl* b = Add(4, 100, 0, 150, 50);
    a->selected = true;
    Drag({120, 20}, {{120, 80}}, Ctrl());
    ASSERT_EQ(page->controls.size(), 3);
    XControl* copy = page->controls.last();
    EXPECT_EQ(Rect(copy), (IntRect{100, 60, 150, 110}));
    EXPECT_EQ(Rect(b), (IntRect{100, 0, 150, 50}));
    EXPECT_FALSE(a->selected);
    EXPECT_FALSE(b->selected);
    EXPECT_TRUE(copy->selected);
    EXPECT_EQ(t->delegate.current, copy);
    EXPECT_EQ(view->GetFocusControl(), copy);
    EXPECT_EQ(page->UndoCount(), 2); // the copy and its move
    page->Undo();
    page->Undo();
    EXPECT_EQ(page->controls.size(), 2);
}

TEST_F(ViewTest, CtrlDragInASelectionDuplicatesAllOfItAndMovesTheCopies)
{
    TestControl* a = Add(4, 0, 0, 50, 50);
    TestControl* b = Add(4, 100, 0, 150, 50);
    Add(4, 200, 0, 250, 50);
    a->selected = true;
    b->selected = true;
    Drag({20, 20}, {{20, 100}}, Ctrl());
    ASSERT_EQ(page->controls.size(), 5);
    XControl* copyOfB = page->controls[3];
    XControl* copyOfA = page->controls[4];
    EXPECT_EQ(Rect(copyOfA), (IntRect{0, 80, 50, 130}));
    EXPECT_EQ(Rect(copyOfB), (IntRect{100, 80, 150, 130}));
    EXPECT_EQ(Rect(a), (IntRect{0, 0, 50, 50}));
    EXPECT_EQ(view->GetFocusControl(), copyOfB); // the first selected in list order
    EXPECT_EQ(t->delegate.current, nullptr);
}

TEST_F(ViewTest, CtrlDragOnAHandleMovesTheCopyInsteadOfResizingIt)
{
    TestControl* a = Add(4, 100, 100, 200, 150);
    Click({150, 120});
    Drag({200, 150}, {{210, 170}}, Ctrl());
    ASSERT_EQ(page->controls.size(), 2);
    EXPECT_EQ(Rect(page->controls.last()), (IntRect{110, 120, 210, 170}));
    EXPECT_EQ(Rect(a), (IntRect{100, 100, 200, 150}));
}

// ---------------------------------------------------------------- double click

TEST_F(ViewTest, DoubleClickReachesTheControlOnlyWithASingleSelection)
{
    TestControl* a = Add(5, 0, 0, 50, 50);
    TestControl* b = Add(5, 100, 0, 150, 50);
    Click({20, 20});
    view->DoubleClick({20, 20});
    EXPECT_EQ(a->doubleClickCount, 1);
    EXPECT_EQ(a->lastDoubleClick, QPoint(20, 20));

    b->selected = true;
    view->DoubleClick({20, 20});
    EXPECT_EQ(a->doubleClickCount, 1);

    page->SelectOnly(a);
    t->delegate.toolMode = 4;
    view->DoubleClick({20, 20});
    EXPECT_EQ(a->doubleClickCount, 1);
}

} // namespace
