#include "editor/ui/CControlTreeCtrl.h"

#include "support/ScriptedUi.h"

#include "base/Translation.h"
#include "editor/ProjectTreeParentDelegate.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include "support/TestControl.h"

#include <QMenu>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Records what the tree asks; a drop is accepted when `accept` says so.
class Recorder : public ProjectTreeParentDelegate {
public:
    void ActivatePage(XPage* page, bool) override { calls << QStringLiteral("page ") + page->name; }
    void ActivateControl(XPage* page, XControl* c) override
    {
        calls << QStringLiteral("control ") + page->name + u'/' + c->name;
    }
    void SetCurrentProject(ProjectData*) override { calls << QStringLiteral("project"); }
    bool DropItem(XControl* source, XControl* target) override
    {
        calls << QStringLiteral("drop ") + source->name + QStringLiteral(" on ") + target->name;
        return accept;
    }
    bool IsPage(XControl* e) const override { return e->GetType() == TypeRegistry::kPage; }
    bool IsSubPage(XControl* e) const override { return e->GetType() == TypeRegistry::kSubPage; }
    XPage* GetItemPage(XControl* e) const override { return e->page; }
    void DeleteItem(XControl* e) override { calls << QStringLiteral("delete ") + e->name; }
    void DuplicateItem(XControl* e) override { calls << QStringLiteral("duplicate ") + e->name; }
    QObject* GetMainFrame() override { return nullptr; }
    void SetControlLocked(XControl* c, bool locked) override
    {
        calls << (locked ? QStringLiteral("lock ") : QStringLiteral("unlock ")) + c->name;
    }

    QStringList calls;
    bool accept = true;
};

class ControlTreeTest : public ::testing::Test {
protected:
    ControlTreeTest() : tree(&recorder)
    {
        project.mainDelegate = &headless;
        project.screen = {QString(), 800, 600};
        lobby = project.NewPage(TypeRegistry::kPage, QStringLiteral("Lobby"));
        hall = project.NewPage(TypeRegistry::kPage, QStringLiteral("Hall"));
        panel = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("Panel"));
        a = MakeTestControl(4, 0, 0, 10, 10);
        b = MakeTestControl(4, 0, 0, 10, 10);
        lobby->AddControl(a);
        lobby->AddControl(b);
        a->name = QStringLiteral("A");
        b->name = QStringLiteral("B");

        projectItem = CControlTreeCtrl::MakeProjectItem(&project, QStringLiteral("Demo"));
        tree.addTopLevelItem(projectItem);
        for (XPage* p : {lobby, hall, panel})
            projectItem->addChild(CControlTreeCtrl::MakeElementItem(p, p->name));
        for (XControl* c : {a, b})
            projectItem->child(0)->addChild(CControlTreeCtrl::MakeElementItem(c, c->name));
        tree.expandAll();
        tree.resize(300, 400);
        tree.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&tree));
    }

    QPoint At(QTreeWidgetItem* item) { return tree.visualItemRect(item).center(); }

    void Drag(QTreeWidgetItem* from, QTreeWidgetItem* to)
    {
        QWidget* vp = tree.viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, At(from));
        QMouseEvent move(QEvent::MouseMove, At(to), vp->mapToGlobal(At(to)), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(vp, &move);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, At(to));
    }

    ScriptedUi ui;
    HeadlessMainDelegate headless;
    ProjectData project;
    XPage* lobby = nullptr;
    XPage* hall = nullptr;
    XPage* panel = nullptr;
    XControl* a = nullptr;
    XControl* b = nullptr;
    Recorder recorder;
    CControlTreeCtrl tree;
    QTreeWidgetItem* projectItem = nullptr;
};

} // namespace

TEST_F(ControlTreeTest, ClicksActByLevelAndTheKeyboardDoesNot)
{
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, At(projectItem));
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, At(projectItem->child(1)));
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, At(projectItem->child(0)->child(1)));
    EXPECT_EQ(recorder.calls, (QStringList{QStringLiteral("project"), QStringLiteral("page Hall"),
                                           QStringLiteral("control Lobby/B")}));
    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_Up);
    QTest::keyClick(&tree, Qt::Key_Up);
    EXPECT_EQ(recorder.calls.size(), 3);
}

TEST_F(ControlTreeTest, DropsGoToTheFrameAndAcceptedOnesMoveTheItem)
{
    QTreeWidgetItem* lobbyItem = projectItem->child(0);
    QTreeWidgetItem* aItem = lobbyItem->child(0);
    QTreeWidgetItem* bItem = lobbyItem->child(1);
    recorder.calls.clear();
    Drag(aItem, bItem);
    EXPECT_EQ(recorder.calls.last(), QStringLiteral("drop A on B"));
    EXPECT_EQ(lobbyItem->child(1), aItem) << "moved behind the target";
    EXPECT_EQ(tree.DropTarget(), nullptr);

    // Refused: the item stays.
    recorder.accept = false;
    Drag(lobbyItem, projectItem->child(1));
    EXPECT_EQ(recorder.calls.last(), QStringLiteral("drop Lobby on Hall"));
    EXPECT_EQ(projectItem->child(0), lobbyItem);

    // No drag of a sub-page, no drop on a project, none on itself.
    recorder.calls.clear();
    Drag(projectItem->child(2), projectItem->child(1));
    Drag(lobbyItem, projectItem);
    Drag(bItem, bItem);
    for (const QString& call : recorder.calls)
        EXPECT_FALSE(call.startsWith(QStringLiteral("drop"))) << call.toStdString();
}

TEST_F(ControlTreeTest, ContextMenuDuplicatesDeletesAndLocks)
{
    EXPECT_EQ(tree.ContextMenuFor(projectItem), nullptr);
    QMenu* menu = tree.ContextMenuFor(projectItem->child(0)->child(0));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions()[0]->text(), Translate(QStringLiteral("222")));
    EXPECT_EQ(menu->actions()[1]->text(), Translate(QStringLiteral("264")));
    EXPECT_EQ(menu->actions()[2]->text(), Translate(QStringLiteral("2204")));
    menu->actions()[0]->trigger();
    tree.ContextMenuFor(projectItem->child(0)->child(0));
    menu->actions()[2]->trigger();
    a->locked = true;
    tree.ContextMenuFor(projectItem->child(0)->child(0));
    EXPECT_EQ(menu->actions()[2]->text(), Translate(QStringLiteral("2205")));
    menu->actions()[2]->trigger();
    tree.ContextMenuFor(projectItem->child(1));
    EXPECT_FALSE(menu->actions()[2]->isVisible()) << "pages are not locked";
    menu->actions()[1]->trigger();
    EXPECT_EQ(recorder.calls.filter(QRegularExpression(QStringLiteral("^(duplicate|delete|lock|unlock) "))),
              (QStringList{"duplicate A", "lock A", "unlock A", "delete Hall"}));
}
