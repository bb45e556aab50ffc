#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <atomic>
#include <memory>
#include <vector>

class FileBatch;

// One text image as the writer needs it, apart from the control it came from: asked for
// its key and its bytes on whatever thread writes the images.
class TextImageSource {
public:
    virtual ~TextImageSource() = default;
    // Identifies what Render gives: equal keys, equal files.
    virtual QByteArray Key() const = 0;
    // The file's bytes; empty when the image cannot be made.
    virtual QByteArray Render() const = 0;
};

// The text images of one save of a project folder. Controls offer their images, each
// with a key of what it shows, while their records are written; only an image whose key
// differs from what its file was last written for, or whose file has gone, is rendered
// and written. Offering is cheap and happens where the project lives; staging may run
// on another thread, since the offers no longer touch the controls.
class TextImageWriter {
public:
    // folder: the text-image folder written.
    explicit TextImageWriter(const QString& folder) : folder(folder) {}

    const QString& Folder() const { return folder; }
    QString PathOf(const QString& fileName) const { return folder + u'/' + fileName; }

    // A later offer of the same file replaces an earlier one, as its file would.
    void Offer(const QString& fileName, std::unique_ptr<const TextImageSource> source);

    // Stages what changed into the batch, with the folder's ledger: files still current
    // are kept, images that the donor (another text-image folder) or this folder holds
    // under any name are taken from there, the rest are rendered, each different image
    // once, on up to `threads` threads. Stops early when cancel is set.
    void Stage(FileBatch& batch, int threads, const QString& donorFolder = QString(),
               const std::atomic<bool>* cancel = nullptr);

    int Offered() const { return static_cast<int>(jobs.size()); }
    // Of the last Stage: different images rendered, and files taken over from others.
    int Rendered() const { return rendered; }
    int TakenOver() const { return takenOver; }

private:
    struct Job {
        QString fileName;
        std::shared_ptr<const TextImageSource> source;
    };

    QString folder;
    std::vector<Job> jobs;
    QHash<QString, size_t> byName;
    int rendered = 0;
    int takenOver = 0;
};
