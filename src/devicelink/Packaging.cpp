#include "Packaging.h"

#include "ZipFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <zlib.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int kDictionarySize = 32768;

void CollectInto(const QString& folder, QStringList& list, QSet<QString>& ancestors)
{
    // Without QDir::Hidden and QDir::System the listing leaves out names beginning with
    // "." and sockets, pipes, devices and dangling links, which could block or fail.
    QDirIterator it(folder, QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        if (info.fileName().startsWith(u'.'))
            continue;
        if (info.isDir()) {
            // A linked folder that leads back to one of its own ancestors would never end.
            const QString canonical = info.canonicalFilePath();
            if (canonical.isEmpty() || ancestors.contains(canonical))
                continue;
            ancestors.insert(canonical);
            CollectInto(path, list, ancestors);
            ancestors.remove(canonical);
        } else if (info.isFile()) {
            list.append(path);
        }
    }
}

// One piece of a file, compressed on a worker as a raw deflate stream of its own that
// starts from the 32 KiB before it and ends on a sync flush, so that the pieces of a file
// put one behind the other form one valid deflate stream.
struct Block {
    QByteArray input;
    QByteArray dictionary;
    QByteArray output;
    quint32 crc = 0;
    bool ok = false;
    bool done = false;
};

bool DeflateBlock(Block& b)
{
    z_stream s{};
    if (deflateInit2(&s, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    bool ok = true;
    if (!b.dictionary.isEmpty())
        ok = deflateSetDictionary(&s, reinterpret_cast<const Bytef*>(b.dictionary.constData()),
                                  static_cast<uInt>(b.dictionary.size())) == Z_OK;
    b.output.resize(static_cast<qsizetype>(deflateBound(&s, static_cast<uLong>(b.input.size()))) + 64);
    s.next_in = reinterpret_cast<Bytef*>(b.input.data());
    s.avail_in = static_cast<uInt>(b.input.size());
    qsizetype used = 0;
    while (ok) {
        s.next_out = reinterpret_cast<Bytef*>(b.output.data() + used);
        s.avail_out = static_cast<uInt>(b.output.size() - used);
        const int rc = deflate(&s, Z_SYNC_FLUSH);
        if (rc == Z_STREAM_ERROR) {
            ok = false;
            break;
        }
        used = b.output.size() - s.avail_out;
        if (s.avail_in == 0 && s.avail_out != 0)
            break;
        b.output.resize(b.output.size() * 2);
    }
    deflateEnd(&s);
    b.output.resize(used);
    b.crc = static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(b.input.constData()),
                                       static_cast<uInt>(b.input.size())));
    return ok;
}

class CompressorPool {
public:
    explicit CompressorPool(int threads)
    {
        for (int i = 0; i < threads; ++i)
            workers.emplace_back([this] { Run(); });
    }
    ~CompressorPool()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            quit = true;
        }
        work.notify_all();
        for (std::thread& t : workers)
            t.join();
    }
    void Submit(const std::shared_ptr<Block>& block)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            queue.push_back(block);
        }
        work.notify_one();
    }
    void Wait(const Block& block)
    {
        std::unique_lock<std::mutex> lock(mutex);
        finished.wait(lock, [&] { return block.done; });
    }
    bool IsDone(const Block& block)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return block.done;
    }

private:
    void Run()
    {
        for (;;) {
            std::shared_ptr<Block> block;
            {
                std::unique_lock<std::mutex> lock(mutex);
                work.wait(lock, [&] { return quit || !queue.empty(); });
                if (queue.empty())
                    return;
                block = queue.front();
                queue.pop_front();
            }
            const bool ok = DeflateBlock(*block);
            {
                std::lock_guard<std::mutex> lock(mutex);
                block->ok = ok;
                block->done = true;
            }
            finished.notify_all();
        }
    }

    std::mutex mutex;
    std::condition_variable work;
    std::condition_variable finished;
    std::deque<std::shared_ptr<Block>> queue;
    bool quit = false;
    std::vector<std::thread> workers;
};

// Feeds the files to the archive. With one thread each piece is compressed by the archive
// itself as it is read; with more, pieces are compressed on the pool while the archive
// takes the finished ones strictly in order.
class Packer {
public:
    Packer(ZipFile& zip, const PackOptions& options, qint64 total)
        : zip(zip), options(options), total(total)
    {
        int threads = options.threads;
        if (threads <= 0)
            threads = std::max(1, std::min(8, static_cast<int>(std::thread::hardware_concurrency())));
        pieceSize = std::max<qint64>(4096, options.pieceSize);
        if (threads > 1) {
            pool = std::make_unique<CompressorPool>(threads);
            maxInFlight = threads * 2 + 2;
        }
    }

    ~Packer() { Finish(); }

    // Returns false when packing was stopped inside the file.
    bool AddFile(const QString& path, const QString& name, const std::atomic<bool>& running)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return true; // unreadable files are left out
        return pool ? AddParallel(file, name, running) : AddSerial(file, name, running);
    }

    void Finish()
    {
        while (!ops.empty())
            ExecuteFront();
    }

