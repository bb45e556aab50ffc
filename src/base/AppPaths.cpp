#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppPaths {
namespace {

QString& OverrideFolder()
{
    static QString folder;
    return folder;
}

QString ExecutableFolder()
{
    if (!OverrideFolder().isEmpty())
        return OverrideFolder();
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                        : QDir::currentPath();
}

QString WritableFolder(QStandardPaths::StandardLocation location)
{
    const QString base = QStandardPaths::writableLocation(location);
    return QDir(base.isEmpty() ? QDir::homePath() : base).filePath(QStringLiteral("marvolenta"));
}

} // namespace

void SetAppFolder(const QString& folder)
{
    OverrideFolder() = QDir::cleanPath(folder);
}

bool IsInstalledLayout()
{
    if (!OverrideFolder().isEmpty())
        return false;
    const QString exe = ExecutableFolder();
    if (QFileInfo(exe + QStringLiteral("/DATA")).isDir())
        return false;
    return QFileInfo(exe + QStringLiteral("/../share/marvolenta/DATA")).isDir();
}

QString GetAppFolder()
{
    return ExecutableFolder();
}

QString GetDataFolder()
{
    if (IsInstalledLayout())
        return QDir::cleanPath(ExecutableFolder() + QStringLiteral("/../share/marvolenta/DATA"));
    return ExecutableFolder() + QStringLiteral("/DATA");
}

QString GetSettingsPath()
{
    if (IsInstalledLayout())
        return WritableFolder(QStandardPaths::GenericConfigLocation) + QStringLiteral("/APPDATA");
    return GetDataFolder() + QStringLiteral("/INI/APPDATA");
}

QString GetScreenTypePath()
{
    return GetDataFolder() + QStringLiteral("/INI/SCREENTYPE");
}

QString GetTranslationPath(const QString& name)
{
    return GetDataFolder() + QStringLiteral("/TRANSLATION/") + name;
}

QString GetFontPath(const QString& faceName)
{
    return GetDataFolder() + QStringLiteral("/FONT/") + faceName + QStringLiteral(".ttf");
}

QString GetAppPhotoFolder()
{
    return GetDataFolder() + QStringLiteral("/PHOTO");
}

QString GetTempZipPath()
{
    const QString folder = IsInstalledLayout()
        ? WritableFolder(QStandardPaths::GenericCacheLocation) + QStringLiteral("/TEMP")
        : GetDataFolder() + QStringLiteral("/TEMP");
    QDir().mkpath(folder);
    return folder + QStringLiteral("/temp.zip");
}

QString GetDumpPath()
{
    if (IsInstalledLayout())
        return WritableFolder(QStandardPaths::GenericCacheLocation) + QStringLiteral("/ErrorData.dmp");
    return ExecutableFolder() + QStringLiteral("/ErrorData.dmp");
}

} // namespace AppPaths
