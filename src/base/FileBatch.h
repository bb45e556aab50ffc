#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

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
// set rather than one per file: a crash leaves every target either in its old or in its
// new form, never torn. A target that cannot be written keeps its old file; the others
// are still replaced, and the failures say which failed and why.
class FileBatch {
public:
    struct Failure {
        QString path;
        QString reason;
    };

    // An optional file (a cache beside the others) that cannot be written is no failure.
    enum Need { Required, Optional };

    FileBatch() = default;
    ~FileBatch();
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;

    // Writes the bytes beside the target now; Commit puts them in place. A later Stage
    // or Keep of the same target replaces this one.
    bool Stage(const QString& target, const QByteArray& bytes, Need need = Required);
    // Stages a copy of another file, which must still be the version stamped (a hard link
    // on the same file system, else a copy). False, with nothing staged and no failure
    // noted, when the source is not that version any more or cannot be read.
    bool StageCopy(const QString& target, const QString& source, const FileStamp& expected);
    // The target stays as it is; whatever was staged for it is dropped.
    void Keep(const QString& target);
    // Notes a target that could not be produced at all.
    void Fail(const QString& target, const QString& reason);

    // Flushes what was staged, then renames it over the targets and flushes their folders.
    // False when any target failed, now or while staging.
    bool Commit();

    const QList<Failure>& Failures() const { return failures; }
    bool Failed(const QString& target) const;
    // The stamp the target has once committed (renaming keeps it): invalid when nothing
    // is staged for it.
    FileStamp StagedStamp(const QString& target) const;
    int StagedCount() const { return static_cast<int>(staged.size()); }

private:
    struct Staged {
        QString target;
        QString temp;
        FileStamp stamp;
        bool optional = false;
        bool committed = false;
    };

    int Find(const QString& target) const;
    void Drop(int index);
    QString NewTempPath(const QString& target) const;
    int OpenTemp(const QString& target, QString& temp);
    void Add(Staged s);
    void Note(const QString& target, bool optional, int error);

    std::vector<Staged> staged;
    QList<Failure> failures;
};