private:
    struct Op {
        enum Kind { Begin, Piece, End, Abandon } kind;
        QString name;
        std::shared_ptr<Block> block;
    };

    void Progress(qint64 bytes)
    {
        done += bytes;
        if (options.progress)
            options.progress(done, total);
    }

    bool AddSerial(QFile& file, const QString& name, const std::atomic<bool>& running)
    {
        if (!zip.BeginEntry(name))
            return true;
        if (buffer.size() < pieceSize)
            buffer.resize(pieceSize);
        for (;;) {
            const qint64 n = file.read(buffer.data(), pieceSize);
            if (n < 0) {
                zip.AbandonEntry();
                return true;
            }
            if (n == 0)
                break;
            if (!zip.WriteEntryData(buffer.constData(), n, true))
                return true;
            Progress(n);
            if (!running) {
                zip.AbandonEntry();
                return false;
            }
        }
        if (zip.WriteEntryData(nullptr, 0, false))
            zip.EndEntry();
        return true;
    }

    bool AddParallel(QFile& file, const QString& name, const std::atomic<bool>& running)
    {
        ops.push_back({Op::Begin, name, nullptr});
        QByteArray tail;
        for (;;) {
            auto block = std::make_shared<Block>();
            block->input.resize(pieceSize);
            const qint64 n = file.read(block->input.data(), pieceSize);
            if (n < 0) {
                ops.push_back({Op::Abandon, {}, nullptr});
                return true;
            }
            if (n == 0)
                break;
            block->input.resize(n);
            block->dictionary = tail;
            tail = block->input.right(kDictionarySize);
            pool->Submit(block);
            ops.push_back({Op::Piece, {}, block});
            ++inFlight;
            while (inFlight > maxInFlight)
                ExecuteFront();
            if (!running) {
                ops.push_back({Op::Abandon, {}, nullptr});
                return false;
            }
        }
        ops.push_back({Op::End, {}, nullptr});
        // Write whatever is already finished, so small files do not pile up.
        while (!ops.empty() && (ops.front().kind != Op::Piece || pool->IsDone(*ops.front().block)))
            ExecuteFront();
        return true;
    }

    void ExecuteFront()
    {
        Op op = std::move(ops.front());
        ops.pop_front();
        switch (op.kind) {
        case Op::Begin:
            entryOk = zip.BeginEntry(op.name);
            break;
        case Op::Piece:
            pool->Wait(*op.block);
            --inFlight;
            if (entryOk) {
                entryOk = op.block->ok &&
                          zip.WriteDeflatedData(op.block->output.constData(), op.block->output.size(),
                                                op.block->crc, op.block->input.size());
                if (!entryOk)
                    zip.AbandonEntry();
            }
            Progress(op.block->input.size());
            break;
        case Op::End:
            if (entryOk)
                zip.EndEntry();
            entryOk = false;
            break;
        case Op::Abandon:
            zip.AbandonEntry();
            entryOk = false;
            break;
        }
    }

    ZipFile& zip;
    const PackOptions& options;
    qint64 total = 0;
    qint64 done = 0;
    qint64 pieceSize = 1 << 20;
    QByteArray buffer;
    std::unique_ptr<CompressorPool> pool;
    std::deque<Op> ops;
    int inFlight = 0;
    int maxInFlight = 0;
    bool entryOk = false;
};

} // namespace

QString ProjectTitleFromFolder(const QString& projectFolder)
{
    QString path = projectFolder;
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    QString title = path.mid(path.lastIndexOf(u'/') + 1);
    const int dot = title.lastIndexOf(u'.');
    if (dot >= 0)
        title.truncate(dot);
    return title;
}

void CollectFiles(const QString& folder, QStringList& list)
{
    QSet<QString> ancestors;
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (!canonical.isEmpty())
        ancestors.insert(canonical);
    CollectInto(folder, list, ancestors);
}

namespace {

ProjectPackResult PackFolder(const QString& packagePath, const QString& projectFolder, const QString& projectTitle,
                             const std::atomic<bool>& running, const PackOptions& options,
                             const QString& requiredEntry)
{
    ZipFile zip;
    zip.SetEntryTime(options.entryTime);
    if (!zip.Create(packagePath))
        return ProjectPackResult::NotWritten;

    const QString folder = QDir::cleanPath(projectFolder);
    QStringList files;
    CollectFiles(folder, files);
    qint64 total = 0;
    for (const QString& f : files)
        total += QFileInfo(f).size();

    {
        Packer packer(zip, options, total);
        if (running) {
            for (const QString& path : files) {
                // The path below the project folder, beginning with its separator.
                const QString relative = path.mid(folder.size());
                if (!packer.AddFile(path, projectTitle + relative, running) || !running)
                    break;
            }
        }
        packer.Finish();
    }
    const bool required = requiredEntry.isEmpty() || zip.HasEntry(requiredEntry);
    if (!zip.Close())
        return ProjectPackResult::NotWritten;
    return required ? ProjectPackResult::Written : ProjectPackResult::NoDataFile;
}

} // namespace

QString ProjectDataFileName(const QString& projectFolder)
{
    return ProjectTitleFromFolder(projectFolder) + QStringLiteral(".mvl");
}

bool BuildPackage(const QString& packagePath, const QString& projectFolder, const QString& projectTitle,
                  const std::atomic<bool>& running, const PackOptions& options)
{
    return PackFolder(packagePath, projectFolder, projectTitle, running, options, QString())
        == ProjectPackResult::Written;
}

ProjectPackResult BuildProjectPackage(const QString& packagePath, const QString& projectFolder,
                                      const QString& projectTitle, const std::atomic<bool>& running,
                                      const PackOptions& options)
{
    return PackFolder(packagePath, projectFolder, projectTitle, running, options,
                      projectTitle + u'/' + ProjectDataFileName(QDir::cleanPath(projectFolder)));
}
