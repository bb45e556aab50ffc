#include "ImageCache.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

namespace {

constexpr qint64 kRecheckMs = 1000;
constexpr qint64 kMaxBytes = qint64(512) * 1024 * 1024;

struct Entry {
    QDateTime modified;
    qint64 fileSize = -1;
    qint64 checkedAt = 0;
    QImage image;
    QRect scaledSource;
    QSize scaledSize;
    QImage scaled;
};

QHash<QString, Entry>& Entries()
{
    static QHash<QString, Entry> entries;
    return entries;
}

qint64 Now()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed() + kRecheckMs + 1; // the first look always counts as stale
}

qint64 CachedBytes()
{
    qint64 total = 0;
    for (const Entry& e : Entries())
        total += e.image.sizeInBytes() + e.scaled.sizeInBytes();
    return total;
}

QImage Decode(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    // One format for every image makes the later blits cheap.
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

Entry* Lookup(const QString& path)
{
    if (path.isEmpty())
        return nullptr;
    auto& entries = Entries();
    const qint64 now = Now();
    auto it = entries.find(path);
    if (it != entries.end() && now - it->checkedAt < kRecheckMs)
        return &*it;
    const QFileInfo info(path);
    if (!info.isFile()) {
        if (it != entries.end())
            entries.erase(it);
        return nullptr;
    }
    const QDateTime modified = info.lastModified();
    const qint64 size = info.size();
    if (it != entries.end() && it->modified == modified && it->fileSize == size) {
        it->checkedAt = now;
        return &*it;
    }
    Entry fresh;
    fresh.modified = modified;
    fresh.fileSize = size;
    fresh.checkedAt = now;
    fresh.image = Decode(path);
    if (it != entries.end())
        entries.erase(it);
    if (CachedBytes() + fresh.image.sizeInBytes() > kMaxBytes)
        entries.clear();
    return &*entries.insert(path, fresh);
}

} // namespace

namespace ImageCache {

QImage Get(const QString& path)
{
    const Entry* e = Lookup(path);
    return e ? e->image : QImage();
}

QImage GetScaled(const QString& path, const QRect& source, const QSize& size)
{
    Entry* e = Lookup(path);
    if (!e || e->image.isNull() || size.isEmpty())
        return {};
    const QRect part = source.intersected(e->image.rect());
    if (part.isEmpty())
        return {};
    if (part == e->image.rect() && size == e->image.size())
        return e->image;
    if (e->scaled.isNull() || e->scaledSource != part || e->scaledSize != size) {
        const QImage cut = part == e->image.rect() ? e->image : e->image.copy(part);
        e->scaled = cut.size() == size ? cut
                                       : cut.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        e->scaledSource = part;
        e->scaledSize = size;
    }
    return e->scaled;
}

QSize ImageSize(const QString& path)
{
    const Entry* e = Lookup(path);
    return e && !e->image.isNull() ? e->image.size() : QSize();
}

void Clear()
{
    Entries().clear();
}

}
