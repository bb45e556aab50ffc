// References by name: jump targets, shown sub-pages and interlock groups, across loading,
// deleting, renaming and undo.

#include "ControlFixture.h"

#include "controls/XButton.h"
#include "controls/XFontButton.h"
#include "controls/XPageContainer.h"
#include "base/Translation.h"
#include "model/PropertyGridModel.h"
#include "model/TypeRegistry.h"

namespace {
XControl* Find(ProjectData& p, const QString& page, const QString& control)
{
    XPage* pg = p.FindPage(page);
    return pg ? pg->FindControl(control) : nullptr;
}

CMFCMyPropertyGridProperty* Row(PropertyGridModel& grid, XControl& c, quint32 id)
{
    c.FillProperties(grid);
    return grid.FindByData(id);
}
}

class ReferenceTest : public ControlFixture {
protected:
    ReferenceTest()
    {
        sub = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("Pop"));
        other = project.NewPage(TypeRegistry::kPage, QStringLiteral("Other"));
    }
    XPage* sub;
    XPage* other;
};

TEST_F(ReferenceTest, ResolveAfterLoadEvenWhenTargetsComeLater)
{
    // The first page refers to pages stored after it.
    page->AddGroup(QStringLiteral("Scenes"));
    auto* button = Add<XButton>();
    button->name = QStringLiteral("B");
    button->SetJumpTarget(other);
    button->SetInterlockGroup(QStringLiteral("Scenes"));
    auto* fontButton = Add<XFontButton>();
    fontButton->name = QStringLiteral("F");
    fontButton->SetJumpTarget(sub);
    auto* container = Add<XPageContainer>();
    container->name = QStringLiteral("C");
    container->SetSubPage(sub);

    auto loaded = SaveAndReload();
    auto* b = static_cast<XButton*>(Find(*loaded, QStringLiteral("Main"), QStringLiteral("B")));
    auto* f = static_cast<XFontButton*>(Find(*loaded, QStringLiteral("Main"), QStringLiteral("F")));
    auto* c = static_cast<XPageContainer*>(Find(*loaded, QStringLiteral("Main"), QStringLiteral("C")));
    ASSERT_TRUE(b && f && c);
    EXPECT_EQ(b->JumpTarget(), loaded->FindPage(QStringLiteral("Other")));
    EXPECT_EQ(f->JumpTarget(), loaded->FindPage(QStringLiteral("Pop")));
    EXPECT_EQ(c->SubPage(), loaded->FindPage(QStringLiteral("Pop")));
    ASSERT_NE(b->InterlockGroup(), nullptr);
    EXPECT_EQ(b->InterlockGroup(), b->page->FindGroup(QStringLiteral("Scenes")));
    EXPECT_EQ(b->buttonKind, 1);

    // Deleting the pages resets every reference to them.
    loaded->DeletePage(loaded->FindPage(QStringLiteral("Pop")));
    loaded->DeletePage(loaded->FindPage(QStringLiteral("Other")));
    EXPECT_EQ(b->JumpTarget(), nullptr);
    EXPECT_EQ(b->JumpTargetName(), QStringLiteral("NONE"));
    EXPECT_EQ(f->JumpTargetName(), QStringLiteral("NONE"));
    EXPECT_EQ(c->SubPage(), nullptr);
    EXPECT_EQ(c->SubPageName(), QStringLiteral("NONE"));
    // A page created afterwards under the old name is not picked up.
    loaded->NewPage(TypeRegistry::kPage, QStringLiteral("Other"));
    EXPECT_EQ(b->JumpTargetName(), QStringLiteral("NONE"));
}

TEST_F(ReferenceTest, UnresolvedNamesAreKeptAndWrittenAgain)
{
    auto* button = Add<XButton>();
    button->name = QStringLiteral("B");
    button->SetJumpTarget(other);
    auto* container = Add<XPageContainer>();
    container->name = QStringLiteral("C");
    container->SetSubPage(sub);
    ASSERT_TRUE(project.SaveProjectFile());
    // Remove the pages from the file by loading, dropping them and saving without
    // telling the controls (as an older editor might have left a file).
    auto loaded = SaveAndReload();
    std::unique_ptr<XPage> pop(loaded->FindPage(QStringLiteral("Pop")));
    std::unique_ptr<XPage> gone(loaded->FindPage(QStringLiteral("Other")));
    loaded->pages.removeAll(pop.get());
    loaded->pages.removeAll(gone.get());
    ASSERT_TRUE(loaded->SaveProjectFile());
    ProjectData again;
    again.mainDelegate = &reloadDelegate;
    QString message;
    ASSERT_TRUE(again.LoadProjectFile(project.GetDataFilePath(), message));
    auto* b = static_cast<XButton*>(again.FindPage(QStringLiteral("Main"))->FindControl(QStringLiteral("B")));
    auto* c = static_cast<XPageContainer*>(again.FindPage(QStringLiteral("Main"))->FindControl(QStringLiteral("C")));
    EXPECT_EQ(b->JumpTarget(), nullptr);
    EXPECT_EQ(b->JumpTargetName(), QStringLiteral("Other"));
    EXPECT_EQ(c->SubPage(), nullptr);
    EXPECT_EQ(c->SubPageName(), QStringLiteral("Pop"));
    // Saved again unchanged; an undo-style refresh turns them into "NONE".
    EXPECT_TRUE(Record(*b).contains(QByteArray("O\0t\0h\0e\0r\0", 10)));
    b->RefreshReferences();
    c->RefreshReferences();
    EXPECT_EQ(b->JumpTargetName(), QStringLiteral("NONE"));
    EXPECT_EQ(c->SubPageName(), QStringLiteral("NONE"));
}

