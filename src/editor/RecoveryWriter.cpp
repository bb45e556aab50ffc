#include "RecoveryWriter.h"

#include "model/ProjectWrite.h"

namespace {
// One thread: a copy is background work and leaves the other core to the editor.
constexpr int kRenderThreads = 1;
}

RecoveryWriter::~RecoveryWriter()
{
    Finish();
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    if (thread.joinable())
        thread.join();
}

void RecoveryWriter::Post(const void* owner, std::unique_ptr<ProjectWrite> write, const QString& donorFolder)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        for (Task& t : queue) {
            if (t.owner == owner) {
                t.write = std::move(write);
                t.donorFolder = donorFolder;
                return;
            }
        }
        queue.push_back({owner, std::move(write), donorFolder});
        if (!thread.joinable())
            thread = std::thread([this] { Run(); });
    }
    changed.notify_all();
}

void RecoveryWriter::Cancel(const void* owner)
{
    std::unique_lock<std::mutex> lock(mutex);
    for (auto it = queue.begin(); it != queue.end();)
        it = it->owner == owner ? queue.erase(it) : it + 1;
    lastFailed.erase(owner);
    if (running == owner) {
        cancelRunning = true;
        changed.wait(lock, [&] { return running != owner; });
    }
}

bool RecoveryWriter::Finish()
{
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return queue.empty() && !running; });
    const bool ok = allWritten;
    allWritten = true;
    return ok;
}

bool RecoveryWriter::LastFailed(const void* owner) const
{
    std::lock_guard<std::mutex> lock(mutex);
    const auto it = lastFailed.find(owner);
    return it != lastFailed.end() && it->second;
}

void RecoveryWriter::Run()
{
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        changed.wait(lock, [&] { return stopping || !queue.empty(); });
        if (stopping)
            return;
        Task task = std::move(queue.front());
        queue.pop_front();
        running = task.owner;
        cancelRunning = false;
        lock.unlock();
        const bool ok = task.write->Commit(kRenderThreads, task.donorFolder, &cancelRunning);
        task.write.reset();
        lock.lock();
        if (!cancelRunning) {
            lastFailed[task.owner] = !ok;
            allWritten = allWritten && ok;
        }
        running = nullptr;
        changed.notify_all();
    }
}
