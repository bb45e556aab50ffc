#include "IconPainting.h"

#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace IconPaint {

QPen InkPen(const QColor& c, qreal w)
{
    QPen pen(c, w);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

QIcon Render(const Painter& paint)
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        paint(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void Sheet(QPainter& p, const QColor& fill)
{
    QPainterPath path;
    path.moveTo(3.5, 1.5);
    path.lineTo(10, 1.5);
    path.lineTo(13.5, 5);
    path.lineTo(13.5, 14.5);
    path.lineTo(3.5, 14.5);
    path.closeSubpath();
    p.setPen(InkPen());
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(10, 1.5), QPointF(10, 5));
    p.drawLine(QPointF(10, 5), QPointF(13.5, 5));
}

void Folder(QPainter& p)
{
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.setPen(InkPen());
    p.setBrush(kYellow.darker(115));
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(1.5, 13.5);
    front.lineTo(3.5, 7.5);
    front.lineTo(15.5, 7.5);
    front.lineTo(13.5, 13.5);
    front.closeSubpath();
    p.setBrush(kYellow);
    p.drawPath(front);
}

void Disk(QPainter& p)
{
    p.setPen(InkPen());
    p.setBrush(kBlue);
    QPainterPath body;
    body.moveTo(1.5, 1.5);
    body.lineTo(12.5, 1.5);
    body.lineTo(14.5, 3.5);
    body.lineTo(14.5, 14.5);
    body.lineTo(1.5, 14.5);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 1.5, 7.5, 4.5));
    p.drawRect(QRectF(3.5, 9, 9, 5.5));
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(9, 2.5, 1.5, 2.5));
}

void Cross(QPainter& p, qreal x, qreal y, qreal r, const QColor& c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(x, y), r, r);
    p.setPen(InkPen(Qt::white, 1.3));
    const qreal d = r * 0.45;
    p.drawLine(QPointF(x - d, y - d), QPointF(x + d, y + d));
    p.drawLine(QPointF(x - d, y + d), QPointF(x + d, y - d));
}

void Star(QPainter& p, qreal cx, qreal cy, qreal r, const QColor& fill)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const qreal rr = (i % 2) ? r * 0.45 : r;
        const QPointF pt(cx + rr * std::cos(a), cy + rr * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    p.setPen(InkPen(fill.darker(140), 0.8));
    p.setBrush(fill);
    p.drawPath(path);
}

void Letter(QPainter& p, const QRectF& r, const QString& text, const QColor& c, qreal size, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(qMax(1, qRound(size * 1.35)));
    f.setBold(bold);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
}

void Badge(QPainter& p, const QString& text, const QColor& c)
{
    p.setPen(InkPen(c.darker(140)));
    p.setBrush(c);
    p.drawRoundedRect(QRectF(0.5, 3.5, 15, 9), 2, 2);
    Letter(p, QRectF(0.5, 3.5, 15, 9), text, Qt::white, text.size() > 2 ? 3.6 : 5.0);
}

void Screen(QPainter& p, const QRectF& r, const QColor& fill)
{
    p.setPen(InkPen());
    p.setBrush(fill);
    p.drawRoundedRect(r, 1, 1);
}

void PlayTriangle(QPainter& p, QPointF c, qreal s, const QColor& col)
{
    QPainterPath t;
    t.moveTo(c.x() - s * 0.5, c.y() - s * 0.6);
    t.lineTo(c.x() + s * 0.6, c.y());
    t.lineTo(c.x() - s * 0.5, c.y() + s * 0.6);
    t.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPath(t);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c)
{
    p.setPen(InkPen(c, 1.4));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const qreal len = std::hypot(d.x(), d.y());
    if (len <= 0)
        return;
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    p.drawLine(to, to - u * 3 + n * 2.2);
    p.drawLine(to, to - u * 3 - n * 2.2);
}

void Person(QPainter& p, qreal cx, const QColor& c)
{
    p.setPen(InkPen(c.darker(140)));
    p.setBrush(c);
    p.drawEllipse(QPointF(cx, 5), 2.6, 2.6);
    QPainterPath body;
    body.moveTo(cx - 5, 14.5);
    body.cubicTo(cx - 5, 9, cx + 5, 9, cx + 5, 14.5);
    body.closeSubpath();
    p.drawPath(body);
}

void Bars(QPainter& p, const QRectF& guide, bool vertical)
{
    p.setPen(InkPen(kRed, 1.2));
    if (vertical)
        p.drawLine(guide.topLeft(), guide.bottomLeft());
    else
        p.drawLine(guide.topLeft(), guide.topRight());
}

void Slider(QPainter& p, qreal y, qreal knob, const QColor& c)
{
    p.setPen(InkPen(kInk, 1.6));
    p.drawLine(QPointF(2, y), QPointF(14, y));
    p.setPen(InkPen(c.darker(140)));
    p.setBrush(c);
    p.drawRoundedRect(QRectF(knob - 1.8, y - 3.5, 3.6, 7), 1, 1);
}

} // namespace IconPaint
