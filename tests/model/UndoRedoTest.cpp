#include "support/TestProject.h"

#include "model/TActionCommand.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList Names(const XPage* page)
{
    QStringList names;
    for (const XControl* c : page->controls)
        names << c->name;
    return names;
}

IntRect Rect(const XControl* c)
{
    return {c->x1, c->y1, c->x2, c->y2};
}

// One recorded move of every selected control, as a nudge does it.
void MoveStep(XPage* page, int dx, int dy)
{
    page->BeginMove();
    page->MoveSelected(dx, dy);
    page->EndMove();
}

class UndoRedo : public ::testing::Test {
protected:
    void SetUp() override
    {
        liveBefore = TestControl::live;
        t = std::make_unique<TestProject>();
        page = t->AddPage(QStringLiteral("PAGE-0"));
        ASSERT_NE(page, nullptr);
    }
    void TearDown() override
    {
        t.reset();
        // Every test control made during the test died exactly once with its owner.
        EXPECT_EQ(TestControl::live, liveBefore);
    }

    int liveBefore = 0;
    std::unique_ptr<TestProject> t;
    XPage* page = nullptr;
};

TEST_F(UndoRedo, DuplicateAddsCopiesOnTopAsOneStepAndUndoRedoMovesTheSameObjects)
{
    TestControl* a = t->Add(page, 4, 10, 10, 50, 40);
    TestControl* b = t->Add(page, 4, 100, 10, 150, 40);
    TestControl* c = t->Add(page, 2, 0, 0, 30, 30);
    a->selected = true;
    b->selected = true;
    a->color = 0x123456;

    EXPECT_EQ(page->DuplicateSelection(), 2);
    ASSERT_EQ(page->controls.size(), 5);
    // The list is walked from the top, so the copies lie in the reverse order of their sources.
    XControl* copyOfB = page->controls[3];
    XControl* copyOfA = page->controls[4];
    EXPECT_EQ(Names(page), (QStringList{"RECTANGLE-0", "RECTANGLE-1", "LINE-0", "RECTANGLE-2", "RECTANGLE-3"}));
    EXPECT_EQ(Rect(copyOfB), Rect(b));
    EXPECT_EQ(copyOfA->color, 0x123456u);
    EXPECT_FALSE(a->selected);
    EXPECT_FALSE(b->selected);
    EXPECT_FALSE(c->selected);
    EXPECT_TRUE(copyOfA->selected);
    EXPECT_TRUE(copyOfB->selected);
    EXPECT_EQ(page->UndoCount(), 1);

    page->Undo();
    EXPECT_EQ(Names(page), (QStringList{"RECTANGLE-0", "RECTANGLE-1", "LINE-0"}));
    EXPECT_EQ(page->UndoCount(), 0);
    EXPECT_EQ(page->RedoCount(), 1);
    EXPECT_EQ(t->delegate.Calls("RemoveTreeItem"), 2);

    page->Redo();
    ASSERT_EQ(page->controls.size(), 5);
    EXPECT_EQ(page->controls[3], copyOfB);
    EXPECT_EQ(page->controls[4], copyOfA);
    EXPECT_EQ(page->UndoCount(), 1);
    EXPECT_EQ(page->RedoCount(), 0);
}

TEST_F(UndoRedo, DuplicateWithoutSelectionRecordsNothing)
{
    t->Add(page, 4, 0, 0, 10, 10);
    EXPECT_EQ(page->DuplicateSelection(), 0);
    EXPECT_EQ(page->controls.size(), 1);
    EXPECT_FALSE(page->CanUndo());
}

