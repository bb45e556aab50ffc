#include "FrameFixture.h"

#include "app/CMyMenuBar.h"
#include "app/Commands.h"
#include "app/RecentProjects.h"
#include "devicelink/Packaging.h"
#include "editor/DesignViewLogic.h"
#include "editor/LayoutStore.h"
#include "editor/ui/CProjectTree.h"
#include "model/TypeRegistry.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTreeWidget>

#include <atomic>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList Names(const QList<XControl*>& controls)
{
    QStringList names;
    for (const XControl* c : controls)
        names << c->name;
    return names;
}

class FrameLayout : public FrameFixture {
protected:
    // A page of 1024 × 600 with a picture over all of it, four scene buttons on it and one
    // button apart.
    void MakeLobby()
    {
        project = NewProject(work.Path(QStringLiteral("Hall")));
        lobby = NewPage(QStringLiteral("Lobby"));
        ASSERT_NE(lobby, nullptr);
        backdrop = Add(5, QStringLiteral("Backdrop"), {0, 0, 1024, 600});
        const QStringList scenes{"SceneWelcome", "SceneMeeting", "ScenePresentation", "SceneOff"};
        const IntRect places[] = {{64, 190, 296, 258}, {324, 190, 556, 258}, {64, 280, 296, 348}, {324, 280, 556, 348}};
        for (int i = 0; i < 4; ++i)
            buttons << Add(6, scenes[i], places[i]);
        apart = Add(6, QStringLiteral("GoLighting"), {64, 404, 160, 500});
    }

    XControl* Add(int type, const QString& name, const IntRect& r)
    {
        XControl* c = CreateElement(type);
        lobby->AddControl(c);
        c->SetBounds(r);
        c->name = name;
        frame->UpdateTreeItem(c);
        return c;
    }

    QStringList TreeSelection() const
    {
        QStringList names;
        for (QTreeWidgetItem* item : frame->TreePane()->Tree()->selectedItems())
            names << item->text(0);
        return names;
    }

    void ClickTreeItem(const XControl* element, Qt::KeyboardModifiers modifiers = {}, int column = 0)
    {
        QTreeWidget* tree = frame->TreePane()->Tree();
        QTreeWidgetItem* item = frame->TreePane()->FindItem(element);
        ASSERT_NE(item, nullptr);
        tree->scrollToItem(item);
        const QRect cell = tree->visualRect(tree->indexFromItem(item, column));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, modifiers, cell.center());
        QApplication::processEvents();
    }

    bool LockShown(const XControl* c) const
    {
        QTreeWidgetItem* item = frame->TreePane()->FindItem(c);
        return item && !item->icon(CControlTreeCtrl::kLockColumn).isNull();
    }

    ProjectData* project = nullptr;
    XPage* lobby = nullptr;
    XControl* backdrop = nullptr;
    QList<XControl*> buttons;
    XControl* apart = nullptr;
};

} // namespace

