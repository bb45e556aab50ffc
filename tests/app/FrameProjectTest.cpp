#include "FrameFixture.h"

#include "controls/XButton.h"
#include "controls/XFontButton.h"
#include "model/TypeRegistry.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QUrl>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Takes away the power to write where file permissions forbid it (which a superuser has)
// for as long as it lives, so an unwritable folder is unwritable for these tests too.
class ScopedFilePermissions {
public:
    ScopedFilePermissions()
    {
        header.version = _LINUX_CAPABILITY_VERSION_3;
        header.pid = 0;
        if (syscall(SYS_capget, &header, saved) != 0)
            return;
        __user_cap_data_struct reduced[2];
        std::copy(std::begin(saved), std::end(saved), std::begin(reduced));
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        active = syscall(SYS_capset, &header, reduced) == 0;
    }
    ~ScopedFilePermissions()
    {
        if (active)
            syscall(SYS_capset, &header, saved);
    }

private:
    __user_cap_header_struct header{};
    __user_cap_data_struct saved[2]{};
    bool active = false;
};

bool CanWriteInto(const QString& folder)
{
    QFile probe(folder + QStringLiteral("/.probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.remove();
    return true;
}

QMimeData* UrlsOf(const QStringList& paths)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    data->setUrls(urls);
    return data;
}

void Drop(QWidget* target, const QStringList& paths)
{
    std::unique_ptr<QMimeData> data(UrlsOf(paths));
    // A drop reaches the window that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

} // namespace

using FrameProjects = FrameFixture;

TEST_F(FrameProjects, NewProjectPageButtonSaveCloseReopenGivesTheSameFile)
{
    const QString folder = work.Path(QStringLiteral("Hall"));
    ProjectData* project = NewProject(folder);
    ASSERT_NE(project, nullptr);
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/Hall.mvl")).isFile()) << "a new project is saved at once";
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/PHOTO/TEXTPHOTO")).isDir());

    XPage* page = NewPage(QStringLiteral("PAGE-0"));
    ASSERT_NE(page, nullptr);
    ASSERT_NE(frame->ActiveView(), nullptr);
    EXPECT_EQ(frame->ActiveView()->GetPage(), page);
    EXPECT_EQ(frame->GetToolMode(), 101);

    // The button tool, then a drag on the page.
    frame->OnCommand(32836);
    EXPECT_EQ(frame->GetToolMode(), 6);
    Drag(page, {100, 120}, {300, 200});
    ASSERT_EQ(page->controls.size(), 1);
    auto* button = dynamic_cast<XButton*>(page->controls[0]);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->name, QStringLiteral("BUTTON-0"));
    EXPECT_EQ(frame->GetCurrentControl(), button);
    EXPECT_TRUE(frame->IsCommandEnabled(32890)) << "the drawing is one undo step";

    frame->OnCommand(32774);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, TranslateFormat("388", {QStringLiteral("3.8.2"), QStringLiteral("1.9.8")}));
    const QByteArray saved = ReadAll(project->GetDataFilePath());
    ASSERT_FALSE(saved.isEmpty());
    const IntRect drawn{button->x1, button->y1, button->x2, button->y2};
    EXPECT_EQ(drawn, (IntRect{100, 120, 300, 200}));

    frame->OnCommand(32773); // saved: closing asks nothing
    EXPECT_TRUE(frame->Projects().empty());
    EXPECT_EQ(frame->CurrentProject(), nullptr);
    EXPECT_EQ(frame->ActiveView(), nullptr);
    EXPECT_TRUE(frame->ChildFrames().isEmpty());
    EXPECT_EQ(ReadAll(folder + QStringLiteral("/Hall.mvl")), saved);

    ASSERT_TRUE(frame->OpenProjectFile(folder + QStringLiteral("/Hall.mvl")));
    ProjectData* reopened = frame->CurrentProject();
    ASSERT_NE(reopened, nullptr);
    ASSERT_EQ(reopened->pages.size(), 1);
    ASSERT_EQ(reopened->pages[0]->controls.size(), 1);
    const XControl* back = reopened->pages[0]->controls[0];
    EXPECT_EQ(back->GetType(), 6);
    EXPECT_EQ((IntRect{back->x1, back->y1, back->x2, back->y2}), drawn);
    ui.messages.clear();
    frame->OnCommand(32774);
    EXPECT_EQ(ReadAll(folder + QStringLiteral("/Hall.mvl")), saved) << "loading and saving again changes nothing";
}

