// Recovery copies: written beside, never over, the project; offered after an editor was
// killed; gone after a save or a close.
#include "FrameFixture.h"

#include "app/Commands.h"
#include "app/FrameRecovery.h"
#include "editor/RecoveryStore.h"
#include "editor/ui/CProjectTree.h"
#include "model/HeadlessMainDelegate.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QProcess>

#include <cstdio>
#include <sys/stat.h>
#include <map>

namespace {

const QString kChildProject = QStringLiteral("MVL_RECOVERY_CHILD_PROJECT");

// Every file under a folder with its bytes.
std::map<QString, QByteArray> FilesUnder(const QString& folder)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            files[QDir(folder).relativeFilePath(path)] = f.readAll();
    }
    return files;
}

ino_t InodeOf(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

int EntryCount(const QString& base)
{
    return static_cast<int>(QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

class FrameRecoveryTest : public FrameFixture {
protected:
    QString CopyDemo()
    {
        const QString folder = work.Path(QStringLiteral("Lobby"));
        EXPECT_TRUE(FileUtil::CopyFolder(QStringLiteral(MVL_SOURCE_DIR "/examples/Lobby"), folder));
        return folder;
    }

    // Renames the first control of the first page, as an edit the project records.
    static XControl* Edit(ProjectData& project, const QString& newName)
    {
        XControl* c = project.pages.front()->controls.front();
        c->name = newName;
        c->NoteModified();
        return c;
    }

    HeadlessMainDelegate headless;
};

} // namespace

TEST_F(FrameRecoveryTest, ACopyLeavesTheProjectAloneAndComesBackAsUnsavedWork)
{
    const QString folder = CopyDemo();
    const QString base = work.Path(QStringLiteral("cache"));

    ProjectData project;
    project.mainDelegate = &headless;
    QString message;
    ASSERT_TRUE(project.LoadProjectFile(folder + QStringLiteral("/Lobby.mvl"), message));
    ASSERT_TRUE(project.SaveProjectFile()); // the project's text images, current
    const std::map<QString, QByteArray> before = FilesUnder(folder);
    const QStringList images = project.images;
    const QString oldName = project.pages.front()->controls.front()->name;

    auto store = std::make_unique<RecoveryStore>(base);
    EXPECT_TRUE(store->Write(project));
    EXPECT_EQ(EntryCount(base), 0) << "nothing unsaved, nothing kept";

    Edit(project, QStringLiteral("Renamed"));
    ASSERT_TRUE(project.IsModified());
    ASSERT_TRUE(store->Write(project));
    ASSERT_TRUE(store->Finish());
    EXPECT_EQ(EntryCount(base), 1);
    EXPECT_TRUE(FilesUnder(folder) == before) << "the project's folder is not written";
    // The copy takes the project's unchanged text images over instead of rendering them.
    const QString ownImages = project.GetTextImageFolder();
    const QString copyImages = QDir(base).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot).front().filePath()
        + QStringLiteral("/Lobby/PHOTO/TEXTPHOTO");
    const QStringList copied = QDir(ownImages).entryList(QDir::Files);
    int shared = 0;
    for (const QString& file : QDir(copyImages).entryList(QDir::Files)) {
        if (copied.contains(file)) {
            EXPECT_EQ(InodeOf(copyImages + u'/' + file), InodeOf(ownImages + u'/' + file)) << file.toStdString();
            ++shared;
        }
    }
    EXPECT_GE(shared, copied.size() - 1);

    // While its editor runs, a copy is not anybody's orphan.
    RecoveryStore other(base);
    EXPECT_TRUE(other.Orphans().isEmpty());

    // The editor goes away without removing its copy.
    store.reset();
    const QList<RecoveryStore::Entry> orphans = other.Orphans();
    ASSERT_EQ(orphans.size(), 1);
    EXPECT_EQ(orphans[0].projectFolder, folder);

    std::unique_ptr<ProjectData> restored = other.Restore(orphans[0], &headless, message);
    ASSERT_NE(restored, nullptr) << message.toStdString();
    EXPECT_TRUE(restored->IsModified());
    EXPECT_EQ(restored->folder, folder);
    EXPECT_EQ(restored->GetDataFilePath(), folder + QStringLiteral("/Lobby.mvl"));
    EXPECT_EQ(restored->pages.front()->controls.front()->name, QStringLiteral("Renamed"));
    EXPECT_EQ(restored->images, images) << "the images are the project's own";
    EXPECT_TRUE(restored->missingImages.isEmpty());
    EXPECT_TRUE(other.Orphans().isEmpty()) << "the restored copy belongs to the open project now";

    // Saving the restored project writes its own file; the copy is then dropped.
    ASSERT_TRUE(restored->SaveProjectFile());
    other.Remove(*restored);
    EXPECT_EQ(EntryCount(base), 0);
    ProjectData reread;
    reread.mainDelegate = &headless;
    ASSERT_TRUE(reread.LoadProjectFile(folder + QStringLiteral("/Lobby.mvl"), message));
    EXPECT_EQ(reread.pages.front()->controls.front()->name, QStringLiteral("Renamed"));
    EXPECT_NE(oldName, QStringLiteral("Renamed"));
}

TEST_F(FrameRecoveryTest, ABrokenCopyIsKeptAndADiscardedOneIsGone)
{
    const QString folder = CopyDemo();
    const QString base = work.Path(QStringLiteral("cache"));
    ProjectData project;
    project.mainDelegate = &headless;
    QString message;
    ASSERT_TRUE(project.LoadProjectFile(folder + QStringLiteral("/Lobby.mvl"), message));
    Edit(project, QStringLiteral("Renamed"));
    {
        RecoveryStore store(base);
        ASSERT_TRUE(store.Write(project));
    }
    RecoveryStore store(base);
    QList<RecoveryStore::Entry> orphans = store.Orphans();
    ASSERT_EQ(orphans.size(), 1);
    QFile data(orphans[0].dataFile);
    ASSERT_TRUE(data.open(QIODevice::ReadWrite));
    data.resize(data.size() / 2);
    data.close();
    EXPECT_EQ(store.Restore(orphans[0], &headless, message), nullptr);
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(store.Orphans().size(), 1) << "kept for another try";
    store.Discard(orphans[0]);
    EXPECT_TRUE(store.Orphans().isEmpty());
    EXPECT_EQ(EntryCount(base), 0);
}

TEST_F(FrameRecoveryTest, SavingOrClosingDropsTheFramesCopy)
{
    const QString folder = CopyDemo();
    ASSERT_TRUE(frame->OpenProjectFile(folder + QStringLiteral("/Lobby.mvl")));
    ProjectData* project = frame->CurrentProject();
    const QString base = frame->Recovery().Store().BaseFolder();

    Edit(*project, QStringLiteral("Renamed"));
    frame->Recovery().WriteAll();
    EXPECT_EQ(EntryCount(base), 1);
    frame->OnCommand(Cmd::SaveProject);
    EXPECT_EQ(EntryCount(base), 0);

    Edit(*project, QStringLiteral("Again"));
    frame->Recovery().WriteAll();
    EXPECT_EQ(EntryCount(base), 1);
    ui.answers.push_back(kIdNo); // close without saving
    frame->OnCommand(Cmd::CloseProject);
    EXPECT_TRUE(frame->Projects().empty());
    EXPECT_EQ(EntryCount(base), 0);
}

// Run on its own by the test below, in a process of its own that gets killed.
TEST_F(FrameRecoveryTest, DISABLED_ChildEditsAndWaitsToBeKilled)
{
    const QString path = qEnvironmentVariable(qPrintable(kChildProject));
    ASSERT_FALSE(path.isEmpty());
    ASSERT_TRUE(frame->OpenProjectFile(path));
    Edit(*frame->CurrentProject(), QStringLiteral("Recovered"));
    frame->Recovery().WriteAll();
    ASSERT_TRUE(frame->Recovery().Store().Finish());
    std::printf("ready\n");
    std::fflush(stdout);
    QTest::qWait(60000);
    FAIL() << "was not killed";
}

TEST_F(FrameRecoveryTest, AfterAKillTheNextStartOffersTheCopyAndRestoresIt)
{
    const QString folder = CopyDemo();
    const QString dataFile = folder + QStringLiteral("/Lobby.mvl");
    const std::map<QString, QByteArray> before = FilesUnder(folder);
    const QString cache = work.Path(QStringLiteral("cache"));

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CACHE_HOME"), cache);
    env.insert(QStringLiteral("MVL_TEST_KEEP_CACHE"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(kChildProject, dataFile);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_also_run_disabled_tests"),
                 QStringLiteral("--gtest_filter=FrameRecoveryTest.DISABLED_ChildEditsAndWaitsToBeKilled")});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray output;
    while (!output.contains("ready") && child.state() == QProcess::Running && child.waitForReadyRead(60000))
        output += child.readAllStandardOutput();
    ASSERT_TRUE(output.contains("ready")) << output.toStdString();
    child.kill(); // SIGKILL: nothing of the editor runs any more
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    EXPECT_TRUE(FilesUnder(folder) == before) << "the project was never written";

    // The next start, in the same cache folder.
    const QByteArray ownCache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache));
    frame.reset();
    MakeFrame();
    ui.messages.clear();
    ui.answers.push_back(kIdYes);
    frame->OfferRecovery();
    qputenv("XDG_CACHE_HOME", ownCache);

    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("Lobby")));
    ProjectData* project = frame->CurrentProject();
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(project->GetDataFilePath(), dataFile);
    EXPECT_TRUE(project->IsModified());
    EXPECT_EQ(project->pages.front()->controls.front()->name, QStringLiteral("Recovered"));
    EXPECT_NE(frame->TreePane()->FindProjectItem(project), nullptr);

    // Opening the same project's file again is refused: the restored one is it.
    EXPECT_TRUE(frame->IsProjectFolderOpen(folder));
    frame->OnCommand(Cmd::SaveProject);
    EXPECT_EQ(EntryCount(frame->Recovery().Store().BaseFolder()), 0);
    ProjectData reread;
    reread.mainDelegate = &headless;
    QString message;
    ASSERT_TRUE(reread.LoadProjectFile(dataFile, message));
    EXPECT_EQ(reread.pages.front()->controls.front()->name, QStringLiteral("Recovered"));
}
