#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <atomic>
#include <functional>
#include <vector>

class FileBatch;

// The text images of one save of a project folder. Controls offer their images, each
// with a key of what it shows, while their records are written; only an image whose key
// differs from what its file was last written for, or whose file has gone, is rendered
// and written. Offering is cheap and happens where the project lives; staging may run
// on another thread, since the offers no longer touch the controls.
class TextImageWriter {
public:
    // The file's bytes; empty when the image cannot be made.
    using Render = std::function<QByteArray()>;

    // folder: the text-image folder written.
    explicit TextImageWriter(const QString& folder) : folder(folder) {}

    const QString& Folder() const { return folder; }
    QString PathOf(const QString& fileName) const { return folder + u'/' + fileName; }

    // A later offer of the same file replaces an earlier one, as its file would.
    void Offer(const QString& fileName, const QByteArray& key, Render render);

    // Stages what changed into the batch, with the folder's ledger: files still current
    // are kept, files that the donor (another text-image folder) holds for the same key
    // are taken from there, the rest are rendered on up to `threads` threads. Stops early
    // when cancel is set.
    void Stage(FileBatch& batch, int threads, const QString& donorFolder = QString(),
               const std::atomic<bool>* cancel = nullptr);

    int Offered() const { return static_cast<int>(jobs.size()); }
    // Of the last Stage: images rendered, and images taken from the donor.
    int Rendered() const { return rendered; }
    int TakenOver() const { return takenOver; }

private:
    struct Job {
        QString fileName;
        QByteArray key;
        Render render;
    };

    QString folder;
    std::vector<Job> jobs;
    QHash<QString, size_t> byName;
    int rendered = 0;
    int takenOver = 0;
};