TEST_F(UndoRedo, UndoOfDeleteBringsTheControlBackOnTopWithItsNameOrTheFirstFreeOne)
{
    TestControl* a = t->Add(page, 4, 0, 0, 10, 10);
    TestControl* b = t->Add(page, 4, 20, 0, 30, 10);
    TestControl* c = t->Add(page, 4, 40, 0, 50, 10);
    a->selected = true;
    c->selected = true;
    t->delegate.current = a;

    EXPECT_TRUE(page->DeleteSelection());
    EXPECT_EQ(page->controls, (QList<XControl*>{b}));
    EXPECT_FALSE(a->selected);
    EXPECT_EQ(t->delegate.current, nullptr); // the pane lost the removed control
    EXPECT_FALSE(page->DeleteSelection());   // nothing selected any more
    EXPECT_EQ(page->UndoCount(), 1);

    // Meanwhile a new rectangle takes the freed name RECTANGLE-0.
    TestControl* d = MakeTestControl(4, 0, 0, 5, 5);
    page->AddControl(d);
    EXPECT_EQ(d->name, "RECTANGLE-0");

    page->Undo();
    EXPECT_EQ(page->controls, (QList<XControl*>{b, d, a, c}));
    EXPECT_EQ(a->name, "RECTANGLE-2");
    EXPECT_EQ(c->name, "RECTANGLE-3");
    EXPECT_EQ(Rect(a), (IntRect{0, 0, 10, 10}));

    page->Redo();
    EXPECT_EQ(page->controls, (QList<XControl*>{b, d}));

    // Its own name, while it is free, even when a lower number is free as well.
    d->selected = true;
    ASSERT_TRUE(page->DeleteSelection()); // RECTANGLE-0 is free now
    b->selected = true;
    ASSERT_TRUE(page->DeleteSelection());
    page->Undo();
    EXPECT_EQ(b->name, "RECTANGLE-1");
    page->Undo();
    EXPECT_EQ(d->name, "RECTANGLE-0");
}

TEST_F(UndoRedo, OnlyTheLastTwentyStepsStayAndTheOldestDiesWithItsCommands)
{
    // 21 deletes of one control each: the oldest group holds the only reference to its
    // control, so it must be deleted with it.
    QList<TestControl*> made;
    for (int i = 0; i < 21; ++i)
        made << t->Add(page, 4, i, 0, i + 5, 5);
    const int liveWithAll = TestControl::live;
    for (TestControl* c : made) {
        page->SelectOnly(c);
        ASSERT_TRUE(page->DeleteSelection());
    }
    EXPECT_EQ(page->UndoCount(), 20);
    EXPECT_EQ(TestControl::live, liveWithAll - 1); // the first deleted control is gone

    for (int i = 0; i < 25; ++i)
        page->Undo();
    EXPECT_EQ(page->UndoCount(), 0);
    EXPECT_EQ(page->RedoCount(), 20);
    EXPECT_EQ(page->controls.size(), 20);
    EXPECT_FALSE(page->controls.contains(made.first()));
    EXPECT_TRUE(page->controls.contains(made[1]));
}

TEST_F(UndoRedo, TwentyOneMovesKeepTheLastTwenty)
{
    TestControl* a = t->Add(page, 4, 0, 0, 10, 10);
    a->selected = true;
    for (int i = 0; i < 21; ++i)
        MoveStep(page, 1, 0);
    EXPECT_EQ(a->x1, 21);
    while (page->CanUndo())
        page->Undo();
    // The first step cannot be undone any more.
    EXPECT_EQ(a->x1, 1);
    EXPECT_EQ(page->RedoCount(), 20);
    while (page->CanRedo())
        page->Redo();
    EXPECT_EQ(a->x1, 21);
}

TEST_F(UndoRedo, ANewStepClearsTheRedoListAndDeletesWhatOnlyItHeld)
{
    const int liveAtStart = TestControl::live;
    TestControl* a = t->Add(page, 4, 0, 0, 10, 10);
    // A creation is recorded after the fact: the control is already on the page.
    page->PushCommand(new TControlExistCommand(a, page, false));
    a->selected = true;
    MoveStep(page, 5, 0);
    MoveStep(page, 5, 0);

    page->Undo();
    page->Undo();
    page->Undo(); // the creation: the command now owns the control
    EXPECT_TRUE(page->controls.isEmpty());
    EXPECT_EQ(page->RedoCount(), 3);
    EXPECT_EQ(TestControl::live, liveAtStart + 1);

    TestControl* b = t->Add(page, 4, 0, 0, 10, 10);
    b->selected = true;
    MoveStep(page, 0, 3);
    EXPECT_EQ(page->RedoCount(), 0);
    EXPECT_EQ(page->UndoCount(), 1);
    EXPECT_EQ(TestControl::live, liveAtStart + 1); // a died with the redo list, b lives
    page->Redo(); // nothing to redo
    EXPECT_EQ(b->y1, 3);
}

TEST_F(UndoRedo, RedoDoesNotClearAndEmptyListsDoNothing)
{
    page->Undo();
    page->Redo();
    EXPECT_EQ(page->UndoCount() + page->RedoCount(), 0);

    TestControl* a = t->Add(page, 4, 0, 0, 10, 10);
    a->selected = true;
    MoveStep(page, 1, 0);
    MoveStep(page, 1, 0);
    page->Undo();
    page->Undo();
    page->Redo();
    EXPECT_EQ(page->RedoCount(), 1);
    EXPECT_EQ(page->UndoCount(), 1);
    EXPECT_EQ(a->x1, 1);
}

