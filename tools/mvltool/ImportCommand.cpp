// mvltool import FILE.json FOLDER [--force]: the project a description gives, in the form
// info prints it. It is built and loaded back in a scratch folder first; FOLDER gets
// nothing unless all of that worked.

#include "ToolCommands.h"

#include "base/FileUtil.h"
#include "base/Translation.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/ProjectDescription.h"
#include "model/XPage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kRefused = 1;
// A description of the biggest projects is a few megabytes; far beyond is no project.
constexpr qint64 kMaxDescriptionBytes = 64 * 1024 * 1024;
const QString kPhoto = QStringLiteral("PHOTO");

bool ReadDescription(const QString& path, QJsonObject& description)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxDescriptionBytes) {
        PrintError(TranslateFormat(QStringLiteral("2420"), {path}));
        return false;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (document.isNull()) {
        PrintError(path + QStringLiteral(": ")
                   + TranslateFormat(QStringLiteral("2409"), {error.errorString(), QString::number(error.offset)}));
        return false;
    }
    if (!document.isObject()) {
        PrintError(path + QStringLiteral(": ") + Translate(QStringLiteral("2406")));
        return false;
    }
    description = document.object();
    return true;
}

// The images the project names: its list, then those of every element.
QStringList NamedImages(const ProjectData& project)
{
    QStringList names;
    QSet<QString> seen;
    auto add = [&](const QStringList& more) {
        for (const QString& name : more) {
            if (seen.contains(name))
                continue;
            seen.insert(name);
            names.append(name);
        }
    };
    add(project.images);
    for (const XPage* page : project.pages) {
        add(page->ImageNames());
        for (const XControl* c : page->controls)
            add(c->ImageNames());
    }
    return names;
}

// Copies the named images into the project: from the PHOTO folder beside the
// description, or else from the one of the project being replaced; a warning for each one
// found in neither.
bool CopyImages(const ProjectData& project, const QString& descriptionPath, const QString& targetFolder)
{
    const QStringList sources = {QFileInfo(descriptionPath).absolutePath() + u'/' + kPhoto + u'/',
                                 targetFolder + u'/' + kPhoto + u'/'};
    if (!QDir().mkpath(project.GetImageFolder()))
        return false;
    for (const QString& name : NamedImages(project)) {
        QString from;
        for (const QString& source : sources) {
            if (IsPlainFileName(name) && QFileInfo(source + name).isFile()) {
                from = source + name;
                break;
            }
        }
        if (from.isEmpty()) {
            PrintError(TranslateFormat(QStringLiteral("2416"), {QDir::toNativeSeparators(sources[0] + name)}));
            continue;
        }
        if (!FileUtil::CopyFileReplacing(from, project.ImagePath(name)))
            return false;
    }
    return true;
}

int CannotWrite(const QString& folder)
{
    PrintError(TranslateFormat(QStringLiteral("2417"), {folder}));
    return kRefused;
}

} // namespace

int RunImport(const QStringList& argsIn)
{
    QStringList args = argsIn;
    const bool force = args.removeAll(QStringLiteral("--force")) > 0;
    if (args.size() != 2) {
        return UsageError("import");
    }
    QJsonObject description;
    if (!ReadDescription(args[0], description))
        return kRefused;
    HeadlessMainDelegate delegate;
    ProjectData project;
    project.mainDelegate = &delegate;
    QString problem;
    if (!ProjectDescription::Build(description, project, problem)) {
        PrintError(problem);
        return kRefused;
    }

    const QString folder = QDir::cleanPath(QDir::current().absoluteFilePath(args[1]));
    project.folder = folder;
    const QString target = project.GetDataFilePath();
    if (QFileInfo::exists(folder) && !QFileInfo(folder).isDir())
        return CannotWrite(folder);
    if (QFileInfo::exists(target) && !force) {
        PrintError(TranslateFormat(QStringLiteral("2415"), {folder}));
        return kRefused;
    }

    // The scratch copy has the folder's last name, so its data file has the target's name.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return CannotWrite(folder);
    project.folder = scratch.filePath(QFileInfo(folder).fileName());
    if (!CopyImages(project, args[0], folder) || !project.SaveProjectFile())
        return CannotWrite(folder);
    HeadlessMainDelegate checkDelegate;
    ProjectData check;
    if (!LoadProjectForTool(project.GetDataFilePath(), checkDelegate, check))
        return kRefused;

    if (!QDir().mkpath(folder) || !FileUtil::CopyFolder(project.folder, folder))
        return CannotWrite(folder);
    std::printf("%s\n", target.toUtf8().constData());
    return 0;
}
