#include "ViewCursors.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace ViewCursors {

namespace {

constexpr int kSize = 32;

// Black strokes with a white rim, so that the cursor shows on any page colour.
void StrokeOutlined(QPainter& p, const QPainterPath& path, qreal width = 1.6)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, width + 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

// A filled shape with a thin black edge inside a white rim.
void FillOutlined(QPainter& p, const QPainterPath& path, const QColor& fill = Qt::black)
{
    p.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

// An arrow head with its tip at tip, pointing along the angle (radians).
QPainterPath Head(QPointF tip, double angle, double length = 6.5, double half = 4.0)
{
    const QPointF dir(std::cos(angle), std::sin(angle));
    const QPointF normal(-dir.y(), dir.x());
    const QPointF base = tip - dir * length;
    QPainterPath path;
    path.moveTo(tip);
    path.lineTo(base + normal * half);
    path.lineTo(base - normal * half);
    path.closeSubpath();
    return path;
}

QPixmap Canvas(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    draw(p);
    return pixmap;
}

QPixmap DrawMove()
{
    return Canvas([](QPainter& p) {
        const QPointF c(15.5, 15.5);
        QPainterPath cross;
        cross.moveTo(c.x(), 5);
        cross.lineTo(c.x(), 26);
        cross.moveTo(5, c.y());
        cross.lineTo(26, c.y());
        StrokeOutlined(p, cross);
        QPainterPath heads;
        heads.addPath(Head({c.x(), 1.5}, -M_PI / 2));
        heads.addPath(Head({c.x(), 29.5}, M_PI / 2));
        heads.addPath(Head({1.5, c.y()}, M_PI));
        heads.addPath(Head({29.5, c.y()}, 0));
        FillOutlined(p, heads);
    });
}

QPixmap DrawCreate()
{
    return Canvas([](QPainter& p) {
        // A fine cross with an open centre, and a small framed plus: "draw a new one".
        QPainterPath cross;
        cross.moveTo(15.5, 2);
        cross.lineTo(15.5, 12);
        cross.moveTo(15.5, 19);
        cross.lineTo(15.5, 29);
        cross.moveTo(2, 15.5);
        cross.lineTo(12, 15.5);
        cross.moveTo(19, 15.5);
        cross.lineTo(29, 15.5);
        StrokeOutlined(p, cross, 1.2);
        QPainterPath box;
        box.addRect(QRectF(20.5, 20.5, 9, 9));
        FillOutlined(p, box, QColor(0xFF, 0xFF, 0xFF));
        QPainterPath plus;
        plus.moveTo(25, 22.5);
        plus.lineTo(25, 27.5);
        plus.moveTo(22.5, 25);
        plus.lineTo(27.5, 25);
        p.setPen(QPen(Qt::black, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawPath(plus);
        p.drawRect(QRectF(20.5, 20.5, 9, 9));
    });
}

QPixmap DrawResize()
{
    return Canvas([](QPainter& p) {
        QPainterPath diagonal;
        diagonal.moveTo(8, 8);
        diagonal.lineTo(23, 23);
        StrokeOutlined(p, diagonal, 1.8);
        QPainterPath heads;
        heads.addPath(Head({3, 3}, -3 * M_PI / 4, 8, 5));
        heads.addPath(Head({28, 28}, M_PI / 4, 8, 5));
        FillOutlined(p, heads);
        // A corner mark: the handle being dragged.
        QPainterPath mark;
        mark.addRect(QRectF(13, 13, 5, 5));
        FillOutlined(p, mark, QColor(0x30, 0x60, 0xD0));
    });
}

QPixmap DrawBrush()
{
    return Canvas([](QPainter& p) {
        // A brush lying from the top right to the bottom left, tip at (2, 29).
        p.save();
        p.translate(16, 16);
        p.rotate(45);
        QPainterPath handle;
        handle.addRoundedRect(QRectF(-2.5, -17, 5, 14), 2, 2);
        FillOutlined(p, handle, QColor(0xA0, 0x60, 0x20));
        QPainterPath ferrule;
        ferrule.addRect(QRectF(-3.5, -3, 7, 5));
        FillOutlined(p, ferrule, QColor(0x90, 0x90, 0x98));
        QPainterPath bristles;
        bristles.moveTo(-3.5, 2);
        bristles.lineTo(3.5, 2);
        bristles.quadTo(3.5, 10, 0, 15);
        bristles.quadTo(-3.5, 10, -3.5, 2);
        bristles.closeSubpath();
        FillOutlined(p, bristles, QColor(0xD0, 0x20, 0x30));
        p.restore();
    });
}

}

QPixmap Image(int resourceId)
{
    static QHash<int, QPixmap> cache;
    auto it = cache.constFind(resourceId);
    if (it != cache.constEnd())
        return *it;
    QPixmap image;
    switch (resourceId) {
    case kCreate: image = DrawCreate(); break;
    case kResize: image = DrawResize(); break;
    case kMove: image = DrawMove(); break;
    case kBrush: image = DrawBrush(); break;
    default: return {};
    }
    cache.insert(resourceId, image);
    return image;
}

int ResourceForHitKind(HitKind kind)
{
    switch (kind) {
    case HitKind::Body: return kMove;
    case HitKind::Create: return kCreate;
    case HitKind::Handle: return kResize;
    case HitKind::Brush: return kBrush;
    default: return 0;
    }
}

QCursor ForHitKind(HitKind kind)
{
    const int id = ResourceForHitKind(kind);
    if (id == 0)
        return QCursor(Qt::ArrowCursor);
    // The hot spot lies where the cursor acts: the centre, or the brush's tip.
    const QPoint hotSpot = id == kBrush ? QPoint(5, 27) : QPoint(15, 15);
    return QCursor(Image(id), hotSpot.x(), hotSpot.y());
}

}
