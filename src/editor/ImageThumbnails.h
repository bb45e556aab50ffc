#pragma once

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QString>

// Small images of image files, each read once and again only after its file changed.
class ImageThumbnails {
public:
    explicit ImageThumbnails(int edge) : edge(edge) {}

    // The file's image scaled to fit edge × edge pixels and centred on a transparent square
    // of that size; a null image when it cannot be read.
    QImage Get(const QString& path);
    int Edge() const { return edge; }

private:
    struct Entry {
        QDateTime modified;
        qint64 bytes = -1;
        QImage image;
    };
    int edge;
    QHash<QString, Entry> cache;
};