TEST_F(UndoRedo, TwoPagesKeepTheirOwnHistories)
{
    XPage* other = t->AddPage(QStringLiteral("PAGE-1"));
    TestControl* a = t->Add(page, 4, 0, 0, 10, 10);
    TestControl* b = t->Add(other, 4, 0, 0, 10, 10);
    a->selected = true;
    b->selected = true;
    MoveStep(page, 10, 0);
    MoveStep(other, 0, 7);
    MoveStep(other, 0, 7);

    page->Undo();
    EXPECT_EQ(a->x1, 0);
    EXPECT_EQ(b->y1, 14);
    EXPECT_EQ(other->UndoCount(), 2);
    EXPECT_EQ(other->RedoCount(), 0);

    // A new step on the other page leaves this page's redo list alone.
    b->selected = true;
    MoveStep(other, 0, 1);
    EXPECT_EQ(page->RedoCount(), 1);
    page->Redo();
    EXPECT_EQ(a->x1, 10);
}

TEST_F(UndoRedo, EmptyGroupsAndNullCommandsAreNeverPushed)
{
    page->PushCommands(new TActionCommands);
    page->PushCommand(nullptr);
    page->PushCommands(nullptr);
    EXPECT_FALSE(page->CanUndo());

    // EndMove without a selected control records nothing.
    t->Add(page, 4, 0, 0, 10, 10);
    page->BeginMove();
    page->EndMove();
    EXPECT_FALSE(page->CanUndo());
}

TEST_F(UndoRedo, AMoveIsRecordedEvenWhenTheControlsReturned)
{
    TestControl* a = t->Add(page, 4, 0, 0, 10, 10);
    a->selected = true;
    page->BeginMove();
    page->MoveSelected(5, 5);
    page->MoveSelected(-5, -5);
    page->EndMove();
    EXPECT_EQ(page->UndoCount(), 1);
    page->Undo();
    EXPECT_EQ(Rect(a), (IntRect{0, 0, 10, 10}));
}

TEST_F(UndoRedo, UndoOfAMoveDeselectsControlsThatAreNotCurrent)
{
    TestControl* a = t->Add(page, 4, 0, 0, 10, 10);
    TestControl* b = t->Add(page, 4, 20, 0, 30, 10);
    a->selected = true;
    b->selected = true;
    t->delegate.current = b;
    MoveStep(page, 3, 4);
    page->Undo();
    EXPECT_EQ(Rect(a), (IntRect{0, 0, 10, 10}));
    EXPECT_EQ(Rect(b), (IntRect{20, 0, 30, 10}));
    EXPECT_FALSE(a->selected);
    EXPECT_TRUE(b->selected);
    EXPECT_EQ(t->delegate.Calls("RefreshProperties"), 1);
}

TEST_F(UndoRedo, UndoOfAMoveGivesALineItsDirectionBack)
{
    // Drawn from bottom-left to top-right: the ordered rectangle would be the other diagonal.
    TestControl* line = t->Add(page, 2, 0, 100, 100, 0);
    line->selected = true;
    MoveStep(page, 10, 10);
    EXPECT_EQ(Rect(line), (IntRect{10, 110, 110, 10}));
    page->Undo();
    EXPECT_EQ(Rect(line), (IntRect{0, 100, 100, 0}));
    page->Redo();
    EXPECT_EQ(Rect(line), (IntRect{10, 110, 110, 10}));

    // A resize that turned the line over comes back as it was too.
    line->selected = true;
    page->BeginMove();
    line->x1 = 200; // the start point dragged past the end point
    page->EndMove();
    page->Undo();
    EXPECT_EQ(Rect(line), (IntRect{10, 110, 110, 10}));
}

// ---------------------------------------------------------------- change commands

class ChangeCommand : public UndoRedo {
protected:
    // Changes the text of the control the way a property edit does.
    void EditText(TestControl* c, const QString& text)
    {
        XControl* snapshot = t->delegate.CloneControl(c, true);
        c->text = text;
        page->PushCommand(new TControlChangeCommand(snapshot, c));
    }
};

