#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <mutex>
#include <vector>

// One version of a file on disk. A file replaced, rewritten or touched behind the
// editor's back has another stamp.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1; // -1: no such regular file
    qint64 modifiedNs = 0;

    bool IsValid() const { return size >= 0; }
    bool operator==(const FileStamp& o) const
    {
        return device == o.device && inode == o.inode && size == o.size && modifiedNs == o.modifiedNs;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }

    static FileStamp Of(const QString& path);
};

// Files written as one save. Each target is written to a temporary file beside it and
// renamed over it only after the whole set has been made durable, with one flush for the
// set rather than one per file: a crash or power loss leaves every target either in its
// old or in its new form, never torn. A target that cannot be written keeps its old file; the others
// are still replaced, and the failures say which failed and why. Staging may happen on
// several threads at once; Commit on one.
class FileBatch {
public:
    struct Failure {
        QString path;
        QString reason; // the system's words; empty when the content could not be made
    };
    // A cache beside the others is neither flushed (a stale or missing one only costs
    // work) nor a failure when it cannot be written. A file staged as Last is put in
    // place after all others, whenever it was staged; when it cannot be written, none
    // of the others is put in place either.
    enum Need { Required, Last, Cache };

    FileBatch() = default;
    ~FileBatch();
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;

    // Writes the bytes beside the target now; Commit puts them in place. A later Stage,
    // Keep or Fail of the same target replaces this one.
    bool Stage(const QString& target, const QByteArray& bytes, Need need = Required);
    // Stages a copy of another file, which must still be the version stamped: a hard link
    // when allowed and on the same file system, else a copy of its bytes. False, with
    // nothing staged and no failure noted, when the source is not that version any more
    // or cannot be read.
    enum Copy { LinkOrCopy, CopyBytes };
    bool StageCopy(const QString& target, const QString& source, const FileStamp& expected, Copy how);
    // The target stays as it is; whatever was staged for it is dropped.
    void Keep(const QString& target);
    // Notes a target that could not be produced at all.
    void Fail(const QString& target, const QString& reason);

    // Flushes what was staged, then renames it over the targets. False when any target
    // failed, now or while staging.
    bool Commit();

    QList<Failure> Failures() const;
    bool Failed(const QString& target) const;
    // The stamp the target has once committed (renaming keeps it): invalid when nothing
    // is staged for it.
    FileStamp StagedStamp(const QString& target) const;
    int StagedCount() const;

private:
    struct Staged {
        QString target;
        QString temp;
        FileStamp stamp;
        bool optional = false;
        bool last = false;
        bool done = false; // dropped, or renamed into place: no temporary file left
    };

    // With the lock held.
    void Forget(const QString& target);
    void Add(Staged s);
    void Note(const QString& target, bool optional, const QString& reason);
    void Drop(size_t index);

    mutable std::mutex mutex;
    std::vector<Staged> staged;
    QHash<QString, size_t> live; // target → its entry in staged
    QList<Failure> failures;
    bool lastFailed = false;
};
