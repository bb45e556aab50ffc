#include "ImageThumbnails.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

QImage ImageThumbnails::Get(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        cache.remove(path);
        return {};
    }
    Entry& entry = cache[path];
    if (entry.bytes == info.size() && entry.modified == info.lastModified())
        return entry.image;
    entry.bytes = info.size();
    entry.modified = info.lastModified();
    QImageReader reader(path);
    const QSize size = reader.size();
    // Decoded at the small size where the format can, so a large photo costs little.
    if (size.isValid() && (size.width() > edge || size.height() > edge))
        reader.setScaledSize(size.scaled(edge, edge, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (!image.isNull() && (image.width() > edge || image.height() > edge))
        image = image.scaled(edge, edge, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // Centred in a square, so that names beside or under thumbnails line up.
    QImage square(edge, edge, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    if (!image.isNull()) {
        QPainter painter(&square);
        painter.drawImage((edge - image.width()) / 2, (edge - image.height()) / 2, image);
    }
    entry.image = image.isNull() ? QImage() : square;
    return entry.image;
}