TEST_F(ChangeCommand, UndoRestoresTheSnapshotAndRedoTheChange)
{
    TestControl* a = t->Add(page, 3, 0, 0, 10, 10);
    a->text = QStringLiteral("before");
    t->delegate.current = a;
    EditText(a, QStringLiteral("after"));
    page->Undo();
    EXPECT_EQ(a->text, "before");
    page->Redo();
    EXPECT_EQ(a->text, "after");
    page->Undo();
    EXPECT_EQ(a->text, "before");
}

TEST_F(ChangeCommand, SelectionFollowsThePropertyPane)
{
    TestControl* a = t->Add(page, 3, 0, 0, 10, 10);
    TestControl* other = t->Add(page, 3, 20, 0, 30, 10);

    // Current control is this one: the pane is refilled, the mark stays.
    a->selected = true;
    t->delegate.current = a;
    EditText(a, QStringLiteral("x"));
    t->delegate.log.clear();
    page->Undo();
    EXPECT_TRUE(a->selected);
    EXPECT_EQ(t->delegate.Calls("RefreshProperties"), 1);

    // Another control is current: this one loses its mark.
    t->delegate.current = other;
    page->Redo();
    EXPECT_FALSE(a->selected);
    EXPECT_EQ(t->delegate.current, other);

    // No current control: this one becomes current and selected.
    t->delegate.current = nullptr;
    page->Undo();
    EXPECT_EQ(t->delegate.current, a);
    EXPECT_TRUE(a->selected);
}

TEST_F(ChangeCommand, ARenameUndoneRelabelsTheTreeItem)
{
    TestControl* a = t->Add(page, 3, 0, 0, 10, 10);
    t->delegate.current = a;
    XControl* snapshot = t->delegate.CloneControl(a, true);
    a->name = QStringLiteral("Title");
    page->PushCommand(new TControlChangeCommand(snapshot, a));
    t->delegate.log.clear();
    page->Undo();
    EXPECT_EQ(a->name, "TEXT-0");
    EXPECT_EQ(t->delegate.log.filter("UpdateTreeItem"), QStringList{"UpdateTreeItem TEXT-0"});
    t->delegate.log.clear();
    EditText(a, QStringLiteral("same name")); // no rename: no relabel
    page->Undo();
    EXPECT_EQ(t->delegate.Calls("UpdateTreeItem"), 0);
}

TEST_F(ChangeCommand, ATargetPageDeletedMeanwhileBecomesNone)
{
    XPage* target = t->AddPage(QStringLiteral("Menu"));
    TestControl* button = t->Add(page, 6, 0, 0, 50, 20);
    button->SetTarget(target);
    t->delegate.current = button;
    XControl* snapshot = t->delegate.CloneControl(button, true);
    button->SetTarget(nullptr);
    page->PushCommand(new TControlChangeCommand(snapshot, button));

    t->project.DeletePage(target);
    page->Undo();
    EXPECT_EQ(button->target, nullptr);
    EXPECT_EQ(button->TargetName(), "NONE");
}

TEST_F(ChangeCommand, ATargetPageStillThereIsFoundAgainByName)
{
    XPage* target = t->AddPage(QStringLiteral("Menu"));
    TestControl* button = t->Add(page, 6, 0, 0, 50, 20);
    button->SetTarget(target);
    t->delegate.current = button;
    XControl* snapshot = t->delegate.CloneControl(button, true);
    button->SetTarget(nullptr);
    page->PushCommand(new TControlChangeCommand(snapshot, button));
    page->Undo();
    EXPECT_EQ(button->target, target);
    EXPECT_EQ(button->TargetName(), "Menu");
}

TEST_F(ChangeCommand, ControlsWaitingInTheHistoryForgetADeletedPage)
{
    // A deleted button keeps its target page; the page is deleted while the button waits
    // in the undo list. Undo must not bring back a pointer to the freed page.
    XPage* target = t->AddPage(QStringLiteral("Menu"));
    TestControl* button = t->Add(page, 6, 0, 0, 50, 20);
    TestControl* other = t->Add(page, 6, 60, 0, 90, 20);
    button->SetTarget(target);
    other->SetTarget(target);
    // And a snapshot of another button that still refers to the page.
    XControl* snapshot = t->delegate.CloneControl(other, true);
    other->SetTarget(nullptr);
    page->PushCommand(new TControlChangeCommand(snapshot, other));
    page->SelectOnly(button);
    ASSERT_TRUE(page->DeleteSelection());

    t->project.DeletePage(target);
    page->Undo();
    ASSERT_TRUE(page->controls.contains(button));
    EXPECT_EQ(button->target, nullptr);
    EXPECT_EQ(button->TargetName(), "NONE");
    page->Undo();
    EXPECT_EQ(other->target, nullptr);
    EXPECT_EQ(other->TargetName(), "NONE");
}

