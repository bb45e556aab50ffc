#include "TextImageWriter.h"

#include "TextImageLedger.h"
#include "base/FileBatch.h"

#include <algorithm>
#include <thread>

namespace {
// Below this many images a second thread costs more than it saves.
constexpr size_t kImagesPerThread = 32;
}

void TextImageWriter::Offer(const QString& fileName, std::unique_ptr<const TextImageSource> source)
{
    const auto it = byName.constFind(fileName);
    if (it != byName.constEnd()) {
        jobs[*it].source = std::move(source);
        return;
    }
    byName.insert(fileName, jobs.size());
    jobs.push_back({fileName, std::move(source)});
}

void TextImageWriter::Stage(FileBatch& batch, int threads, const QString& donorFolder,
                            const std::atomic<bool>* cancel)
{
    rendered = 0;
    takenOver = 0;
    auto cancelled = [cancel] { return cancel && cancel->load(); };
    TextImageLedger old;
    old.Read(folder);
    TextImageLedger donor;
    if (!donorFolder.isEmpty())
        donor.Read(donorFolder);

    // An image is rendered only when no file anywhere near holds it already: not its own
    // file, not the donor's, not another file of either written for the same key (a page
    // renamed, the same label on many pages). The ledger keeps what is still current.
    TextImageLedger next = old;
    std::vector<QByteArray> keys(jobs.size());
    QHash<QByteArray, size_t> renderOf;          // key → its entry in renders
    std::vector<std::vector<size_t>> renders;    // the jobs that need each rendered image
    auto takeOver = [&](const Job& job, const QByteArray& key, const TextImageLedger& from, const QString& fromFolder,
                        FileBatch::Copy how) {
        // The file of the same name first, then any other written for the key.
        const TextImageLedger::Entry* same = from.Find(job.fileName);
        const QString name = same && same->key == key ? job.fileName : from.FindKey(key);
        const TextImageLedger::Entry* e = name.isEmpty() ? nullptr : from.Find(name);
        const QString path = PathOf(job.fileName);
        if (!e || e->key != key || !batch.StageCopy(path, fromFolder + u'/' + name, e->stamp, how))
            return false;
        next.Set(job.fileName, {key, batch.StagedStamp(path)});
        ++takenOver;
        return true;
    };
    int inOld = 0;
    for (size_t i = 0; i < jobs.size() && !cancelled(); ++i) {
        const Job& job = jobs[i];
        const QByteArray& key = keys[i] = job.source->Key();
        inOld += old.Find(job.fileName) != nullptr;
        if (old.IsCurrent(folder, job.fileName, key))
            continue;
        next.Remove(job.fileName); // until it is written again
        // Linking the donor's file costs nothing; within the folder a copy keeps every
        // image a file of its own.
        if (takeOver(job, key, donor, donorFolder, FileBatch::LinkOrCopy)
            || takeOver(job, key, old, folder, FileBatch::CopyBytes))
            continue;
        const auto it = renderOf.constFind(key);
        if (it != renderOf.constEnd()) {
            renders[*it].push_back(i);
            continue;
        }
        renderOf.insert(key, renders.size());
        renders.push_back({i});
    }
    // Images no longer offered drop out of the ledger; their files stay where they are.
    if (old.Size() > inOld) {
        for (const QString& name : old.Names())
            if (!byName.contains(name))
                next.Remove(name);
    }

    // Rendering and writing on several threads: while one waits for the file system
    // another renders.
    std::vector<char> written(jobs.size(), 0);
    std::atomic<size_t> cursor{0};
    auto work = [&] {
        for (size_t k = cursor++; k < renders.size() && !cancelled(); k = cursor++) {
            const QByteArray bytes = jobs[renders[k].front()].source->Render();
            for (const size_t i : renders[k]) {
                if (bytes.isEmpty())
                    batch.Fail(PathOf(jobs[i].fileName), QString()); // the image could not be made
                else
                    written[i] = batch.Stage(PathOf(jobs[i].fileName), bytes);
            }
        }
    };
    const size_t helpers = std::min<size_t>(std::max(threads, 1) - 1, renders.size() / kImagesPerThread);
    std::vector<std::thread> pool;
    for (size_t t = 0; t < helpers; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();
    if (cancelled())
        return;
    for (const std::vector<size_t>& group : renders) {
        ++rendered;
        for (const size_t i : group)
            if (written[i])
                next.Set(jobs[i].fileName, {keys[i], batch.StagedStamp(PathOf(jobs[i].fileName))});
    }
    if (next != old) {
        const QString ledgerPath = PathOf(TextImageLedger::kFileName);
        if (batch.Stage(ledgerPath, next.Serialize(), FileBatch::Cache))
            next.Remember(folder, batch.StagedStamp(ledgerPath));
    }
}
