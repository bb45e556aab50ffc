#include "ToolCommands.h"

#include "base/Translation.h"
#include "base/Versions.h"
#include "model/HeadlessMainDelegate.h"
#include "model/NewProjectFolder.h"
#include "model/ProjectData.h"
#include "model/ProjectDescription.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

void PrintError(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

bool LoadProjectForTool(const QString& path, HeadlessMainDelegate& delegate, ProjectData& project)
{
    project.mainDelegate = &delegate;
    if (!QFileInfo(path).isFile()) {
        PrintError(QStringLiteral("%1: no such file").arg(path));
        return false;
    }
    QString message;
    if (project.LoadProjectFile(QFileInfo(path).absoluteFilePath(), message))
        return true;
    PrintError(message.isEmpty() ? Translate("71", QStringLiteral("The project could not be loaded."))
                                 : message);
    return false;
}

namespace {

bool SaveProjectForTool(ProjectData& project)
{
    if (project.SaveProjectFile())
        return true;
    // One message: the file that failed, or the general failure.
    const QString failure = project.SaveFailureText();
    PrintError(failure.isEmpty() ? Translate("74", QStringLiteral("The project could not be saved.")) : failure);
    return false;
}

} // namespace

int RunInfo(const QStringList& args)
{
    if (args.size() != 1)
        return UsageError("info");
    HeadlessMainDelegate delegate;
    ProjectData project;
    if (!LoadProjectForTool(args[0], delegate, project))
        return 1;

    const QJsonObject root = ProjectDescription::Describe(project);
    const QByteArray json = QJsonDocument(root).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout);
    return 0;
}

int RunResave(const QStringList& args)
{
    if (args.size() != 1)
        return UsageError("resave");
    HeadlessMainDelegate delegate;
    ProjectData project;
    if (!LoadProjectForTool(args[0], delegate, project))
        return 1;
    return SaveProjectForTool(project) ? 0 : 1;
}

int RunNew(const QStringList& args)
{
    bool okW = false;
    bool okH = false;
    const int width = args.size() == 3 ? args[1].toInt(&okW) : 0;
    const int height = args.size() == 3 ? args[2].toInt(&okH) : 0;
    if (args.size() != 3 || !okW || !okH)
        return UsageError("new");
    if (width < 200 || width > 5000)
        return UsageError("new", TranslateFormat("209", RangeArgs(200, 5000)));
    if (height < 200 || height > 5000)
        return UsageError("new", TranslateFormat("210", RangeArgs(200, 5000)));
    // The folder is checked as the new-project dialog checks it; a project already there
    // is never replaced (the dialog asks, a script cannot be asked).
    const QString folder = NewProjectFolder::Resolve(QDir::current().absoluteFilePath(args[0]));
    if (folder.isEmpty()) {
        PrintError(TranslateFormat("1402", {args[0]}));
        return 1;
    }
    const QString existing = NewProjectFolder::ExistingDataFile(folder);
    if (!existing.isEmpty()) {
        PrintError(TranslateFormat("1403", {folder}));
        return 1;
    }
    if (!QDir().mkpath(folder)) {
        PrintError(Translate("208", QStringLiteral("The project folder could not be created.")));
        return 1;
    }
    HeadlessMainDelegate delegate;
    ProjectData project;
    project.mainDelegate = &delegate;
    project.folder = folder;
    project.screen = {TypeRegistry::kCustomKey, width, height};
    if (!SaveProjectForTool(project))
        return 1;
    std::printf("%s\n", project.GetDataFilePath().toUtf8().constData());
    return 0;
}