TEST_F(FrameProjects, ExitAsksAndAnswersCancelNoAndYes)
{
    const QString folderA = work.Path(QStringLiteral("A"));
    const QString folderB = work.Path(QStringLiteral("B"));
    NewProject(folderA);
    NewPage(QStringLiteral("Lobby"));
    NewProject(folderB);
    NewPage(QStringLiteral("Porch"));
    const QByteArray emptyA = ReadAll(folderA + QStringLiteral("/A.mvl"));
    const QByteArray emptyB = ReadAll(folderB + QStringLiteral("/B.mvl"));

    // Cancel: the editor stays, nothing is written.
    ui.answers.push_back(kIdCancel);
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, Translate("75"));
    EXPECT_EQ(ui.messages[0].buttonSet, kButtonsCancelNoYes);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->Projects().size(), 2u);
    EXPECT_EQ(ReadAll(folderA + QStringLiteral("/A.mvl")), emptyA);

    // No: the editor closes without saving.
    ui.answers.push_back(kIdNo);
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(ReadAll(folderA + QStringLiteral("/A.mvl")), emptyA);
    EXPECT_EQ(ReadAll(folderB + QStringLiteral("/B.mvl")), emptyB);

    // Yes: every open project is saved, then the editor closes.
    frame.reset();
    MakeFrame();
    ASSERT_TRUE(frame->OpenProjectFile(folderA + QStringLiteral("/A.mvl")));
    NewPage(QStringLiteral("Lobby"));
    ASSERT_TRUE(frame->OpenProjectFile(folderB + QStringLiteral("/B.mvl")));
    NewPage(QStringLiteral("Porch"));
    ui.answers.push_back(kIdYes);
    EXPECT_TRUE(frame->close());
    EXPECT_NE(ReadAll(folderA + QStringLiteral("/A.mvl")), emptyA);
    EXPECT_NE(ReadAll(folderB + QStringLiteral("/B.mvl")), emptyB);
    ProjectData check;
    QString message;
    ASSERT_TRUE(check.LoadProjectFile(folderB + QStringLiteral("/B.mvl"), message));
    ASSERT_EQ(check.pages.size(), 1);
    EXPECT_EQ(check.pages[0]->name, QStringLiteral("Porch"));
}

TEST_F(FrameProjects, ExitWithoutProjectsAsksNothingAndForgetsTheLastProject)
{
    Profile::WriteString(AppPaths::GetSettingsPath(), QStringLiteral("Info"), QStringLiteral("ProjectFilePath"),
                         QStringLiteral("/somewhere/Old.mvl"));
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(ui.messages.isEmpty());
    frame.reset();
    EXPECT_EQ(SettingsValue(QStringLiteral("ProjectFilePath")), QString());
}

TEST_F(FrameProjects, TheCurrentProjectIsReopenedAtTheNextStart)
{
    const QString folder = work.Path(QStringLiteral("Villa"));
    NewProject(folder);
    NewPage(QStringLiteral("Entry"));
    frame->OnCommand(32774);
    frame.reset();
    EXPECT_EQ(SettingsValue(QStringLiteral("ProjectFilePath")), folder + QStringLiteral("/Villa.mvl"));

    MakeFrame();
    frame->ReopenLastProject();
    ASSERT_NE(frame->CurrentProject(), nullptr);
    EXPECT_EQ(frame->CurrentProject()->GetName(), QStringLiteral("Villa"));
    EXPECT_EQ(frame->CurrentProject()->pages.size(), 1);

    // A last project whose file has gone is passed over without a word.
    frame.reset();
    QFile::remove(folder + QStringLiteral("/Villa.mvl"));
    MakeFrame();
    ui.messages.clear();
    frame->ReopenLastProject();
    EXPECT_TRUE(frame->Projects().empty());
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(FrameProjects, ASecondOpenOfTheSameProjectIsRefused)
{
    const QString folder = work.Path(QStringLiteral("Hall"));
    NewProject(folder);
    ui.messages.clear();
    ui.files.push_back(folder + QStringLiteral("/Hall.mvl"));
    frame->OnCommand(32772);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, Translate("221"));
    EXPECT_EQ(ui.messages[0].caption, Translate("70"));
    EXPECT_EQ(frame->Projects().size(), 1u);

    // Also by another spelling of the same path, and when creating a project there.
    ui.messages.clear();
    EXPECT_FALSE(frame->OpenProjectFile(folder + QStringLiteral("/../Hall/./Hall.mvl")));
    EXPECT_EQ(MessageTexts(), QStringList{Translate("221")});
    ui.messages.clear();
    NewProject(folder);
    EXPECT_EQ(MessageTexts(), QStringList{Translate("221")});
    EXPECT_EQ(frame->Projects().size(), 1u);
}

