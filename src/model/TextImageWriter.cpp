#include "TextImageWriter.h"

#include "TextImageLedger.h"
#include "base/FileBatch.h"

#include <algorithm>
#include <thread>

namespace {
// Below this many images a second thread costs more than it saves.
constexpr size_t kImagesPerThread = 32;
}

void TextImageWriter::Offer(const QString& fileName, const QByteArray& key, Render render)
{
    const auto it = byName.constFind(fileName);
    if (it != byName.constEnd()) {
        jobs[*it] = {fileName, key, std::move(render)};
        return;
    }
    byName.insert(fileName, jobs.size());
    jobs.push_back({fileName, key, std::move(render)});
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

    // Images no longer offered drop out of the ledger; their files stay where they are.
    TextImageLedger next;
    std::vector<size_t> toRender;
    for (size_t i = 0; i < jobs.size() && !cancelled(); ++i) {
        const Job& job = jobs[i];
        const QString path = PathOf(job.fileName);
        if (old.IsCurrent(folder, job.fileName, job.key)) {
            batch.Keep(path);
            next.Set(job.fileName, *old.Find(job.fileName));
            continue;
        }
        const TextImageLedger::Entry* d = donor.Find(job.fileName);
        if (d && d->key == job.key && batch.StageCopy(path, donorFolder + u'/' + job.fileName, d->stamp)) {
            next.Set(job.fileName, {job.key, batch.StagedStamp(path)});
            ++takenOver;
            continue;
        }
        toRender.push_back(i);
    }

    std::vector<QByteArray> images(toRender.size());
    std::atomic<size_t> cursor{0};
    auto work = [&] {
        for (size_t k = cursor++; k < toRender.size() && !cancelled(); k = cursor++)
            images[k] = jobs[toRender[k]].render();
    };
    const size_t helpers = std::min<size_t>(std::max(threads, 1) - 1, toRender.size() / kImagesPerThread);
    std::vector<std::thread> pool;
    for (size_t t = 0; t < helpers; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();
    if (cancelled())
        return;

    for (size_t k = 0; k < toRender.size(); ++k) {
        const Job& job = jobs[toRender[k]];
        const QString path = PathOf(job.fileName);
        if (images[k].isEmpty()) {
            batch.Fail(path, QString()); // no reason of the system's: the image could not be made
            continue;
        }
        if (batch.Stage(path, images[k])) {
            next.Set(job.fileName, {job.key, batch.StagedStamp(path)});
            ++rendered;
        }
    }
    if (next != old)
        batch.Stage(PathOf(TextImageLedger::kFileName), next.Serialize(), FileBatch::Optional);
}
