#pragma once

#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

class ProjectWrite;

// Writes recovery copies on a thread of its own, one at a time, so that the editor only
// pays for taking the records. A copy waiting for its turn is replaced by a newer one of
// the same project.
class RecoveryWriter {
public:
    RecoveryWriter() = default;
    // Writes what is still waiting: a copy asked for is a copy kept (a project that no
    // longer wants one is cancelled before).
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // donorFolder: the project's own folder, whose current text images are taken over.
    void Post(const void* owner, std::unique_ptr<ProjectWrite> write, const QString& donorFolder);
    // Drops the owner's waiting copy and stops (and waits for) the one being written.
    void Cancel(const void* owner);
    // Waits until every copy posted has been written; false when one of them failed.
    bool Finish();
    // The owner's last finished copy failed.
    bool LastFailed(const void* owner) const;

private:
    struct Task {
        const void* owner = nullptr;
        std::unique_ptr<ProjectWrite> write;
        QString donorFolder;
    };

    void Run();

    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<Task> queue;
    const void* running = nullptr;
    std::atomic<bool> cancelRunning{false};
    bool stopping = false;
    bool allWritten = true;
    std::map<const void*, bool> lastFailed;
    std::thread thread;
};