TEST_F(FrameProjects, AFileThatDoesNotLoadShowsTheLoadMessage)
{
    work.Write(QStringLiteral("Bad/Bad.mvl"), "8001zz");
    EXPECT_FALSE(frame->OpenProjectFile(work.Path(QStringLiteral("Bad/Bad.mvl"))));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_FALSE(ui.messages[0].text.isEmpty());
    EXPECT_EQ(ui.messages[0].caption, Translate("70"));
    ui.messages.clear();
    EXPECT_FALSE(frame->OpenProjectFile(work.Path(QStringLiteral("Nothing/Nothing.mvl"))));
    EXPECT_EQ(MessageTexts(), QStringList{Translate("71")});
    EXPECT_TRUE(frame->Projects().empty());
}

TEST_F(FrameProjects, AnUnwritableProjectFolderGivesTheMessageAndLosesNothing)
{
    const QString folder = work.Path(QStringLiteral("Hall"));
    ProjectData* project = NewProject(folder);
    NewPage(QStringLiteral("Lobby"));
    frame->OnCommand(32774);
    const QByteArray good = ReadAll(project->GetDataFilePath());

    XPage* second = NewPage(QStringLiteral("Cellar"));
    ASSERT_NE(second, nullptr);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    {
        ScopedFilePermissions restricted;
        ASSERT_FALSE(CanWriteInto(folder)) << "the test needs a folder it cannot write into";
        ui.messages.clear();
        frame->OnCommand(32774);
        EXPECT_EQ(MessageTexts(), QStringList{Translate("74")});

        // Exit with "save" stays open when a project cannot be saved.
        ui.messages.clear();
        ui.answers.push_back(kIdYes);
        EXPECT_FALSE(frame->close());
        EXPECT_EQ(MessageTexts(), (QStringList{Translate("75"), Translate("74")}));
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadAll(project->GetDataFilePath()), good) << "the last good file stays as it was";
    ASSERT_EQ(frame->Projects().size(), 1u);
    EXPECT_EQ(project->pages.size(), 2) << "the work in memory is still there";

    ui.messages.clear();
    frame->OnCommand(32774);
    ProjectData check;
    QString message;
    ASSERT_TRUE(check.LoadProjectFile(project->GetDataFilePath(), message));
    EXPECT_EQ(check.pages.size(), 2);
}

TEST_F(FrameProjects, ASaveThatCannotWriteEveryTextImageNamesOneAndIsNoSuccess)
{
    const QString folder = work.Path(QStringLiteral("Hall"));
    ProjectData* project = NewProject(folder);
    ASSERT_NE(project, nullptr);
    // No file name can hold this page's name: none of its six text images can be written.
    const QString longName(300, u'x');
    XPage* page = project->NewPage(TypeRegistry::kPage, longName);
    for (int i = 0; i < 3; ++i) {
        auto* button = new XFontButton;
        page->AddControl(button);
        button->SetBounds({0, 50 * i, 100, 50 * i + 40});
    }
    ui.messages.clear();
    frame->OnCommand(32774);
    ASSERT_EQ(MessageTexts().size(), 1) << "one message, not one per image";
    const QString message = MessageTexts().front();
    EXPECT_TRUE(message.contains(longName + u'_' + page->controls.front()->name + QStringLiteral(".png")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(u'6'));
    EXPECT_NE(message, TranslateFormat("388", {QStringLiteral("3.8.2"), QStringLiteral("1.9.8")}));
    EXPECT_TRUE(project->IsModified()) << "what was not written is still unsaved";

    // The records were written: the command-line tool loads them and fails the same way.
    ProjectData saved;
    QString loadMessage;
    ASSERT_TRUE(saved.LoadProjectFile(project->GetDataFilePath(), loadMessage));
    EXPECT_NE(saved.FindPage(longName), nullptr);
    QProcess tool;
    tool.start(qEnvironmentVariable("MVLTOOL", QStringLiteral(MVL_BIN_DIR "/mvltool")),
               {QStringLiteral("resave"), project->GetDataFilePath()});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tool.exitCode(), 1);
    const QString errors = QString::fromUtf8(tool.readAllStandardError());
    EXPECT_EQ(errors.count(QStringLiteral(".png")), 1) << errors.toStdString();
}

