#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

// Decoded images of files, kept by path and modification time, so that drawing a page
// never decodes a file on every paint. A file is looked at again (its time and size) at
// most once a second; a changed file is decoded anew. Used on the user-interface thread.
namespace ImageCache {

// The image, or a null image when the file cannot be read as one.
QImage Get(const QString& path);
// The part source of the image (in image pixels) scaled smoothly to size; the last
// scaled form asked for is kept per file, which is the one every repaint asks for again.
QImage GetScaled(const QString& path, const QRect& source, const QSize& size);
// The natural size of the image, or an invalid size.
QSize ImageSize(const QString& path);
void Clear();

}