TEST_F(FrameLayout, ABandOverALockedPictureSelectsTheButtonsInTheViewAndTheTree)
{
    MakeLobby();
    CMarvolentaView* view = ViewOf(lobby);
    ASSERT_NE(view, nullptr);
    QSignalSpy selection(frame.get(), &CMainFrame::selectionChanged);

    // Unlocked, the picture is what a press on it hits: the drag moves it.
    Drag(lobby, {30, 175}, {575, 365});
    EXPECT_EQ(frame->SelectedControls(), QList<XControl*>{backdrop});
    EXPECT_EQ(backdrop->Bounds(), (IntRect{545, 190, 1569, 790}));
    lobby->Undo();
    frame->RepaintPage(lobby);

    // Locked from the view's context menu, it is drawn as before and looked through.
    frame->SelectControl(lobby);
    const QImage before = view->RenderPage();
    view->Logic().RightButtonUp({30, 175});
    view->OnCommand(ViewCommand::kLock);
    EXPECT_TRUE(backdrop->locked);
    EXPECT_TRUE(LockShown(backdrop));
    EXPECT_EQ(view->RenderPage(), before);
    EXPECT_TRUE(ReadAll(LayoutStore::FilePath(*project)).contains("Backdrop"));

    Drag(lobby, {30, 175}, {575, 365});
    EXPECT_EQ(frame->SelectedControls(), buttons);
    EXPECT_EQ(TreeSelection(), Names(buttons));
    EXPECT_EQ(frame->GetCurrentControl(), nullptr);
    EXPECT_EQ(backdrop->Bounds(), (IntRect{0, 0, 1024, 600}));
    EXPECT_GT(selection.count(), 0);

    // Ctrl in the tree takes one out again; the only one left becomes current.
    ClickTreeItem(buttons[1], Qt::ControlModifier);
    ClickTreeItem(buttons[2], Qt::ControlModifier);
    ClickTreeItem(buttons[3], Qt::ControlModifier);
    EXPECT_EQ(frame->SelectedControls(), QList<XControl*>{buttons[0]});
    EXPECT_EQ(frame->GetCurrentControl(), buttons[0]);
    EXPECT_EQ(TreeSelection(), QStringList{buttons[0]->name});

    // A click in the view passes through the locked picture; the tree still selects it.
    Drag(lobby, {700, 100}, {700, 100});
    EXPECT_TRUE(frame->SelectedControls().isEmpty());
    EXPECT_EQ(frame->GetCurrentControl(), lobby);
    ClickTreeItem(backdrop);
    EXPECT_EQ(frame->GetCurrentControl(), backdrop);
    EXPECT_EQ(TreeSelection(), QStringList{QStringLiteral("Backdrop")});

    // The lock in the tree unlocks it, and locks it again.
    ClickTreeItem(backdrop, {}, CControlTreeCtrl::kLockColumn);
    EXPECT_FALSE(backdrop->locked);
    EXPECT_FALSE(LockShown(backdrop));
    ClickTreeItem(backdrop, {}, CControlTreeCtrl::kLockColumn);
    EXPECT_TRUE(backdrop->locked);
    EXPECT_FALSE(backdrop->selected) << "a control that is locked leaves the selection";
    EXPECT_EQ(frame->GetCurrentControl(), lobby);
}

TEST_F(FrameLayout, SnappingAndItsGuidesFollowTheRealMouseAndAltTurnsThemOff)
{
    MakeLobby();
    CMarvolentaView* view = ViewOf(lobby);
    QWidget* surface = view->viewport();
    // The apart button dragged so that its left edge comes 3 pixels short of the second
    // scene button's (324): it snaps there, and the guide shows while the button is down.
    const QPoint from = frame->PagePointToView(100, 450);
    const QPoint to = frame->PagePointToView(357, 450);
    struct Row {
        Qt::KeyboardModifiers keys;
        int left;
        bool guide;
    };
    for (const Row& row : {Row{{}, 324, true}, Row{Qt::AltModifier, 321, false}}) {
        QTest::mousePress(surface, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, surface->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, row.keys);
        QApplication::sendEvent(surface, &move);
        const std::vector<GuideLine> guides = view->Logic().Guides();
        const bool shown = std::any_of(guides.begin(), guides.end(), [](const GuideLine& g) {
            return g.vertical && g.pos == 324;
        });
        EXPECT_EQ(shown, row.guide);
        QTest::mouseRelease(surface, Qt::LeftButton, row.keys, to);
        EXPECT_EQ(apart->Bounds().left, row.left);
        EXPECT_TRUE(view->Logic().Guides().empty());
        lobby->Undo();
    }
}

