#pragma once

#include "LayoutSettings.h"

#include <QString>

#include <map>

class ProjectData;

// The layout settings and control locks of the open projects. Each project keeps them
// in a hidden file of its own folder: names beginning with "." are never packed, so the
// panel never sees the file, and the data file never holds any of it. A project without
// the file opens with the defaults and no locks.
class LayoutStore {
public:
    static const QString kFileName;
    // A larger file is not read: it cannot be one this editor wrote for a real project.
    static constexpr qint64 kMaxFileSize = 1 << 20;
    static constexpr int kMaxLocks = 50000;

    // Reads the project's file, if there is one: its settings, and locks on the controls
    // it names that the project has.
    void Load(ProjectData& project);
    // Writes the project's settings and locks under the names its pages and controls
    // have now. A project at the defaults without locks and without a file gets none.
    // False when the file could not be written.
    bool Save(const ProjectData& project) const;
    void Forget(const ProjectData* project);
    // Null for a project that was never loaded.
    LayoutSettings* Settings(const ProjectData* project);
    const LayoutSettings* Settings(const ProjectData* project) const;
    static QString FilePath(const ProjectData& project);

private:
    std::map<const ProjectData*, LayoutSettings> settings;
};
