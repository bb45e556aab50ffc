// Editing through the real main frame: the tree's drags and context menu, the property
// grid's editors, and the unsaved-changes marks they leave.
#include "FrameFixture.h"

#include "app/Commands.h"
#include "controls/XButton.h"
#include "controls/XPicker.h"
#include "editor/ui/CControlTreeCtrl.h"
#include "editor/ui/CMFCMyPropertyGridCtrl.h"
#include "editor/ui/CProjectTree.h"
#include "editor/ui/CPropertyView.h"
#include "model/ElementTypes.h"
#include "model/HeadlessMainDelegate.h"
#include "model/PropertyGridModel.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidgetItemIterator>

namespace {

class FrameEditing : public FrameFixture {
protected:
    // A project with pages Lobby, Lights, Hall, a sub-page Popup and two buttons on Lobby,
    // the first jumping to Lights; saved, so that it starts without unsaved changes.
    void Build()
    {
        project = NewProject(work.Path(QStringLiteral("Venue")));
        ASSERT_NE(project, nullptr);
        lobby = NewPage(QStringLiteral("Lobby"));
        lights = NewPage(QStringLiteral("Lights"));
        hall = NewPage(QStringLiteral("Hall"));
        popup = NewPage(QStringLiteral("Popup"), Cmd::NewSubPage);
        ASSERT_TRUE(lobby && lights && hall && popup);
        first = AddButton(lobby, QStringLiteral("Scene1"), 20);
        second = AddButton(lobby, QStringLiteral("Scene2"), 140);
        first->SetJumpTarget(lights);
        frame->OnCommand(Cmd::SaveProject);
        ASSERT_FALSE(project->IsModified());
    }

    XButton* AddButton(XPage* page, const QString& name, int x)
    {
        auto* b = static_cast<XButton*>(CreateElement(ElementType::kButton));
        b->SetBounds({x, 20, x + 100, 60});
        page->AddControl(b); // with a name of its own and its tree item
        b->name = name;
        frame->UpdateTreeItem(b);
        return b;
    }

    CControlTreeCtrl* Tree() const { return frame->TreePane()->Tree(); }
    QTreeWidgetItem* Item(const XControl* e) const { return frame->TreePane()->FindItem(e); }

    void TreeDrag(QTreeWidgetItem* from, QTreeWidgetItem* to)
    {
        CControlTreeCtrl* tree = Tree();
        tree->expandAll();
        tree->scrollToItem(to);
        QWidget* vp = tree->viewport();
        const QPoint a = tree->visualItemRect(from).center();
        const QPoint b = tree->visualItemRect(to).center();
        QTest::mousePress(vp, Qt::LeftButton, {}, a);
        QMouseEvent move(QEvent::MouseMove, b, vp->mapToGlobal(b), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(vp, &move);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, b);
        QApplication::processEvents();
    }


    QString RowValue(quint32 id) const { return GridValue(id); }

    bool TreeMarked() const
    {
        QTreeWidgetItem* item = frame->TreePane()->FindProjectItem(project);
        return item && item->text(0).endsWith(QStringLiteral(" *"));
    }

    void Refresh()
    {
        frame->UpdateCommandUI();
        QApplication::processEvents();
    }

    ProjectData* project = nullptr;
    XPage* lobby = nullptr;
    XPage* lights = nullptr;
    XPage* hall = nullptr;
    XPage* popup = nullptr;
    XButton* first = nullptr;
    XButton* second = nullptr;
};

} // namespace

TEST_F(FrameEditing, TheTreeMirrorsALoadedProjectInOrder)
{
    const QString folder = work.Path(QStringLiteral("Lobby"));
    ASSERT_TRUE(FileUtil::CopyFolder(QStringLiteral(MVL_SOURCE_DIR "/examples/Lobby"), folder));
    ASSERT_TRUE(frame->OpenProjectFile(folder + QStringLiteral("/Lobby.mvl")));
    project = frame->CurrentProject();
    QTreeWidgetItem* projectItem = frame->TreePane()->FindProjectItem(project);
    ASSERT_NE(projectItem, nullptr);
    EXPECT_EQ(projectItem->text(0), QStringLiteral("Lobby"));

    // Pages first, then sub-pages, each in project order; under each its controls in
    // stacking order.
    QList<XPage*> expected;
    for (XPage* p : project->pages)
        if (p->GetType() == ElementType::kPage)
            expected << p;
    for (XPage* p : project->pages)
        if (p->GetType() == ElementType::kSubPage)
            expected << p;
    ASSERT_EQ(projectItem->childCount(), expected.size());
    int controls = 0;
    for (int i = 0; i < expected.size(); ++i) {
        QTreeWidgetItem* pageItem = projectItem->child(i);
        EXPECT_EQ(CProjectTree::ElementOf(pageItem), expected[i]) << i;
        EXPECT_EQ(pageItem->text(0), expected[i]->name);
        ASSERT_EQ(pageItem->childCount(), expected[i]->controls.size()) << expected[i]->name.toStdString();
        for (int k = 0; k < pageItem->childCount(); ++k) {
            EXPECT_EQ(CProjectTree::ElementOf(pageItem->child(k)), expected[i]->controls[k]);
            ++controls;
        }
    }
    EXPECT_GT(controls, 20);

    // A control made current elsewhere is highlighted in the tree, its page opened.
    XControl* last = expected.back()->controls.back();
    frame->SelectControl(last);
    EXPECT_EQ(Tree()->currentItem(), Item(last));
    EXPECT_TRUE(Item(last)->parent()->isExpanded());
    Refresh();
    EXPECT_FALSE(frame->isWindowModified()) << "a file just opened has no unsaved changes";
    EXPECT_FALSE(TreeMarked());
    EXPECT_TRUE(frame->windowTitle().startsWith(QStringLiteral("Lobby")));
}

