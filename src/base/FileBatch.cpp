#include "FileBatch.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Up to this many files are flushed one by one; a bigger set flushes its whole file
// system at once, which costs one wait for the disk instead of one per file.
constexpr qsizetype kFlushEachLimit = 4;
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

// Short and hidden: a target name at the length limit still gets a temporary file, and
// one left behind by a crash is never packed for the panel.
QString NewTempPath(const QString& target)
{
    return FolderOf(target) + QStringLiteral("/.save-") + QString::number(QRandomGenerator::global()->generate64(), 36);
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

// Writes a new temporary file beside the target: its path and stamp, or the error. The
// disk starts taking a file that will be flushed at once, while the save goes on.
int WriteTemp(const QString& target, const QByteArray& bytes, bool flushed, QString& temp, FileStamp& stamp)
{
    int fd = -1;
    for (int attempt = 0; attempt < kTempAttempts && fd < 0; ++attempt) {
        temp = NewTempPath(target);
        fd = ::open(Native(temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return errno;
    }
    if (fd < 0)
        return EEXIST;
    struct stat st;
    const bool ok = WriteAll(fd, bytes.constData(), bytes.size()) && ::fstat(fd, &st) == 0;
    const int error = ok ? 0 : errno;
    if (ok && flushed)
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    ::close(fd);
    if (!ok) {
        ::unlink(Native(temp).constData());
        return error;
    }
    stamp = StampOf(st);
    return 0;
}

bool FlushFile(const QString& path)
{
    int fd;
    do
        fd = ::open(Native(path).constData(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    const bool ok = ::fdatasync(fd) == 0;
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
    for (const Staged& s : staged)
        if (!s.done)
            ::unlink(Native(s.temp).constData());
}

void FileBatch::Drop(size_t index)
{
    Staged& s = staged[index];
    ::unlink(Native(s.temp).constData());
    s.done = true;
    live.remove(s.target);
}

void FileBatch::Forget(const QString& target)
{
    const auto it = live.constFind(target);
    if (it != live.constEnd())
        Drop(*it);
    failures.removeIf([&target](const Failure& f) { return f.path == target; });
}

void FileBatch::Add(Staged s)
{
    Forget(s.target);
    live.insert(s.target, staged.size());
    staged.push_back(std::move(s));
}

void FileBatch::Note(const QString& target, bool optional, const QString& reason)
{
    Forget(target);
    if (!optional)
        failures.append({target, reason});
}

void FileBatch::Keep(const QString& target)
{
    std::lock_guard<std::mutex> lock(mutex);
    Forget(target);
}

void FileBatch::Fail(const QString& target, const QString& reason)
{
    std::lock_guard<std::mutex> lock(mutex);
    Note(target, false, reason);
}

QList<FileBatch::Failure> FileBatch::Failures() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return failures;
}

bool FileBatch::Failed(const QString& target) const
{
    std::lock_guard<std::mutex> lock(mutex);
    for (const Failure& f : failures)
        if (f.path == target)
            return true;
    return false;
}

FileStamp FileBatch::StagedStamp(const QString& target) const
{
    std::lock_guard<std::mutex> lock(mutex);
    const auto it = live.constFind(target);
    return it != live.constEnd() ? staged[*it].stamp : FileStamp();
}

int FileBatch::StagedCount() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return static_cast<int>(live.size());
}

bool FileBatch::Stage(const QString& target, const QByteArray& bytes, Need need)
{
    Staged s;
    s.target = target;
    s.optional = need == Cache;
    s.last = need == Last;
    const int error = WriteTemp(target, bytes, !s.optional, s.temp, s.stamp);
    std::lock_guard<std::mutex> lock(mutex);
    if (error) {
        Note(target, s.optional, Reason(error));
        lastFailed = lastFailed || s.last;
        return false;
    }
    Add(std::move(s));
    return true;
}

bool FileBatch::StageCopy(const QString& target, const QString& source, const FileStamp& expected, Copy how)
{
    Keep(target);
    if (!expected.IsValid())
        return false;
    // The same file under a second name costs nothing; the source is only ever replaced
    // by renaming, never rewritten, so the link keeps this version.
    Staged s;
    s.target = target;
    for (int attempt = 0; how == LinkOrCopy && attempt < kTempAttempts; ++attempt) {
        s.temp = NewTempPath(target);
        if (::link(Native(source).constData(), Native(s.temp).constData()) == 0) {
            s.stamp = FileStamp::Of(s.temp);
            if (s.stamp != expected) {
                ::unlink(Native(s.temp).constData());
                return false;
            }
            std::lock_guard<std::mutex> lock(mutex);
            Add(std::move(s));
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    // Another file system, or one without links: read it, checking it is that version
    // (never waiting on something that is not a plain file).
    if (expected.size > kMaxCopyBytes)
        return false;
    const int fd = ::open(Native(source).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    QByteArray bytes;
    if (::fstat(fd, &st) == 0 && StampOf(st) == expected) {
        bytes.resize(expected.size);
        qint64 got = 0;
        while (got < expected.size) {
            const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(expected.size - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += n;
        }
        if (got != expected.size)
            bytes.clear();
    }
    ::close(fd);
    return !bytes.isEmpty() && Stage(target, bytes);
}

bool FileBatch::Commit()
{
    std::lock_guard<std::mutex> lock(mutex);
    // The new contents must be on the disk before any name points at them: this is the
    // save's one flush. A few files are flushed one by one (their writing started when
    // they were staged, so the first flush takes the others along); more, with the
    // whole file system at once.
    qsizetype required = 0;
    for (const Staged& st : staged)
        required += !st.done && !st.optional;
    bool flushEach = required <= kFlushEachLimit;
    if (!flushEach) {
        const int fd = ::open(Native(FolderOf(staged[*live.cbegin()].temp)).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        flushEach = fd < 0 || ::syncfs(fd) != 0;
        if (fd >= 0)
            ::close(fd);
    }
    for (size_t i = 0; flushEach && i < staged.size(); ++i) {
        if (!staged[i].done && !staged[i].optional && !FlushFile(staged[i].temp)) {
            lastFailed = lastFailed || staged[i].last;
            Note(staged[i].target, false, Reason(errno));
        }
    }
    if (lastFailed) {
        for (size_t i = 0; i < staged.size(); ++i)
            if (!staged[i].done)
                Drop(i);
        return false;
    }

    // In staging order, the ones staged as Last after the others. The new names reach the
    // disk with the file system's next commit: until then a crash leaves the old files,
    // which are whole.
    for (size_t k = 0; k < 2 * staged.size(); ++k) {
        Staged& s = staged[k % staged.size()];
        if (s.done || s.last != (k >= staged.size()))
            continue;
        if (::rename(Native(s.temp).constData(), Native(s.target).constData()) != 0) {
            Note(s.target, s.optional, Reason(errno));
            continue;
        }
        s.done = true;
    }
    return failures.isEmpty();
}