// What the hidden layout file holds comes back when the project opens again; a file
// that is missing, foreign or too large leaves the defaults.
TEST_F(FrameLayout, GridSnappingAndLocksStayInAHiddenFileThatIsNeverPacked)
{
    MakeLobby();
    frame->OnCommand(Cmd::SaveProject);
    const QString dataFile = project->GetDataFilePath();
    const QByteArray saved = ReadAll(dataFile);
    ASSERT_FALSE(saved.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(LayoutStore::FilePath(*project))) << "nothing to keep yet";

    frame->OnCommand(Cmd::ShowGrid);
    frame->OnCommand(Cmd::SnapToGrid);
    for (const QString& answer : {QStringLiteral("1"), QStringLiteral("25")}) {
        ui.dialogs[QStringLiteral("name")] = [answer](void* data) {
            static_cast<NameDialogRequest*>(data)->name = answer;
            return 1;
        };
        frame->OnCommand(Cmd::GridSpacing);
    }
    EXPECT_EQ(MessageTexts().filter(QStringLiteral("500")).size(), 1) << "2 to 500 only";
    frame->SetControlLocked(backdrop, true);
    frame->OnCommand(Cmd::SaveProject);
    EXPECT_EQ(ReadAll(dataFile), saved) << "the data file holds none of it";

    const QString hidden = LayoutStore::FilePath(*project);
    ASSERT_TRUE(QFileInfo::exists(hidden));
    const QByteArray written = ReadAll(hidden);
    QStringList packed;
    CollectFiles(project->folder, packed);
    EXPECT_FALSE(packed.isEmpty());
    EXPECT_FALSE(packed.join(u'|').contains(LayoutStore::kFileName));
    const std::atomic<bool> running{true};
    const QString zip = work.Path(QStringLiteral("temp.zip"));
    ASSERT_TRUE(BuildPackage(zip, project->folder, QStringLiteral("Hall"), running));
    EXPECT_FALSE(ReadAll(zip).contains(LayoutStore::kFileName.toUtf8()));

    struct Row {
        const char* name;
        QByteArray file; // null: no file
        int spacing;
        bool grid;
        bool locked;
    };
    QByteArray huge = written;
    huge.append(QByteArray(LayoutStore::kMaxFileSize, ';'));
    const Row rows[] = {
        {"as written", written, 25, true, true},
        {"none", QByteArray(), LayoutSettings::kDefaultGridSpacing, false, false},
        {"spacing out of range, a lock of nothing",
         "[Grid]\nSpacing=100000\nShown=true\n[Locks]\n1\\Page=Nowhere\n1\\Control=Backdrop\nsize=99999999\n",
         LayoutSettings::kDefaultGridSpacing, true, false},
        {"not an INI file", QByteArray("\x01\x02\xff garbage\n[[[", 14), LayoutSettings::kDefaultGridSpacing, false,
         false},
        {"too large", huge, LayoutSettings::kDefaultGridSpacing, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        frame->CloseProject(frame->CurrentProject());
        QFile::remove(hidden);
        if (!row.file.isNull()) {
            QFile f(hidden);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(row.file);
        }
        ASSERT_TRUE(frame->OpenProjectFile(dataFile));
        ProjectData* reopened = frame->CurrentProject();
        const LayoutSettings* s = frame->GetLayoutSettings(reopened->pages.front());
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->gridSpacing, row.spacing);
        EXPECT_EQ(s->showGrid, row.grid);
        XControl* picture = reopened->pages.front()->FindControl(QStringLiteral("Backdrop"));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->locked, row.locked);
        frame->UpdateCommandUI();
        EXPECT_EQ(frame->Action(Cmd::ShowGrid)->isChecked(), row.grid);
    }
}