TEST_F(FrameProjects, CloseAsksToSaveAndYesSaves)
{
    const QString folder = work.Path(QStringLiteral("Hall"));
    NewProject(folder);
    NewPage(QStringLiteral("Lobby"));
    ui.messages.clear();
    ui.answers.push_back(kIdYes);
    frame->OnCommand(32773);
    ASSERT_FALSE(ui.messages.isEmpty());
    EXPECT_EQ(ui.messages[0].text, Translate("75"));
    EXPECT_EQ(ui.messages[0].buttonSet, kButtonsCancelNoYes);
    EXPECT_TRUE(frame->Projects().empty());
    ProjectData check;
    QString message;
    ASSERT_TRUE(check.LoadProjectFile(folder + QStringLiteral("/Hall.mvl"), message));
    EXPECT_EQ(check.pages.size(), 1);
}

TEST_F(FrameProjects, ClosingTheProjectOfTheActivePageLeavesNoActiveViewAndNoEditCommands)
{
    NewProject(work.Path(QStringLiteral("Hall")));
    XPage* page = NewPage(QStringLiteral("Lobby"));
    frame->OnCommand(32836);
    Drag(page, {50, 50}, {200, 100});
    frame->UpdateCommandUI();
    EXPECT_TRUE(frame->Action(32890)->isEnabled());
    EXPECT_TRUE(frame->Action(32836)->isEnabled());

    ui.answers.push_back(kIdNo);
    frame->OnCommand(32773);
    frame->UpdateCommandUI();
    EXPECT_EQ(frame->ActiveView(), nullptr);
    EXPECT_EQ(frame->GetCurrentControl(), nullptr);
    for (int id : {32890, 32891, 32836, 32833, 32885, 32948, 32774, 32773, 32908, 32775})
        EXPECT_FALSE(frame->Action(id)->isEnabled()) << id;
    EXPECT_TRUE(frame->Action(32771)->isEnabled());
    EXPECT_TRUE(frame->Action(32825)->isEnabled());
}

TEST_F(FrameProjects, SaveAsCopiesTheFolderUnderTheNewName)
{
    const QString folder = work.Path(QStringLiteral("Hall"));
    ProjectData* project = NewProject(folder);
    NewPage(QStringLiteral("Lobby"));
    frame->OnCommand(32774);
    WriteTestPng(folder + QStringLiteral("/PHOTO/logo.png"), 8, 8);

    ui.messages.clear();
    ui.files.push_back(work.Path(QStringLiteral("Copies/Annex")));
    frame->OnCommand(32908);
    EXPECT_EQ(MessageTexts(), QStringList{Translate("212")});
    EXPECT_TRUE(QFileInfo(work.Path(QStringLiteral("Copies/Annex/Annex.mvl"))).isFile());
    EXPECT_FALSE(QFileInfo::exists(work.Path(QStringLiteral("Copies/Annex/Hall.mvl"))));
    EXPECT_TRUE(QFileInfo(work.Path(QStringLiteral("Copies/Annex/PHOTO/logo.png"))).isFile());
    EXPECT_EQ(frame->CurrentProject(), project) << "the copy is not opened";
    EXPECT_EQ(frame->Projects().size(), 1u);

    // A copy into the project's own folder would never end: refused.
    ui.messages.clear();
    ui.files.push_back(folder + QStringLiteral("/Inside"));
    frame->OnCommand(32908);
    EXPECT_EQ(MessageTexts(), QStringList{Translate("213")});
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/Inside")));
}

TEST_F(FrameProjects, DroppingExactlyOneProjectFileOpensIt)
{
    const QString folder = work.Path(QStringLiteral("Hall"));
    NewProject(folder);
    frame->OnCommand(32773);
    work.Write(QStringLiteral("notes.txt"), "x");

    Drop(frame.get(), {folder + QStringLiteral("/Hall.mvl"), work.Path(QStringLiteral("notes.txt"))});
    EXPECT_TRUE(frame->Projects().empty());
    Drop(frame.get(), {work.Path(QStringLiteral("notes.txt"))});
    EXPECT_TRUE(frame->Projects().empty());
    Drop(frame.get(), {folder + QStringLiteral("/Hall.mvl")});
    ASSERT_EQ(frame->Projects().size(), 1u);
    EXPECT_EQ(frame->CurrentProject()->GetName(), QStringLiteral("Hall"));
}

