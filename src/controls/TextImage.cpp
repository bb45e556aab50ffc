#include "TextImage.h"

#include "model/WorkLimits.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDataStream>
#include <QImage>
#include <QPainter>

namespace {
// Raised whenever text images come out differently for the same job, so that every
// project renders its images again at its next save.
constexpr int kRendererRevision = 1;
}

QByteArray TextImageKey(const TextImageJob& job)
{
    QByteArray fields;
    QDataStream out(&fields, QIODevice::WriteOnly);
    out << kRendererRevision << QByteArray(qVersion()) << ResolvedFamily(job.face) << job.face.family
        << job.face.points << job.face.style << job.text << job.colour << job.alignment << job.vertical
        << static_cast<int>(job.layout) << job.width << job.height;
    return QCryptographicHash::hash(fields, QCryptographicHash::Sha1);
}

QByteArray RenderTextImage(const TextImageJob& job, const char* format)
{
    // A damaged or hand-edited file may hold a control far bigger than any page; the panel
    // cannot show more than a page of it, so the image keeps the top-left part.
    const int width = WorkLimits::ClampImageSide(job.width);
    const int height = WorkLimits::ClampImageSide(job.height);
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        if (!painter.isActive())
            return {};
        painter.setClipRect(0, 0, width, height);
        const QRectF whole(0, 0, job.width, job.height);
        switch (job.layout) {
        case TextImageJob::Layout::AtCorner:
            DrawTextAt(painter, QPointF(0, 0), job.face, job.text, job.colour, job.vertical);
            break;
        case TextImageJob::Layout::Wrapped:
        case TextImageJob::Layout::OneLine:
            DrawTextInRect(painter, whole, job.face, job.text, job.colour, job.alignment, job.vertical,
                           job.layout == TextImageJob::Layout::Wrapped);
            break;
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format))
        return {};
    return bytes;
}