TEST_F(ChangeCommand, ControlsWaitingInTheHistoryForgetARemovedInterlockGroup)
{
    page->AddGroup(QStringLiteral("Lights"));
    TestControl* button = t->Add(page, 6, 0, 0, 50, 20);
    ASSERT_TRUE(button->SetInterlockGroup(QStringLiteral("Lights")));
    ASSERT_NE(button->group, nullptr);
    page->SelectOnly(button);
    ASSERT_TRUE(page->DeleteSelection());

    ASSERT_TRUE(page->RemoveGroup(QStringLiteral("Lights")));
    page->Undo();
    EXPECT_EQ(button->group, nullptr);
    EXPECT_EQ(button->GroupName(), "NONE");
}

TEST_F(ChangeCommand, ASliderRemovedFromThePageIsForgottenByItsPictures)
{
    TestControl* slider = t->Add(page, 8, 0, 0, 100, 20);
    TestControl* picture = t->Add(page, 12, 0, 30, 100, 50);
    picture->SetLinked(slider);
    page->SelectOnly(slider);
    ASSERT_TRUE(page->DeleteSelection());
    EXPECT_EQ(picture->linked, nullptr);
    EXPECT_EQ(picture->LinkedName(), "NONE");
    page->Undo(); // the slider is back, the picture's link is not
    EXPECT_TRUE(page->controls.contains(slider));
    EXPECT_EQ(picture->linked, nullptr);
}

TEST_F(ChangeCommand, SetSelectionActiveRecordsOneStepForTheButtonsThatChange)
{
    TestControl* b1 = t->Add(page, 6, 0, 0, 10, 10);
    TestControl* b2 = t->Add(page, 15, 20, 0, 30, 10);
    TestControl* b3 = t->Add(page, 6, 40, 0, 50, 10);
    TestControl* rect = t->Add(page, 4, 60, 0, 70, 10);
    b2->active = 1;
    page->SelectAll();
    t->delegate.current = nullptr;

    EXPECT_TRUE(page->SetSelectionActive(1));
    EXPECT_EQ(b1->active, 1);
    EXPECT_EQ(b3->active, 1);
    EXPECT_EQ(rect->GetActiveFlag(), -1);
    EXPECT_EQ(page->UndoCount(), 1);
    EXPECT_FALSE(page->SetSelectionActive(1)); // nothing differs any more
    EXPECT_EQ(page->UndoCount(), 1);

    page->Undo();
    EXPECT_EQ(b1->active, 0);
    EXPECT_EQ(b2->active, 1);
    EXPECT_EQ(b3->active, 0);
    page->Redo();
    EXPECT_EQ(b1->active, 1);
    EXPECT_EQ(b3->active, 1);
}

TEST_F(UndoRedo, ExistCommandsOnlyMoveControlsWhoseStateMatches)
{
    TestControl* a = t->Add(page, 4, 0, 0, 10, 10);
    {
        // Claims a control that is on the page as pending: adding it again would put it in
        // the list twice, and deleting the command would free a control of the page.
        TControlExistCommand misuse(a, page, true);
        misuse.Execute();
        EXPECT_EQ(page->controls.size(), 1);
        EXPECT_TRUE(misuse.PendingAdd());
    }
    EXPECT_EQ(page->controls, (QList<XControl*>{a}));
    EXPECT_EQ(a->name, "RECTANGLE-0");
}

TEST_F(UndoRedo, DestroyingThePageFreesEveryHeldControlOnce)
{
    // Removed controls in the undo list, undone creations in the redo list, snapshots and
    // live controls all die with the page (TearDown checks the count).
    TestControl* a = t->Add(page, 4, 0, 0, 10, 10);
    TestControl* b = t->Add(page, 4, 20, 0, 30, 10);
    TestControl* c = t->Add(page, 4, 40, 0, 50, 10);
    page->PushCommand(new TControlExistCommand(c, page, false));
    XControl* snapshot = t->delegate.CloneControl(b, true);
    b->text = QStringLiteral("changed");
    page->PushCommand(new TControlChangeCommand(snapshot, b));
    page->SelectOnly(a);
    page->DeleteSelection();
    page->SelectOnly(b);
    page->DuplicateSelection();
    page->Undo();
    page->Undo();
    EXPECT_GT(TestControl::live, liveBefore);
}

} // namespace