TEST_F(FrameLayout, PasteKeepsTheCopiedNameWhereItIsFreeAndLeavesTheCopiesSelected)
{
    MakeLobby();
    XPage* hall = NewPage(QStringLiteral("Lights"));
    struct Row {
        const char* name;
        QStringList copied;   // names of Lobby controls to copy
        QStringList taken;    // names given to buttons already on Lights
        QStringList expected; // names of the pasted copies
    };
    const Row rows[] = {
        {"free", {"SceneWelcome"}, {}, {"SceneWelcome"}},
        {"taken", {"SceneWelcome"}, {"SceneWelcome"}, {"BUTTON-0"}},
        {"one of two taken", {"SceneWelcome", "SceneMeeting"}, {"SceneMeeting", "BUTTON-0"},
         {"SceneWelcome", "BUTTON-1"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (XControl* c : QList<XControl*>(hall->controls)) {
            hall->RemoveControl(c);
            delete c;
        }
        for (const QString& name : row.taken) {
            XControl* c = CreateElement(6);
            hall->AddControl(c);
            c->name = name;
        }
        lobby->DeselectAll();
        for (const QString& name : row.copied)
            lobby->FindControl(name)->selected = true;
        frame->CopyToClipboard(lobby);
        frame->ActivatePage(hall, true);
        ViewOf(hall)->HandleKey(Qt::Key_V, Qt::ControlModifier);

        const QList<XControl*> pasted = hall->controls.mid(row.taken.size());
        EXPECT_EQ(Names(pasted), row.expected);
        EXPECT_EQ(frame->SelectedControls(), pasted) << "the copies alone are selected";
        EXPECT_EQ(TreeSelection(), row.expected);
        EXPECT_EQ(frame->GetCurrentControl(), pasted.size() == 1 ? pasted.front() : nullptr);
        hall->Undo();
        EXPECT_EQ(hall->controls.size(), row.taken.size()) << "one step";
        hall->Redo();
        EXPECT_EQ(Names(hall->controls.mid(row.taken.size())), row.expected) << "redo keeps the names";
    }
}

TEST_F(FrameLayout, CutAndDuplicateAreOneStepEachAndTheCopyMovesByTheGridSpacing)
{
    MakeLobby();
    ui.dialogs[QStringLiteral("name")] = [](void* data) {
        static_cast<NameDialogRequest*>(data)->name = QStringLiteral("25");
        return 1;
    };
    frame->OnCommand(Cmd::GridSpacing);
    CMarvolentaView* view = ViewOf(lobby);
    frame->SelectControl(apart);
    const int before = lobby->UndoCount();

    view->HandleKey(Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(lobby->controls.size(), 7);
    XControl* copy = lobby->controls.last();
    EXPECT_EQ(copy->Bounds(), (IntRect{89, 429, 185, 525}));
    EXPECT_EQ(frame->GetCurrentControl(), copy);
    EXPECT_EQ(lobby->UndoCount(), before + 1);

    view->HandleKey(Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(lobby->controls.contains(copy));
    EXPECT_EQ(frame->GetClipboardCount(), 1);
    lobby->Undo();
    EXPECT_TRUE(lobby->controls.contains(copy));
    lobby->Undo();
    EXPECT_FALSE(lobby->controls.contains(copy));

    // The edit menu offers them with their keys.
    EXPECT_EQ(frame->Action(Cmd::ViewCut)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(frame->Action(Cmd::ViewDuplicate)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    EXPECT_EQ(frame->Action(Cmd::Undo)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
}

TEST_F(FrameLayout, ZoomStepsFitTabsAndRecentProjects)
{
    MakeLobby();
    struct Step {
        QKeySequence keys;
        double zoom;
    };
    const Step steps[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Equal), 1.25}, {QKeySequence(Qt::CTRL | Qt::Key_Equal), 1.5},
        {QKeySequence(Qt::CTRL | Qt::Key_Minus), 1.25}, {QKeySequence(Qt::CTRL | Qt::Key_0), 1.0},
        {QKeySequence(Qt::CTRL | Qt::Key_Minus), 0.75}, {QKeySequence(Qt::CTRL | Qt::Key_Minus), 0.67},
    };
    for (const Step& s : steps) {
        QTest::keySequence(frame.get(), s.keys);
        EXPECT_DOUBLE_EQ(frame->Zoom(), s.zoom) << s.keys.toString().toStdString();
    }
    frame->UpdateCommandUI();
    EXPECT_EQ(frame->statusBar()->findChild<QLabel*>(QStringLiteral("ZoomLabel"))->text(),
              FormatText(Translate("2218"), {QStringLiteral("67%")}));

    // Fit: the page window as large as the page area allows, without scroll bars.
    QMdiArea* area = frame->MdiArea();
    QTest::keySequence(frame.get(), QKeySequence(Qt::CTRL | Qt::Key_9));
    QApplication::processEvents();
    QMdiSubWindow* window = frame->ChildFrameFor(lobby);
    EXPECT_LE(window->width(), area->viewport()->width());
    EXPECT_LE(window->height(), area->viewport()->height());
    EXPECT_GT(window->width() + window->height(), (area->viewport()->width() + area->viewport()->height()) * 3 / 4);

    // At 400 % the page window is larger than the area: the middle button, or the left
    // one with Space held, drags the page around.
    frame->OnCommand(Cmd::Zoom400);
    QApplication::processEvents();
    QWidget* surface = ViewOf(lobby)->viewport();
    struct Pan {
        Qt::MouseButton button;
        bool space;
    };
    for (const Pan& pan : {Pan{Qt::MiddleButton, false}, Pan{Qt::LeftButton, true}}) {
        const QPoint scrolled(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value());
        if (pan.space)
            QTest::keyPress(surface, Qt::Key_Space);
        const QPoint from(400, 300);
        const QPoint to(300, 250);
        QTest::mousePress(surface, pan.button, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, surface->mapToGlobal(to), Qt::NoButton, pan.button, {});
        QApplication::sendEvent(surface, &move);
        QTest::mouseRelease(surface, pan.button, {}, to);
        if (pan.space)
            QTest::keyRelease(surface, Qt::Key_Space);
        EXPECT_EQ(QPoint(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value()) - scrolled,
                  QPoint(100, 50));
        EXPECT_EQ(apart->Bounds(), (IntRect{64, 404, 160, 500})) << "panning moves no control";
    }

    // Tabs: the page fills its tab and scrolls there; the choice is remembered.
    frame->OnCommand(Cmd::PageTabs);
    QApplication::processEvents();
    EXPECT_EQ(area->viewMode(), QMdiArea::TabbedView);
    EXPECT_TRUE(frame->ChildFrameFor(lobby)->isMaximized());
    frame.reset();
    MakeFrame();
    EXPECT_EQ(frame->MdiArea()->viewMode(), QMdiArea::TabbedView);
    EXPECT_TRUE(frame->Action(Cmd::PageTabs)->isChecked());

    // The four projects opened last, newest first; one that is gone leaves the list.
    QStringList files;
    for (const char* name : {"One", "Two", "Three", "Four", "Five"}) {
        NewProject(work.Path(QString::fromLatin1(name)));
        files.prepend(frame->CurrentProject()->GetDataFilePath());
    }
    EXPECT_EQ(frame->Recent().List(), files.mid(0, 4));
    QMenu* file = frame->MyMenuBar()->actions().front()->menu();
    Q_EMIT file->aboutToShow();
    EXPECT_TRUE(frame->Action(Cmd::RecentFirst + 3)->isVisible());
    EXPECT_TRUE(frame->Action(Cmd::RecentFirst)->text().contains(QStringLiteral("Five")));
    while (!frame->Projects().empty())
        frame->CloseProject(frame->Projects().front().get());
    QFile::remove(files.front());
    frame->OnCommand(Cmd::RecentFirst);
    EXPECT_EQ(MessageTexts(), QStringList{Translate("2219")});
    EXPECT_EQ(frame->Recent().List(), files.mid(1, 3));
    frame->OnCommand(Cmd::RecentFirst); // "Four", still there
    EXPECT_EQ(frame->CurrentProject()->GetDataFilePath(), files[1]);
}

TEST_F(FrameLayout, TheWindowOpensMaximisedTheFirstTimeAndWhereItWasLater)
{
    frame.reset();
    frame = std::make_unique<CMainFrame>();
    frame->ShowAtLastPlace();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    EXPECT_TRUE(frame->isMaximized());

    frame->showNormal();
    frame->setGeometry(40, 60, 1000, 700);
    QApplication::processEvents();
    const QSize size = frame->size();
    ASSERT_TRUE(frame->close());
    frame.reset();
    frame = std::make_unique<CMainFrame>();
    frame->ShowAtLastPlace();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_EQ(frame->size(), size);
}
