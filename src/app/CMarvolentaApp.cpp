#include "CMarvolentaApp.h"

#include "AppIcons.h"
#include "CMainFrame.h"
#include "CrashHandler.h"
#include "WidgetUi.h"
#include "base/AppPaths.h"
#include "base/Translation.h"
#include "base/Versions.h"
#include "base/DialogRegistry.h"
#include "controls/ApplicationFont.h"
#include "controls/ControlClasses.h"
#include "controls/ui/ControlDialogs.h"
#include "model/ui/ModelDialogs.h"

#include <QApplication>
#include <QFileInfo>

CMarvolentaApp::CMarvolentaApp() = default;

CMarvolentaApp::~CMarvolentaApp()
{
    frame.reset();
    if (ui)
        SetUi(nullptr);
}

QString CMarvolentaApp::ProjectFromCommandLine(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return {};
    const QString path = arguments.at(1);
    const int dot = path.lastIndexOf(u'.');
    // Exactly ".mvl": "X.MVL" is not taken for a project.
    if (dot < 0 || path.mid(dot) != QLatin1String(".mvl"))
        return {};
    return path;
}

bool CMarvolentaApp::InitInstance(const QStringList& arguments)
{
    QApplication::setApplicationName(QString::fromUtf8(Versions::kProductWord));
    QApplication::setApplicationVersion(QString::fromUtf8(Versions::kBuildVersion));
    QApplication::setWindowIcon(AppIcons::Application());

    Translation::LoadLanguage();
    InstallCrashHandler(AppPaths::GetDumpPath());

    RegisterApplicationFont();

    ui = std::make_unique<WidgetUi>();
    SetUi(ui.get());
    RegisterControlClasses();
    RegisterModelDialogs();
    RegisterControlDialogs([](const QString& name, DialogRunner runner) { DialogRegistry::Register(name, std::move(runner)); },
                           [] { return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                                         : QApplication::activeWindow(); });

    frame = std::make_unique<CMainFrame>();
    ui->SetMainWindow(frame.get());
    frame->ShowAtLastPlace();

    // Unsaved work of an editor that was killed comes first: the project it belongs to
    // is then not opened a second time from its file.
    frame->OfferRecovery();
    const QString project = ProjectFromCommandLine(arguments);
    if (!project.isEmpty()) {
        if (!frame->IsProjectFolderOpen(QFileInfo(project).absolutePath()))
            frame->OpenProjectFile(project, false);
    } else {
        frame->ReopenLastProject();
    }
    return true;
}

int CMarvolentaApp::ExitInstance(int exitCode)
{
    frame.reset(); // writes the last project
    UnregisterApplicationFont();
    Translation::SaveLanguage();
    return exitCode;
}