TEST_F(FrameProjects, PagesAndSubPagesAreNamedAndOpened)
{
    ProjectData* project = NewProject(work.Path(QStringLiteral("Hall")));
    QString proposed;
    ui.dialogs[QStringLiteral("name")] = [&](void* data) {
        auto* r = static_cast<NameDialogRequest*>(data);
        proposed = r->name;
        EXPECT_EQ(r->caption, Translate("72"));
        return 1;
    };
    frame->OnCommand(32775);
    EXPECT_EQ(proposed, QStringLiteral("PAGE-0"));
    frame->OnCommand(32776);
    EXPECT_EQ(proposed, QStringLiteral("SUBPAGE-0"));
    ASSERT_EQ(project->pages.size(), 2);
    EXPECT_EQ(project->pages[1]->GetType(), 1);
    EXPECT_EQ(frame->ChildFrames().size(), 2);
    EXPECT_EQ(frame->ActiveView()->GetPage(), project->pages[1]);
    EXPECT_EQ(frame->GetCurrentControl(), project->pages[1]);
    EXPECT_EQ(frame->GetToolMode(), 101);

    // A name already used, or the word that means "no page", makes nothing.
    ui.messages.clear();
    NewPage(QStringLiteral("PAGE-0"));
    NewPage(QStringLiteral("NONE"));
    EXPECT_EQ(MessageTexts(), (QStringList{Translate("73"), Translate("73")}));
    EXPECT_EQ(project->pages.size(), 2);
    EXPECT_EQ(frame->GetToolMode(), 101);

    // The page window shows the page at the zoom, with nothing around it.
    CMarvolentaView* view = ViewOf(project->pages[0]);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->viewport()->size(), QSize(1024, 600));
}

TEST_F(FrameProjects, ProjectSizeRescalesOnlyWhenChanged)
{
    ProjectData* project = NewProject(work.Path(QStringLiteral("Hall")), 1024, 768);
    XPage* page = NewPage(QStringLiteral("Lobby"));
    frame->OnCommand(32836);
    Drag(page, {1000, 700}, {1010, 710});
    ASSERT_EQ(page->controls.size(), 1);
    XControl* c = page->controls[0];
    const IntRect before{c->x1, c->y1, c->x2, c->y2};

    ui.dialogs[QStringLiteral("projectsize")] = [](void* data) {
        auto* r = static_cast<ProjectSizeDialogRequest*>(data);
        EXPECT_EQ(r->width, 1024);
        EXPECT_EQ(r->height, 768);
        return 1;
    };
    frame->OnCommand(32926);
    EXPECT_EQ((IntRect{c->x1, c->y1, c->x2, c->y2}), before);
    EXPECT_NE(frame->ChildFrameFor(page), nullptr) << "nothing changed, nothing closed";

    ui.dialogs[QStringLiteral("projectsize")] = [](void* data) {
        auto* r = static_cast<ProjectSizeDialogRequest*>(data);
        r->width = 800;
        r->height = 600;
        return 1;
    };
    frame->OnCommand(32926);
    EXPECT_EQ(project->screen.width, 800);
    EXPECT_EQ(c->x1, before.left * 800 / 1024);
    EXPECT_EQ(c->y1, before.top * 600 / 768);
    EXPECT_EQ(frame->ChildFrameFor(page), nullptr) << "page windows close when the project is resized";
}

TEST_F(FrameProjects, ClosingPageWindowsNeverDeletesPagesAndLeavesNothingBehind)
{
    ProjectData* project = NewProject(work.Path(QStringLiteral("Hall")));
    XPage* lobby = NewPage(QStringLiteral("Lobby"));
    XPage* porch = NewPage(QStringLiteral("Porch"));
    ASSERT_EQ(frame->ChildFrames().size(), 2);

    // The caption menu's "close all" while the windows are still being used.
    CChildFrame* child = frame->ChildFrameFor(porch);
    ASSERT_NE(child, nullptr);
    child->CaptionMenu()->actions().at(1)->trigger();
    EXPECT_TRUE(frame->ChildFrames().isEmpty());
    EXPECT_EQ(frame->ActiveView(), nullptr);
    EXPECT_EQ(project->pages.size(), 2);
    EXPECT_EQ(lobby->window, nullptr);
    EXPECT_EQ(porch->window, nullptr);

    // The frame goes before the windows' deferred deletion has run: nothing may touch
    // the pages afterwards.
    frame.reset();
    QApplication::processEvents();
    MakeFrame();
    EXPECT_TRUE(frame->Projects().empty());
}
