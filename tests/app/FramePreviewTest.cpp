// The preview and prototype commands through the real main frame: they show and write
// what the project holds and never change it.

#include "FrameFixture.h"

#include "app/Commands.h"
#include "app/ProjectCommands.h"
#include "model/ControlMainDelegate.h"
#include "preview/PreviewModel.h"
#include "preview/ui/CPreviewView.h"
#include "preview/ui/CPreviewWnd.h"

#include <QDirIterator>
#include <QFileInfo>

namespace {

// Every file under a folder with its size and modification time.
QStringList FolderState(const QString& folder)
{
    QStringList state;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        state << QStringLiteral("%1 %2 %3").arg(info.filePath()).arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
    }
    state.sort();
    return state;
}

} // namespace

TEST_F(FrameFixture, PreviewAndPrototypeLeaveTheProjectAlone)
{
    EXPECT_FALSE(frame->IsCommandEnabled(Cmd::Preview));
    const QString folder = work.Path(QStringLiteral("Lobby"));
    ASSERT_TRUE(FileUtil::CopyFolder(QStringLiteral(MVL_SOURCE_DIR "/examples/Lobby"), folder));
    ASSERT_TRUE(frame->ProjectActions().OpenFile(folder + QStringLiteral("/Lobby.mvl"), true));
    ProjectData* project = frame->CurrentProject();
    ASSERT_TRUE(project);
    const QStringList before = FolderState(folder);
    EXPECT_TRUE(frame->IsCommandEnabled(Cmd::Preview));

    QTest::keyClick(frame.get(), Qt::Key_F5);
    auto* window = frame->findChild<CPreviewWnd*>();
    ASSERT_TRUE(window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    PreviewModel* model = window->Model();
    ASSERT_TRUE(model);
    EXPECT_EQ(model->ShownPage()->name, QStringLiteral("Lobby"));
    // Mouse clicks on the preview act as touches: a scene, then the bulb.
    const ControlMainDelegate* delegate = model->ShownPage()->mainDelegate;
    for (const char* name : {"SceneMeeting", "GoLighting"}) {
        QPoint centre;
        ASSERT_TRUE(model->FindOnScreen(QString::fromLatin1(name), centre)) << name;
        QTest::mouseClick(window->View(), Qt::LeftButton, {}, delegate->MapPoint(centre.x(), centre.y()));
    }
    EXPECT_EQ(model->ShownPage()->name, QStringLiteral("Lighting"));
    ASSERT_EQ(model->Log().size(), 2);
    EXPECT_EQ(model->Log()[0].sendCode, 2);
    EXPECT_EQ(model->Log()[1].jump, QStringLiteral("Lighting"));

    // Opening it again starts afresh on the project as it is now.
    frame->OnCommand(Cmd::Preview);
    EXPECT_EQ(frame->findChildren<CPreviewWnd*>().size(), 1);
    EXPECT_TRUE(window->Model()->Log().isEmpty());

    ui.files.push_back(work.Path(QStringLiteral("Prototype")));
    frame->OnCommand(Cmd::ExportPrototype);
    EXPECT_TRUE(QFileInfo::exists(work.Path(QStringLiteral("Prototype/index.html"))));
    EXPECT_TRUE(QFileInfo::exists(work.Path(QStringLiteral("Prototype/pictures/page-0.png"))));
    ASSERT_FALSE(ui.messages.isEmpty());
    EXPECT_TRUE(ui.messages.last().text.contains(QStringLiteral("index.html")));

    EXPECT_FALSE(project->IsModified());
    for (const XPage* page : project->pages)
        EXPECT_EQ(page->UndoCount(), 0) << page->name.toStdString();
    EXPECT_EQ(FolderState(folder), before);
    window->close();
}