TEST_F(ReferenceTest, RenamedTargetsAreFollowed)
{
    auto* button = Add<XButton>();
    button->SetJumpTarget(other);
    auto* container = Add<XPageContainer>();
    container->SetSubPage(sub);
    ASSERT_TRUE(other->Rename(QStringLiteral("Elsewhere")));
    ASSERT_TRUE(sub->Rename(QStringLiteral("Popup")));
    EXPECT_EQ(button->JumpTargetName(), QStringLiteral("Elsewhere"));
    EXPECT_EQ(container->SubPageName(), QStringLiteral("Popup"));
}

TEST_F(ReferenceTest, UndoSnapshotsNeverBringBackADeletedPage)
{
    auto* button = Add<XButton>();
    button->SetJumpTarget(other);
    PropertyGridModel grid;
    auto* colour = Row(grid, *button, 5);
    colour->SetValueFromEditor(QVariant::fromValue<uint>(MakeRgb(0, 255, 0)));
    ASSERT_TRUE(button->OnPropertyChanged(*colour));

    project.DeletePage(other);
    EXPECT_EQ(button->JumpTargetName(), QStringLiteral("NONE"));
    // A new page that may well reuse the deleted one's memory.
    XPage* fresh = project.NewPage(TypeRegistry::kPage, QStringLiteral("Fresh"));
    page->Undo();
    EXPECT_EQ(button->color, 0u);
    EXPECT_EQ(button->JumpTarget(), nullptr);
    EXPECT_EQ(button->JumpTargetName(), QStringLiteral("NONE"));
    page->Redo();
    EXPECT_EQ(button->color, MakeRgb(0, 255, 0));
    EXPECT_EQ(button->JumpTargetName(), QStringLiteral("NONE"));
    EXPECT_NE(button->JumpTarget(), fresh);
}

TEST_F(ReferenceTest, UndoAfterATargetWasRenamedKeepsTheTarget)
{
    auto* button = Add<XButton>();
    button->SetJumpTarget(other);
    auto* container = Add<XPageContainer>();
    container->SetSubPage(sub);
    PropertyGridModel grid;
    auto* code = Row(grid, *button, 26);
    code->SetValueFromEditor(12);
    ASSERT_TRUE(button->OnPropertyChanged(*code));
    auto* shown = Row(grid, *container, 56);
    shown->SetValueFromEditor(Translate("142"));
    ASSERT_TRUE(container->OnPropertyChanged(*shown));

    ASSERT_TRUE(other->Rename(QStringLiteral("Renamed")));
    ASSERT_TRUE(sub->Rename(QStringLiteral("Sub2")));
    page->Undo();
    page->Undo();
    EXPECT_EQ(button->sendCode, 0);
    EXPECT_EQ(button->JumpTarget(), other);
    EXPECT_EQ(button->JumpTargetName(), QStringLiteral("Renamed"));
    EXPECT_EQ(container->visible, 1);
    EXPECT_EQ(container->SubPage(), sub);
}

TEST_F(ReferenceTest, ACopyKeepsTheJumpTargetButTheGroupOnlyWithIdentity)
{
    page->AddGroup(QStringLiteral("G"));
    auto* button = Add<XButton>();
    button->SetJumpTarget(other);
    button->SetInterlockGroup(QStringLiteral("G"));
    std::unique_ptr<XControl> duplicate(button->Clone(false));
    std::unique_ptr<XControl> snapshot(button->Clone(true));
    auto* d = static_cast<XButton*>(duplicate.get());
    auto* s = static_cast<XButton*>(snapshot.get());
    EXPECT_EQ(d->JumpTarget(), other);
    EXPECT_EQ(d->InterlockGroupName(), QStringLiteral("NONE"));
    EXPECT_EQ(d->buttonKind, 1);
    EXPECT_EQ(s->InterlockGroupName(), QStringLiteral("G"));
    EXPECT_EQ(s->InterlockGroup(), nullptr); // by name only
}

