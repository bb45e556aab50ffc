#include "FileBatch.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Up to this many files are flushed one by one; a bigger set flushes its whole file
// system at once, which costs one wait for the disk instead of one per file.
constexpr int kFlushEachLimit = 4;
constexpr int kTempAttempts = 16;
// A file copied into a batch is read whole; a text image or data file is far smaller.
constexpr qint64 kMaxCopyBytes = qint64(1) << 30;

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

QString Reason(int error)
{
    return qt_error_string(error);
}

QString FolderOf(const QString& path)
{
    const int slash = path.lastIndexOf(u'/');
    return slash > 0 ? path.left(slash) : (slash == 0 ? QStringLiteral("/") : QStringLiteral("."));
}

FileStamp StampOf(const struct stat& st)
{
    FileStamp s;
    if (!S_ISREG(st.st_mode))
        return s;
    s.device = static_cast<quint64>(st.st_dev);
    s.inode = static_cast<quint64>(st.st_ino);
    s.size = static_cast<qint64>(st.st_size);
    s.modifiedNs = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}

bool WriteAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

bool FlushPath(const QString& path, int flags)
{
    int fd;
    do
        fd = ::open(Native(path).constData(), flags | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return ok;
}

} // namespace

FileStamp FileStamp::Of(const QString& path)
{
    struct stat st;
    if (::stat(Native(path).constData(), &st) != 0)
        return {};
    return StampOf(st);
}

FileBatch::~FileBatch()
{
    for (Staged& s : staged)
        if (!s.committed)
            ::unlink(Native(s.temp).constData());
}

int FileBatch::Find(const QString& target) const
{
    for (int i = 0; i < static_cast<int>(staged.size()); ++i)
        if (staged[i].target == target)
            return i;
    return -1;
}

void FileBatch::Drop(int index)
{
    ::unlink(Native(staged[index].temp).constData());
    staged.erase(staged.begin() + index);
}

void FileBatch::Keep(const QString& target)
{
    const int i = Find(target);
    if (i >= 0)
        Drop(i);
    failures.removeIf([&target](const Failure& f) { return f.path == target; });
}

void FileBatch::Fail(const QString& target, const QString& reason)
{
    Keep(target);
    failures.append({target, reason});
}

bool FileBatch::Failed(const QString& target) const
{
    for (const Failure& f : failures)
        if (f.path == target)
            return true;
    return false;
}

FileStamp FileBatch::StagedStamp(const QString& target) const
{
    const int i = Find(target);
    return i >= 0 ? staged[i].stamp : FileStamp();
}

QString FileBatch::NewTempPath(const QString& target) const
{
    // Short and hidden: a target name at the length limit still gets a temporary file,
    // and one left behind by a crash is never packed for the panel.
    return FolderOf(target) + QStringLiteral("/.save-")
        + QString::number(QRandomGenerator::global()->generate64(), 36);
}

int FileBatch::OpenTemp(const QString& target, QString& temp)
{
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        temp = NewTempPath(target);
        const int fd = ::open(Native(temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void FileBatch::Add(Staged s)
{
    staged.push_back(std::move(s));
}

void FileBatch::Note(const QString& target, bool optional, int error)
{
    if (!optional)
        failures.append({target, Reason(error)});
}

bool FileBatch::Stage(const QString& target, const QByteArray& bytes, Need need)
{
    Keep(target);
    Staged s;
    s.target = target;
    s.optional = need == Optional;
    const int fd = OpenTemp(target, s.temp);
    if (fd < 0) {
        Note(target, s.optional, errno);
        return false;
    }
    struct stat st;
    const bool ok = WriteAll(fd, bytes.constData(), bytes.size()) && ::fstat(fd, &st) == 0;
    const int error = errno;
    ::close(fd);
    if (!ok) {
        ::unlink(Native(s.temp).constData());
        Note(target, s.optional, error);
        return false;
    }
    s.stamp = StampOf(st);
    Add(std::move(s));
    return true;
}

bool FileBatch::StageCopy(const QString& target, const QString& source, const FileStamp& expected)
{
    Keep(target);
    if (!expected.IsValid())
        return false;
    Staged s;
    s.target = target;
    // The same file under a second name costs nothing; the source is only ever replaced
    // by renaming, never rewritten, so the link keeps this version.
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        s.temp = NewTempPath(target);
        if (::link(Native(source).constData(), Native(s.temp).constData()) == 0) {
            s.stamp = FileStamp::Of(s.temp);
            if (s.stamp != expected) {
                ::unlink(Native(s.temp).constData());
                return false;
            }
            Add(std::move(s));
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    // Another file system, or one without links: read it, checking it is that version.
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly) || expected.size > kMaxCopyBytes)
        return false;
    struct stat st;
    if (::fstat(in.handle(), &st) != 0 || StampOf(st) != expected)
        return false;
    const QByteArray bytes = in.read(expected.size);
    if (bytes.size() != expected.size)
        return false;
    return Stage(target, bytes);
}

bool FileBatch::Commit()
{
    // The new contents must be on the disk before any name points at them.
    bool flushEach = staged.size() <= static_cast<size_t>(kFlushEachLimit);
    if (!flushEach) {
        const int fd = ::open(Native(FolderOf(staged.front().temp)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        flushEach = fd < 0 || ::syncfs(fd) != 0;
        if (fd >= 0)
            ::close(fd);
    }
    for (size_t i = 0; flushEach && i < staged.size();) {
        if (FlushPath(staged[i].temp, O_RDONLY)) {
            ++i;
            continue;
        }
        Note(staged[i].target, staged[i].optional, errno);
        Drop(static_cast<int>(i));
    }

    QSet<QString> folders;
    for (size_t i = 0; i < staged.size();) {
        Staged& s = staged[i];
        if (::rename(Native(s.temp).constData(), Native(s.target).constData()) != 0) {
            Note(s.target, s.optional, errno);
            Drop(static_cast<int>(i));
            continue;
        }
        s.committed = true;
        folders.insert(FolderOf(s.target));
        ++i;
    }
    // The new names, too, must survive a power loss once the save has said it is done.
    for (const QString& folder : folders)
        if (!FlushPath(folder, O_RDONLY | O_DIRECTORY))
            failures.append({folder, Reason(errno)});
    return failures.isEmpty();
}
