#include "PreviewCommands.h"

#include "CMainFrame.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "model/ProjectData.h"
#include "model/XPage.h"
#include "preview/PrototypeWriter.h"
#include "preview/ui/CPreviewWnd.h"

#include <QDir>
#include <QFileInfo>

PreviewCommands::PreviewCommands(CMainFrame& f) : QObject(&f), frame(f) {}

QString PreviewCommands::StartPageName() const
{
    // The page being edited, when it belongs to the current project.
    XPage* page = frame.ActivePage();
    ProjectData* project = frame.CurrentProject();
    return page && project && project->pages.contains(page) ? page->name : QString();
}

void PreviewCommands::Open()
{
    ProjectData* project = frame.CurrentProject();
    if (!project)
        return;
    if (window && windowProject != project) {
        window->close(); // deleted later: a new one is made now
        window = nullptr;
    }
    if (!window) {
        // The window follows the project it was opened on while that stays open.
        CMainFrame* f = &frame;
        window = new CPreviewWnd(
            [f, project]() -> const ProjectData* {
                for (const auto& open : f->Projects())
                    if (open.get() == project)
                        return project;
                return nullptr;
            },
            &frame);
        window->setAttribute(Qt::WA_DeleteOnClose);
        windowProject = project;
    }
    if (!window->Start(StartPageName())) {
        ShowMessage(QStringLiteral("1520"), QStringLiteral("70"));
        window->close();
        return;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void PreviewCommands::ExportPrototype()
{
    ProjectData* project = frame.CurrentProject();
    if (!project)
        return;
    QString folder = Ui().ChooseSaveFile(Translate(QStringLiteral("1523")),
                                         project->GetName() + QStringLiteral("-prototype"), QString());
    if (folder.isEmpty())
        return;
    // A chosen page file names the folder it lies in; any other name is the folder itself.
    if (folder.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive))
        folder = QFileInfo(folder).absolutePath();
    PrototypeWriter writer(*project);
    writer.SetStartPage(StartPageName());
    QString error;
    if (!writer.Write(folder, error)) {
        ShowMessageText(error, QStringLiteral("70"));
        return;
    }
    ShowMessageText(FormatText(Translate(QStringLiteral("1522")), {QDir::toNativeSeparators(folder + QStringLiteral("/index.html"))}),
                    QStringLiteral("70"));
}