TEST_F(ReferenceTest, InterlockGroupsSetKindRenameAndDelete)
{
    page->AddGroup(QStringLiteral("Scenes"));
    auto* button = Add<XButton>();
    EXPECT_FALSE(button->SetInterlockGroup(QStringLiteral("Missing")));
    ASSERT_TRUE(button->SetInterlockGroup(QStringLiteral("Scenes")));
    EXPECT_EQ(button->buttonKind, 1);
    EXPECT_FALSE(button->SetInterlockGroup(QStringLiteral("Scenes")));
    ASSERT_TRUE(button->SetInterlockGroup(QStringLiteral("NONE")));
    EXPECT_EQ(button->buttonKind, 0);
    EXPECT_EQ(delegate.propertyElement, button);

    ASSERT_TRUE(button->SetInterlockGroup(QStringLiteral("Scenes")));
    *page->FindGroup(QStringLiteral("Scenes")) = QStringLiteral("Moods"); // renamed in place
    EXPECT_EQ(button->InterlockGroupName(), QStringLiteral("Moods"));
    EXPECT_TRUE(Record(*button).contains(QByteArray("M\0o\0o\0d\0s\0", 10)));

    ASSERT_TRUE(page->RemoveGroup(QStringLiteral("Moods")));
    EXPECT_EQ(button->InterlockGroupName(), QStringLiteral("NONE"));
    EXPECT_EQ(button->buttonKind, 1); // the kind stays
}

TEST_F(ReferenceTest, ARemovedButtonDoesNotRejoinADeletedGroup)
{
    page->AddGroup(QStringLiteral("G"));
    auto* button = Add<XButton>();
    button->selected = true;
    ASSERT_TRUE(button->SetInterlockGroup(QStringLiteral("G")));
    ASSERT_TRUE(page->DeleteSelection()); // the button now lives in the undo step
    ASSERT_TRUE(page->RemoveGroup(QStringLiteral("G")));
    page->AddGroup(QStringLiteral("H")); // may take the old entry's place in memory
    page->Undo();
    ASSERT_TRUE(page->controls.contains(button));
    EXPECT_EQ(button->InterlockGroupName(), QStringLiteral("NONE"));
    EXPECT_TRUE(Record(*button).contains(QByteArray("N\0O\0N\0E\0", 8)));
}

TEST_F(ReferenceTest, ContainerRefusesItsOwnPageAndClearsOnNone)
{
    auto* container = Add<XPageContainer>();
    PropertyGridModel grid;
    auto* row = Row(grid, *container, 29);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->options, (QStringList{QStringLiteral("NONE"), QStringLiteral("Pop")}));
    row->SetValueFromEditor(QStringLiteral("Main"));
    EXPECT_FALSE(container->OnPropertyChanged(*row));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, Translate("145"));
    EXPECT_EQ(row->GetText(), QStringLiteral("NONE"));

    row->SetValueFromEditor(QStringLiteral("Pop"));
    ASSERT_TRUE(container->OnPropertyChanged(*row));
    EXPECT_EQ(container->SubPage(), sub);
    row->SetValueFromEditor(QStringLiteral("NONE"));
    ASSERT_TRUE(container->OnPropertyChanged(*row));
    EXPECT_EQ(container->SubPage(), nullptr);
    EXPECT_EQ(container->SubPageName(), QStringLiteral("NONE"));
    page->Undo();
    EXPECT_EQ(container->SubPage(), sub);
}

TEST_F(ReferenceTest, DuplicatedPageCopiesControlsWithFreshNamesButNotGroups)
{
    page->AddGroup(QStringLiteral("G"));
    auto* button = Add<XButton>();
    button->SetJumpTarget(other);
    button->SetInterlockGroup(QStringLiteral("G"));
    XControl* copy = delegate.DuplicateElement(page, false);
    auto* copied = dynamic_cast<XPage*>(copy);
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->interlockGroups.empty());
    ASSERT_EQ(copied->controls.size(), 1);
    auto* b = static_cast<XButton*>(copied->controls[0]);
    EXPECT_EQ(b->page, copied);
    EXPECT_EQ(b->name, QStringLiteral("BUTTON-0"));
    EXPECT_EQ(b->JumpTarget(), other);
    EXPECT_EQ(b->InterlockGroupName(), QStringLiteral("NONE"));
}
