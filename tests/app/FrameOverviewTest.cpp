// The overview, find and image library panes in the main frame: a double click leads to
// the element, the pane follows edits and undo, the code export, a replace through the
// pane, images imported and dropped onto a page.

#include "FrameFixture.h"

#include "app/Commands.h"
#include "app/OverviewWiring.h"
#include "controls/XButton.h"
#include "controls/XPhoto.h"
#include "editor/OverviewTableModel.h"
#include "editor/ProjectOverview.h"
#include "editor/ui/CFindReplacePane.h"
#include "editor/ui/CImageLibraryPane.h"
#include "editor/ui/COverviewPane.h"
#include "editor/ui/CProjectTree.h"
#include "model/ElementTypes.h"
#include "model/PropertyGridModel.h"
#include "support/OverviewExample.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>
#include <QTreeWidgetItem>
#include <QUrl>

namespace {

class FrameOverview : public FrameFixture {
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        OverviewExample venue(work.Path(QStringLiteral("Venue")));
        ASSERT_TRUE(venue.Save());
        ASSERT_TRUE(frame->OpenProjectFile(work.Path(QStringLiteral("Venue/Venue.mvl"))));
        project = frame->CurrentProject();
        ASSERT_NE(project, nullptr);
        pane = frame->Overview().OverviewPane();
        frame->OnCommand(Cmd::Overview);
        QApplication::processEvents();
        ASSERT_TRUE(pane->isVisible());
    }

    // The view row (after sorting) of the send-code line of an element.
    QModelIndex CodeLine(const QString& element) const
    {
        QTableView* view = pane->View(COverviewPane::kSendCodes);
        for (int r = 0; r < view->model()->rowCount(); ++r) {
            const QModelIndex index = view->model()->index(r, 1);
            if (index.data().toString() == element)
                return index;
        }
        return {};
    }

    void DoubleClick(QAbstractItemView* view, const QModelIndex& index)
    {
        view->scrollTo(index);
        const QPoint at = view->visualRect(index).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }

    ProjectData* project = nullptr;
    COverviewPane* pane = nullptr;
};

} // namespace

TEST_F(FrameOverview, ADoubleClickLeadsToTheElementAndThePaneFollowsEditsAndUndo)
{
    EXPECT_EQ(pane->Model(COverviewPane::kSendCodes)->rowCount(), 6);
    const QModelIndex back = CodeLine(QStringLiteral("Back"));
    ASSERT_TRUE(back.isValid());
    DoubleClick(pane->View(COverviewPane::kSendCodes), back);
    XPage* lights = project->FindPage(QStringLiteral("Lights"));
    ASSERT_NE(frame->ChildFrameFor(lights), nullptr) << "the page is opened";
    XControl* current = frame->GetCurrentControl();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->name, QStringLiteral("Back"));
    EXPECT_EQ(current->page, lights);
    EXPECT_TRUE(current->selected);

    // An edit as the property pane makes it, then its undo from the tool bar.
    CMFCMyPropertyGridProperty row(PropertyKind::Integer, QString(), 77, QString(), PropertyId::kSendCode);
    frame->PropertyChanged(row);
    frame->UpdateCommandUI();
    EXPECT_EQ(frame->Overview().Data().PagesReadLastTime(), 1);
    EXPECT_EQ(CodeLine(QStringLiteral("Back")).siblingAtColumn(0).data().toInt(), 77);
    frame->OnCommand(Cmd::Undo);
    EXPECT_EQ(CodeLine(QStringLiteral("Back")).siblingAtColumn(0).data().toInt(), 10);

    // A line whose element is gone since leads to its page only.
    const QModelIndex dimmer = CodeLine(QStringLiteral("Dimmer"));
    XControl* dimmerControl = lights->FindControl(QStringLiteral("Dimmer"));
    lights->RemoveControl(dimmerControl);
    DoubleClick(pane->View(COverviewPane::kSendCodes), dimmer);
    EXPECT_EQ(frame->GetCurrentControl(), lights);
    delete dimmerControl;
}

TEST_F(FrameOverview, ExportsTheCodesAndReplacesThroughTheFindPane)
{
    const QString csv = work.Path(QStringLiteral("codes"));
    ui.files.push_back(csv);
    pane->ExportButton()->click();
    QFile file(csv + QStringLiteral(".csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the suffix is added";
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBFpage,element,type,code,")) << bytes.left(40).toStdString();
    EXPECT_EQ(bytes.count('\n'), 7);

    frame->OnCommand(Cmd::FindReplace);
    CFindReplacePane* find = frame->Overview().FindPane();
    ASSERT_TRUE(find->isVisible());
    find->FindEdit()->setText(QStringLiteral("Power"));
    find->FindButton()->click();
    EXPECT_EQ(find->ResultModel()->rowCount(), 2);
    find->ReplaceEdit()->setText(QStringLiteral("Mains"));
    find->ReplaceButton()->click();
    XPage* home = project->FindPage(QStringLiteral("Home"));
    XControl* mains = home->FindControl(QStringLiteral("Mains"));
    ASSERT_NE(mains, nullptr);
    EXPECT_EQ(frame->TreePane()->FindItem(mains)->text(0), QStringLiteral("Mains")) << "the tree follows";
    frame->ActivatePage(home, true);
    frame->OnCommand(Cmd::Undo);
    EXPECT_EQ(mains->name, QStringLiteral("Power")) << "one undo step on the page";
    EXPECT_NE(home->FindControl(QStringLiteral("Power2")), nullptr);
}

TEST_F(FrameOverview, ImagesImportedIntoTheLibraryAndDroppedOntoAPage)
{
    frame->OnCommand(Cmd::ImageLibrary);
    CImageLibraryPane* library = frame->Overview().LibraryPane();
    ASSERT_TRUE(library->isVisible());
    EXPECT_EQ(library->List()->count(), 2);
    ASSERT_TRUE(WriteTestPng(work.Path(QStringLiteral("in/stage.png")), 60, 20));
    ASSERT_TRUE(WriteTestPng(work.Path(QStringLiteral("in/logo.png")), 30, 30));
    ui.fileLists.push_back({work.Path(QStringLiteral("in/stage.png")), work.Path(QStringLiteral("in/logo.png"))});
    library->ImportButton()->click();
    EXPECT_EQ(library->List()->count(), 4);
    EXPECT_TRUE(QFileInfo::exists(project->ImagePath(QStringLiteral("logo.png"))));

    // The library's drag carries the image file; dropped on an empty place of a page.
    XPage* orphan = project->FindPage(QStringLiteral("Orphan"));
    frame->ActivatePage(orphan, true);
    QApplication::processEvents();
    CMarvolentaView* view = ViewOf(orphan);
    ASSERT_NE(view, nullptr);
    QListWidgetItem* stage = library->List()->findItems(QStringLiteral("stage.png"), Qt::MatchExactly).value(0);
    ASSERT_NE(stage, nullptr);
    const int controls = orphan->controls.size();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(stage->data(Qt::UserRole).toString())});
    const QPoint at = frame->PagePointToView(300, 200);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drop);
    ASSERT_EQ(orphan->controls.size(), controls + 1);
    XControl* placed = orphan->controls.last();
    EXPECT_EQ(placed->GetType(), ElementType::kPhoto);
    EXPECT_EQ(placed->Bounds(), (IntRect{300, 200, 360, 220}));
    EXPECT_EQ(frame->GetCurrentControl(), placed);
    EXPECT_NE(frame->TreePane()->FindItem(placed), nullptr);
    frame->OnCommand(Cmd::Undo);
    EXPECT_EQ(orphan->controls.size(), controls);
}
