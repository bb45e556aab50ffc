#include "RecentProjects.h"

#include "ApplicationLook.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("Recent File List");
const QString kEntry = QStringLiteral("File%1");
// Longer folders are shortened in the middle in the menu.
constexpr int kMenuFolderLength = 60;

QString Normalised(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

QStringList RecentProjects::List() const
{
    QSettings& settings = FrameworkSettings();
    QStringList paths;
    for (int i = 1; i <= kMax; ++i) {
        const QString path = settings.value(kGroup + u'/' + kEntry.arg(i)).toString();
        if (!path.isEmpty() && !paths.contains(path))
            paths.append(path);
    }
    return paths;
}

void RecentProjects::Store(const QStringList& paths) const
{
    QSettings& settings = FrameworkSettings();
    for (int i = 1; i <= kMax; ++i) {
        const QString key = kGroup + u'/' + kEntry.arg(i);
        if (i <= paths.size())
            settings.setValue(key, paths[i - 1]);
        else
            settings.remove(key);
    }
    settings.sync();
}

void RecentProjects::Add(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString clean = Normalised(path);
    QStringList paths = List();
    paths.removeAll(clean);
    paths.prepend(clean);
    Store(paths.mid(0, kMax));
}

void RecentProjects::Remove(const QString& path)
{
    QStringList paths = List();
    if (paths.removeAll(path) + paths.removeAll(Normalised(path)) > 0)
        Store(paths);
}

QString RecentProjects::MenuText(int index, const QString& path)
{
    const QFileInfo info(path);
    QString folder = QDir::toNativeSeparators(info.absolutePath());
    if (folder.size() > kMenuFolderLength) {
        const int half = kMenuFolderLength / 2;
        folder = folder.left(half - 1) + QStringLiteral("…") + folder.right(half - 1);
    }
    QString name = info.completeBaseName();
    name.replace(u'&', QStringLiteral("&&"));
    folder.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2  (%3)").arg(index + 1).arg(name, folder);
}