TEST_F(FrameEditing, DraggingAPageBehindAnotherReordersTheSavedFileAndMarksTheProject)
{
    Build();
    Refresh();
    EXPECT_FALSE(frame->isWindowModified());

    TreeDrag(Item(lobby), Item(hall));
    QStringList names;
    for (XPage* p : project->pages)
        names << p->name;
    EXPECT_EQ(names, (QStringList{"Lights", "Hall", "Lobby", "Popup"}));
    QTreeWidgetItem* projectItem = frame->TreePane()->FindProjectItem(project);
    EXPECT_EQ(projectItem->indexOfChild(Item(lobby)), 2) << "the tree follows";

    Refresh();
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_TRUE(TreeMarked());

    frame->OnCommand(Cmd::SaveProject);
    Refresh();
    EXPECT_FALSE(frame->isWindowModified()) << "a save clears the mark";
    EXPECT_FALSE(TreeMarked());
    names.clear();
    const std::unique_ptr<ProjectData> saved = ReloadSaved(project);
    for (XPage* p : saved->pages)
        names << p->name;
    EXPECT_EQ(names, (QStringList{"Lights", "Hall", "Lobby", "Popup"}));
}

TEST_F(FrameEditing, DroppingAControlOnAnotherPageCopiesItAndUndoRemovesTheCopy)
{
    Build();
    TreeDrag(Item(first), Item(hall));
    ASSERT_EQ(hall->controls.size(), 1);
    XControl* copy = hall->controls.front();
    EXPECT_NE(copy, first);
    EXPECT_EQ(copy->GetType(), ElementType::kButton);
    EXPECT_EQ(lobby->controls.size(), 2) << "the source stays";
    EXPECT_EQ(Item(copy)->parent(), Item(hall)) << "the copy shows under its page";
    EXPECT_EQ(Item(first)->parent(), Item(lobby));
    Refresh();
    EXPECT_TRUE(frame->isWindowModified());

    frame->ActivatePage(hall, true);
    frame->OnCommand(Cmd::Undo);
    EXPECT_TRUE(hall->controls.isEmpty());
    EXPECT_EQ(Item(copy), nullptr) << "and its tree item goes with it";
    frame->OnCommand(Cmd::Redo);
    ASSERT_EQ(hall->controls.size(), 1);
    EXPECT_NE(Item(hall->controls.front()), nullptr);
}

TEST_F(FrameEditing, DeletingAPageFromTheContextMenuClearsTheReferencesToIt)
{
    Build();
    QMenu* menu = Tree()->ContextMenuFor(Item(lights));
    ASSERT_NE(menu, nullptr);
    QAction* remove = nullptr;
    for (QAction* a : menu->actions())
        if (a->data().toInt() == CControlTreeCtrl::kDeleteCommand)
            remove = a;
    ASSERT_NE(remove, nullptr);
    remove->trigger();
    QApplication::processEvents();

    EXPECT_EQ(project->FindPage(QStringLiteral("Lights")), nullptr);
    EXPECT_EQ(Item(lights), nullptr);
    EXPECT_EQ(first->JumpTargetName(), QStringLiteral("NONE"));
    Refresh();
    EXPECT_TRUE(TreeMarked());
    frame->OnCommand(Cmd::SaveProject);
    std::unique_ptr<ProjectData> saved = ReloadSaved(project);
    XPage* savedLobby = saved->FindPage(QStringLiteral("Lobby"));
    ASSERT_NE(savedLobby, nullptr);
    auto* savedFirst = dynamic_cast<XButton*>(savedLobby->FindControl(QStringLiteral("Scene1")));
    ASSERT_NE(savedFirst, nullptr);
    EXPECT_EQ(savedFirst->JumpTargetName(), QStringLiteral("NONE"));
}

