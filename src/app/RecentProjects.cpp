#include "RecentProjects.h"

#include "ApplicationLook.h"
#include "model/ProjectData.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("Recent File List");
const QString kEntry = QStringLiteral("File%1");
// Longer paths are shortened in the middle in the menu.
constexpr int kMenuPathLength = 70;

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
    QString file = QDir::toNativeSeparators(info.absoluteFilePath());
    if (file.size() > kMenuPathLength) {
        const int half = kMenuPathLength / 2;
        file = file.left(half - 1) + QStringLiteral("…") + file.right(half - 1);
    }
    // The project's name as the tree shows it: its folder's.
    QString name = ProjectData::NameFromFolder(info.absolutePath());
    name.replace(u'&', QStringLiteral("&&"));
    file.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2  (%3)").arg(index + 1).arg(name, file);
}
