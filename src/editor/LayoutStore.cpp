#include "LayoutStore.h"

#include "ControlLocks.h"
#include "model/ProjectData.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {

const QString kSpacing = QStringLiteral("Grid/Spacing");
const QString kShowGrid = QStringLiteral("Grid/Shown");
const QString kSnapToGrid = QStringLiteral("Grid/Snap");
const QString kSmartGuides = QStringLiteral("Guides/Snap");
const QString kLocks = QStringLiteral("Locks");
const QString kLockPage = QStringLiteral("Page");
const QString kLockControl = QStringLiteral("Control");

} // namespace

const QString LayoutStore::kFileName = QStringLiteral(".marvolenta-layout");

QString LayoutStore::FilePath(const ProjectData& project)
{
    return project.folder + u'/' + kFileName;
}

LayoutSettings* LayoutStore::Settings(const ProjectData* project)
{
    const auto it = settings.find(project);
    return it == settings.end() ? nullptr : &it->second;
}

const LayoutSettings* LayoutStore::Settings(const ProjectData* project) const
{
    const auto it = settings.find(project);
    return it == settings.end() ? nullptr : &it->second;
}

void LayoutStore::Forget(const ProjectData* project)
{
    settings.erase(project);
}

void LayoutStore::Load(ProjectData& project)
{
    LayoutSettings& s = settings[&project];
    s = LayoutSettings();
    const QFileInfo info(FilePath(project));
    if (!info.isFile() || info.size() > kMaxFileSize)
        return;
    QSettings file(info.filePath(), QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        return;
    bool ok = false;
    const int spacing = file.value(kSpacing).toInt(&ok);
    if (ok && LayoutSettings::IsValidSpacing(spacing))
        s.gridSpacing = spacing;
    s.showGrid = file.value(kShowGrid, s.showGrid).toBool();
    s.snapToGrid = file.value(kSnapToGrid, s.snapToGrid).toBool();
    s.smartGuides = file.value(kSmartGuides, s.smartGuides).toBool();

    QList<ControlLocks::Name> names;
    const int count = std::min(file.beginReadArray(kLocks), kMaxLocks);
    for (int i = 0; i < count; ++i) {
        file.setArrayIndex(i);
        names.append({file.value(kLockPage).toString(), file.value(kLockControl).toString()});
    }
    file.endArray();
    ControlLocks::Restore(project, names);
}

bool LayoutStore::Save(const ProjectData& project) const
{
    const LayoutSettings* s = Settings(&project);
    // A folder that is gone is not made again for this file alone.
    if (!s || project.folder.isEmpty() || !QFileInfo(project.folder).isDir())
        return false;
    const QString path = FilePath(project);
    const QList<ControlLocks::Name> names = ControlLocks::Collect(project);
    if (*s == LayoutSettings() && names.isEmpty() && !QFileInfo::exists(path))
        return true;
    QSettings file(path, QSettings::IniFormat);
    file.clear();
    file.setValue(kSpacing, s->gridSpacing);
    file.setValue(kShowGrid, s->showGrid);
    file.setValue(kSnapToGrid, s->snapToGrid);
    file.setValue(kSmartGuides, s->smartGuides);
    file.beginWriteArray(kLocks, static_cast<int>(names.size()));
    for (int i = 0; i < names.size(); ++i) {
        file.setArrayIndex(i);
        file.setValue(kLockPage, names[i].first);
        file.setValue(kLockControl, names[i].second);
    }
    file.endArray();
    file.sync();
    return file.status() == QSettings::NoError;
}