TEST_F(FrameEditing, RefusedValuesShowTheirMessageAndTheOldValueComesBack)
{
    Build();
    first->sendCode = 12;
    ui.messages.clear();
    TypeAndEnter(first, PropertyId::kSendCode, QStringLiteral("4001"));
    EXPECT_EQ(first->sendCode, 12);
    EXPECT_EQ(RowValue(PropertyId::kSendCode), QStringLiteral("12"));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("0")));
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("4000")));

    // A name another control of the page has: the old name stays, in the grid and the tree.
    ui.messages.clear();
    TypeAndEnter(first, PropertyId::kName, QStringLiteral("Scene2"));
    EXPECT_EQ(first->name, QStringLiteral("Scene1"));
    EXPECT_EQ(RowValue(PropertyId::kName), QStringLiteral("Scene1"));
    EXPECT_EQ(Item(first)->text(0), QStringLiteral("Scene1"));
    EXPECT_FALSE(ui.messages.isEmpty());
    EXPECT_EQ(lobby->UndoCount(), 0) << "nothing refused is an undo step";
    Refresh();
    EXPECT_FALSE(frame->isWindowModified());
}

TEST_F(FrameEditing, UndoAndRedoOfAPropertyChangeRefillTheGridAndMarkTheProject)
{
    Build();
    const int oldX = first->x1;
    TypeAndEnter(first, PropertyId::kX1, QStringLiteral("77"));
    EXPECT_EQ(first->x1, 77);
    EXPECT_EQ(RowValue(PropertyId::kX1), QStringLiteral("77"));
    frame->OnCommand(Cmd::SaveProject);
    Refresh();
    ASSERT_FALSE(frame->isWindowModified());

    frame->ActivatePage(lobby, true);
    frame->SelectControl(first);
    frame->OnCommand(Cmd::Undo);
    QApplication::processEvents();
    EXPECT_EQ(first->x1, oldX);
    EXPECT_EQ(RowValue(PropertyId::kX1), QString::number(oldX));
    Refresh();
    EXPECT_TRUE(frame->isWindowModified()) << "the file now differs from what is shown";
    EXPECT_TRUE(TreeMarked());

    frame->OnCommand(Cmd::SaveProject);
    frame->OnCommand(Cmd::Redo);
    QApplication::processEvents();
    EXPECT_EQ(RowValue(PropertyId::kX1), QStringLiteral("77"));
    Refresh();
    EXPECT_TRUE(frame->isWindowModified());
}

TEST_F(FrameEditing, AnEmptyRowWithAHintShowsItInGrey)
{
    Build();
    auto* picker = static_cast<XPicker*>(CreateElement(ElementType::kPicker));
    picker->name = QStringLiteral("Choice");
    picker->SetBounds({20, 200, 140, 240});
    picker->pickerData.clear();
    lobby->AddControl(picker);
    frame->SelectControl(picker);
    QApplication::processEvents();
    QTreeWidgetItem* row = GridRow(PropertyId::kPickerData);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->text(1), Translate("322"));
    const QColor grey = row->foreground(1).color();
    const QColor name = GridRow(PropertyId::kName)->foreground(1).color();
    EXPECT_NE(grey, name);
    EXPECT_EQ(grey.red(), grey.green()) << "a neutral grey";
    EXPECT_GT(grey.lightness(), QColor(Qt::black).lightness());
}

TEST_F(FrameEditing, SavingCommitsTheEditStillOpenAndTheFileCarriesTheNewName)
{
    Build();
    // Ctrl+S while the name editor is still open.
    QLineEdit* line = Type(second, PropertyId::kName, QStringLiteral("Sunset"));
    ASSERT_NE(line, nullptr);
    QTest::keyClick(line, Qt::Key_S, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(second->name, QStringLiteral("Sunset"));
    EXPECT_EQ(Item(second)->text(0), QStringLiteral("Sunset"));
    std::unique_ptr<ProjectData> saved = ReloadSaved(project);
    EXPECT_NE(saved->FindPage(QStringLiteral("Lobby"))->FindControl(QStringLiteral("Sunset")), nullptr);
    Refresh();
    EXPECT_FALSE(frame->isWindowModified());

    // Enter, then the save command.
    TypeAndEnter(first, PropertyId::kName, QStringLiteral("Morning"));
    Refresh();
    EXPECT_TRUE(frame->isWindowModified());
    frame->OnCommand(Cmd::SaveProject);
    saved = ReloadSaved(project);
    XPage* savedLobby = saved->FindPage(QStringLiteral("Lobby"));
    EXPECT_NE(savedLobby->FindControl(QStringLiteral("Morning")), nullptr);
    EXPECT_EQ(savedLobby->FindControl(QStringLiteral("Scene1")), nullptr);
}
