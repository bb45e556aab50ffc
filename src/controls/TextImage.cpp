#include "TextImage.h"

#include "model/WorkLimits.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QPainter>

namespace {

// Raised whenever text images come out differently for the same job, so that every
// project renders its images again at its next save.
constexpr int kRendererRevision = 1;

// The fields of a key, laid out one after the other and hashed once.
class KeyBuilder {
public:
    KeyBuilder() { bytes.reserve(256); }
    KeyBuilder& operator<<(const QString& s)
    {
        *this << static_cast<qint64>(s.size());
        bytes.append(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
        return *this;
    }
    KeyBuilder& operator<<(QByteArrayView s)
    {
        *this << static_cast<qint64>(s.size());
        bytes.append(s);
        return *this;
    }
    template <class T>
    KeyBuilder& operator<<(T v)
    {
        static_assert(std::is_arithmetic_v<T>);
        bytes.append(reinterpret_cast<const char*>(&v), sizeof v);
        return *this;
    }
    QByteArray Result() const { return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1); }

private:
    QByteArray bytes;
};

QByteArrayView QtVersion()
{
    return QByteArrayView(qVersion());
}

} // namespace

QByteArray TextImageJob::Key() const
{
    KeyBuilder key;
    key << kRendererRevision << QtVersion() << QByteArrayView(format)
        << ResolvedFamily(face) << face.family << face.points << face.style << text << colour << alignment
        << vertical << static_cast<int>(layout) << width << height;
    return key.Result();
}

QByteArray TextImageJob::Render() const
{
    // A damaged or hand-edited file may hold a control far bigger than any page; the panel
    // cannot show more than a page of it, so the image keeps the top-left part.
    const int imageWidth = WorkLimits::ClampImageSide(width);
    const int imageHeight = WorkLimits::ClampImageSide(height);
    QImage image(imageWidth, imageHeight, QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        if (!painter.isActive())
            return {};
        painter.setClipRect(0, 0, imageWidth, imageHeight);
        switch (layout) {
        case Layout::AtCorner:
            DrawTextAt(painter, QPointF(0, 0), face, text, colour, vertical);
            break;
        case Layout::Wrapped:
        case Layout::OneLine:
            DrawTextInRect(painter, QRectF(0, 0, width, height), face, text, colour, alignment, vertical,
                           layout == Layout::Wrapped);
            break;
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format))
        return {};
    return bytes;
}
