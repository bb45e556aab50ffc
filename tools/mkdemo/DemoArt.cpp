#include "DemoArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace DemoArt {

namespace {
QImage Blank(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QPen Stroke(qreal width, const QColor& colour)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}
}

QImage Backdrop(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0.0, QColor(14, 24, 40));
    sky.setColorAt(1.0, QColor(24, 46, 70));
    p.fillRect(image.rect(), sky);
    QRadialGradient glow(width * 0.82, height * 0.12, width * 0.55);
    glow.setColorAt(0.0, QColor(64, 148, 178, 120));
    glow.setColorAt(1.0, QColor(64, 148, 178, 0));
    p.fillRect(image.rect(), glow);
    // Soft bands of light falling across the room.
    for (int i = 0; i < 4; ++i) {
        QPainterPath band;
        const qreal x = width * (0.35 + 0.14 * i);
        band.moveTo(x, 0);
        band.lineTo(x + width * 0.06, 0);
        band.lineTo(x - width * 0.22, height);
        band.lineTo(x - width * 0.30, height);
        band.closeSubpath();
        p.fillPath(band, QColor(255, 255, 255, 6 + 2 * i));
    }
    p.setPen(QPen(QColor(120, 170, 210, 60), 1));
    p.drawLine(QPointF(0, height * 0.86), QPointF(width, height * 0.86));
    return image;
}

