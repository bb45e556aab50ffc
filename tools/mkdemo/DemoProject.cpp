#include "DemoProject.h"

#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QDir>

bool WriteDemoProject(const QString& folder, QString& error)
{
    QDir(folder).removeRecursively();
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    HeadlessMainDelegate delegate;
    ProjectData project;
    project.mainDelegate = &delegate;
    project.folder = QDir::cleanPath(folder);
    project.screen = {QStringLiteral("1024x600"), 1024, 600};

    XPage* lobby = project.NewPage(TypeRegistry::kPage, QStringLiteral("Lobby"));
    lobby->backgroundColor = MakeRgb(24, 32, 48);
    lobby->AddGroup(QStringLiteral("Scenes"));
    XPage* lights = project.NewPage(TypeRegistry::kPage, QStringLiteral("Lighting"));
    lights->backgroundColor = MakeRgb(30, 40, 36);
    XPage* popup = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("Volume"));
    popup->x2 = 420;
    popup->y2 = 260;
    popup->backgroundColor = MakeRgb(52, 58, 74);

    if (!project.SaveProjectFile()) {
        error = QStringLiteral("cannot save the demo project in %1").arg(folder);
        return false;
    }
    return true;
}
