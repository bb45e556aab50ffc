#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <map>
#include <memory>

class ProjectData;
class ProjectDataMainDelegate;
class QLockFile;
class RecoveryWriter;

// Recovery copies of projects with unsaved changes, kept in the user's cache folder
// apart from the projects themselves: a copy is the data file and its text images,
// written under an entry folder of its own with a note of the project it belongs to.
// The running editor holds a lock on each entry it writes; an entry whose lock is gone
// or stale (its editor was killed or crashed) is what the next start offers to restore.
// The records are taken on the calling thread; the files are written on a worker, which
// reuses the text images the copy or the project already holds.
class RecoveryStore {
public:
    struct Entry {
        QString folder;        // the entry folder in the store
        QString dataFile;      // the recovered data file
        QString projectFolder; // the project the copy belongs to
        QDateTime written;
    };

    // The store lives in baseFolder; empty means the user's cache folder.
    explicit RecoveryStore(const QString& baseFolder = QString());
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    QString BaseFolder() const { return base; }

    // Starts a copy of a project with unsaved changes unless the copy already holds (or
    // is being given) its latest change. The project's own folder is never written.
    // False when the copy could not be started.
    bool Write(ProjectData& project);
    // Waits until the copies started are written; false when one failed.
    bool Finish();
    // Drops the copy of a project (saved, or closed without saving).
    void Remove(const ProjectData& project);
    // Copies left behind by an editor that did not end normally.
    QList<Entry> Orphans() const;
    // Loads an orphan as an open project belonging to its own folder, marked as having
    // unsaved changes, and drops the entry; null (with a message) when it does not load.
    std::unique_ptr<ProjectData> Restore(const Entry& entry, ProjectDataMainDelegate* mainDelegate,
                                         QString& message);
    void Discard(const Entry& entry);

private:
    struct Held {
        QString folder;
        quint64 changeCount = 0;
        std::unique_ptr<QLockFile> lock;
    };

    static void RemoveEntryFolder(const QString& folder);

    QString base;
    std::map<const ProjectData*, Held> held;
    // Declared last: stopped before the entries it writes into are let go.
    std::unique_ptr<RecoveryWriter> writer;
};