QImage Emblem(int size)
{
    QImage image = Blank(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(2, 2, size - 4, size - 4);
    QLinearGradient ring(r.topLeft(), r.bottomRight());
    ring.setColorAt(0.0, QColor(246, 180, 70));
    ring.setColorAt(1.0, QColor(214, 110, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawEllipse(r);
    p.setBrush(QColor(18, 30, 48));
    p.drawEllipse(r.adjusted(size * 0.1, size * 0.1, -size * 0.1, -size * 0.1));
    // Two hills and a rising sun: the building's emblem.
    QPainterPath hills;
    hills.moveTo(size * 0.2, size * 0.68);
    hills.quadTo(size * 0.38, size * 0.40, size * 0.52, size * 0.62);
    hills.quadTo(size * 0.64, size * 0.46, size * 0.80, size * 0.68);
    p.setPen(Stroke(size * 0.06, QColor(240, 244, 250)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hills);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(246, 180, 70));
    p.drawEllipse(QPointF(size * 0.62, size * 0.36), size * 0.09, size * 0.09);
    return image;
}

QImage Tile(int width, int height, bool lit)
{
    QImage image = Blank(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1.5, 1.5, width - 3, height - 3);
    QLinearGradient fill(0, 0, 0, height);
    if (lit) {
        fill.setColorAt(0.0, QColor(252, 196, 92));
        fill.setColorAt(1.0, QColor(226, 132, 40));
    } else {
        fill.setColorAt(0.0, QColor(46, 68, 98));
        fill.setColorAt(1.0, QColor(28, 42, 64));
    }
    p.setPen(QPen(lit ? QColor(255, 226, 160) : QColor(86, 120, 160), 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(r, height * 0.22, height * 0.22);
    // A faint gloss on the upper half.
    QLinearGradient gloss(0, 0, 0, height * 0.5);
    gloss.setColorAt(0.0, QColor(255, 255, 255, lit ? 70 : 40));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(r.adjusted(3, 3, -3, -height * 0.5), height * 0.18, height * 0.18);
    return image;
}

QImage Icon(const QString& name, int size, bool lit)
{
    QImage image = Blank(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QColor ink = lit ? QColor(255, 206, 110) : QColor(236, 242, 250);
    p.setPen(Stroke(s * 0.06, ink));
    p.setBrush(Qt::NoBrush);
    if (name == QLatin1String("bulb")) {
        QPainterPath glass;
        glass.moveTo(s * 0.38, s * 0.66);
        glass.cubicTo(s * 0.38, s * 0.54, s * 0.22, s * 0.48, s * 0.22, s * 0.34);
        glass.cubicTo(s * 0.22, s * 0.18, s * 0.36, s * 0.10, s * 0.50, s * 0.10);
        glass.cubicTo(s * 0.64, s * 0.10, s * 0.78, s * 0.18, s * 0.78, s * 0.34);
        glass.cubicTo(s * 0.78, s * 0.48, s * 0.62, s * 0.54, s * 0.62, s * 0.66);
        glass.closeSubpath();
        if (lit)
            p.fillPath(glass, QColor(255, 206, 110, 90));
        p.drawPath(glass);
        p.drawLine(QPointF(s * 0.40, s * 0.76), QPointF(s * 0.60, s * 0.76));
        p.drawLine(QPointF(s * 0.43, s * 0.86), QPointF(s * 0.57, s * 0.86));
    } else if (name == QLatin1String("speaker")) {
        QPainterPath cone;
        cone.moveTo(s * 0.16, s * 0.40);
        cone.lineTo(s * 0.30, s * 0.40);
        cone.lineTo(s * 0.48, s * 0.24);
        cone.lineTo(s * 0.48, s * 0.76);
        cone.lineTo(s * 0.30, s * 0.60);
        cone.lineTo(s * 0.16, s * 0.60);
        cone.closeSubpath();
        p.drawPath(cone);
        p.drawArc(QRectF(s * 0.44, s * 0.34, s * 0.24, s * 0.32), -50 * 16, 100 * 16);
        p.drawArc(QRectF(s * 0.42, s * 0.22, s * 0.40, s * 0.56), -50 * 16, 100 * 16);
    } else if (name == QLatin1String("home")) {
        QPainterPath house;
        house.moveTo(s * 0.14, s * 0.48);
        house.lineTo(s * 0.50, s * 0.16);
        house.lineTo(s * 0.86, s * 0.48);
        p.drawPath(house);
        p.drawPolyline(QPolygonF({QPointF(s * 0.24, s * 0.42), QPointF(s * 0.24, s * 0.84),
                                  QPointF(s * 0.76, s * 0.84), QPointF(s * 0.76, s * 0.42)}));
        p.drawRect(QRectF(s * 0.42, s * 0.60, s * 0.16, s * 0.24));
    } else if (name == QLatin1String("blinds")) {
        p.drawLine(QPointF(s * 0.16, s * 0.18), QPointF(s * 0.84, s * 0.18));
        for (int i = 0; i < 5; ++i) {
            const qreal y = s * (0.30 + 0.11 * i);
            p.drawLine(QPointF(s * 0.22, y), QPointF(s * 0.78, y));
        }
        p.drawLine(QPointF(s * 0.70, s * 0.18), QPointF(s * 0.70, s * 0.86));
    } else if (name == QLatin1String("projector")) {
        p.drawRoundedRect(QRectF(s * 0.14, s * 0.36, s * 0.72, s * 0.34), s * 0.06, s * 0.06);
        p.drawEllipse(QPointF(s * 0.64, s * 0.53), s * 0.10, s * 0.10);
        p.drawLine(QPointF(s * 0.24, s * 0.78), QPointF(s * 0.30, s * 0.70));
        p.drawLine(QPointF(s * 0.76, s * 0.78), QPointF(s * 0.70, s * 0.70));
        p.drawLine(QPointF(s * 0.24, s * 0.47), QPointF(s * 0.44, s * 0.47));
    } else if (name == QLatin1String("power")) {
        p.drawArc(QRectF(s * 0.20, s * 0.22, s * 0.60, s * 0.60), 120 * 16, 300 * 16);
        p.drawLine(QPointF(s * 0.50, s * 0.14), QPointF(s * 0.50, s * 0.48));
    }
    return image;
}

QImage LevelStrip(int width, int frameHeight, int frames)
{
    QImage image = Blank(width, frameHeight * frames);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int segments = frames - 1;
    const qreal gap = 4;
    const qreal segmentWidth = (width - gap * (segments + 1)) / segments;
    for (int f = 0; f < frames; ++f) {
        const qreal top = f * frameHeight;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(18, 30, 48));
        p.drawRoundedRect(QRectF(0, top, width, frameHeight), 6, 6);
        for (int s = 0; s < segments; ++s) {
            const qreal x = gap + s * (segmentWidth + gap);
            const qreal h = (frameHeight - 2 * gap) * (0.35 + 0.65 * (s + 1) / segments);
            const QRectF bar(x, top + frameHeight - gap - h, segmentWidth, h);
            const bool lit = s < f;
            const QColor on = s >= segments - 1 ? QColor(240, 96, 72) : QColor(246, 176, 72);
            p.setBrush(lit ? on : QColor(52, 78, 110));
            p.drawRoundedRect(bar, 2, 2);
        }
    }
    return image;
}

QImage Weather(int width, int height)
{
    QImage image = Blank(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal unit = std::min(width, height) / 100.0;
    // The sun, up and to the left, with its rays.
    const QPointF sun(width * 0.38, height * 0.38);
    const qreal radius = 20 * unit;
    p.setPen(Stroke(4 * unit, QColor(255, 196, 64)));
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        p.drawLine(sun + QPointF(std::cos(a), std::sin(a)) * (radius + 6 * unit),
                   sun + QPointF(std::cos(a), std::sin(a)) * (radius + 14 * unit));
    }
    QRadialGradient disc(sun, radius);
    disc.setColorAt(0.0, QColor(255, 232, 120));
    disc.setColorAt(1.0, QColor(255, 180, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(sun, radius, radius);
    // The cloud in front, down and to the right: three lobes on a flat base.
    QPainterPath cloud;
    const qreal base = height * 0.80;
    const qreal left = width * 0.30;
    const qreal right = width * 0.86;
    cloud.addRoundedRect(QRectF(left, base - 22 * unit, right - left, 22 * unit), 11 * unit, 11 * unit);
    cloud.addEllipse(QPointF(left + (right - left) * 0.30, base - 24 * unit), 16 * unit, 16 * unit);
    cloud.addEllipse(QPointF(left + (right - left) * 0.58, base - 32 * unit), 22 * unit, 22 * unit);
    cloud.addEllipse(QPointF(left + (right - left) * 0.82, base - 20 * unit), 13 * unit, 13 * unit);
    cloud.setFillRule(Qt::WindingFill);
    QLinearGradient shade(0, base - 54 * unit, 0, base);
    shade.setColorAt(0.0, QColor(255, 255, 255));
    shade.setColorAt(1.0, QColor(200, 214, 232));
    p.setBrush(shade);
    p.setPen(Stroke(1.5 * unit, QColor(150, 170, 196)));
    p.drawPath(cloud.simplified());
    return image;
}

}
