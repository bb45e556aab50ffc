#include "IconPainting.h"

#include "Commands.h"

#include <QPainterPath>

namespace IconPaint {

namespace {

const QColor kGuide(0xec, 0x00, 0x8c);

void Magnifier(QPainter& p, const QString& sign)
{
    p.setPen(InkPen(kInk, 1.4));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
    p.setPen(InkPen(kInk, 2.2));
    p.drawLine(QPointF(10.2, 10.2), QPointF(14.5, 14.5));
    p.setPen(InkPen(kBlue, 1.4));
    if (sign == QLatin1String("fit")) {
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(4, 4.5, 5, 4));
        return;
    }
    p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
    if (sign == QLatin1String("+"))
        p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
}

void Grid(QPainter& p, bool dotsOnly)
{
    p.setPen(InkPen(kGrey, dotsOnly ? 1.6 : 0.8));
    for (qreal v = 3; v <= 13; v += 5) {
        if (dotsOnly) {
            for (qreal w = 3; w <= 13; w += 5)
                p.drawPoint(QPointF(v, w));
        } else {
            p.drawLine(QPointF(v, 1), QPointF(v, 15));
            p.drawLine(QPointF(1, v), QPointF(15, v));
        }
    }
}

void TwoSheets(QPainter& p)
{
    p.setPen(InkPen());
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 1.5, 8, 10));
    p.setBrush(kLightBlue);
    p.drawRect(QRectF(6.5, 4.5, 8, 10));
}

} // namespace

void PaintLock(QPainter& p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(InkPen(kInk, 1.6));
    p.drawArc(QRectF(4.5, 1.5, 7, 8), 0, 180 * 16);
    p.drawLine(QPointF(4.5, 5.5), QPointF(4.5, 7));
    p.drawLine(QPointF(11.5, 5.5), QPointF(11.5, 7));
    p.setPen(InkPen(kOrange.darker(140)));
    p.setBrush(kYellow);
    p.drawRoundedRect(QRectF(2.5, 7, 11, 7.5), 1.2, 1.2);
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(8, 10.3), 1.2, 1.2);
}

bool PaintLayoutIcon(QPainter& p, int commandId)
{
    switch (commandId) {
    case Cmd::ShowGrid:
        Grid(p, false);
        p.setPen(InkPen(kBlue));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
        return true;
    case Cmd::SnapToGrid:
        Grid(p, true);
        p.setPen(InkPen(kBlue));
        p.setBrush(kLightBlue);
        p.drawRect(QRectF(3, 3, 5, 5));
        return true;
    case Cmd::SmartGuides:
        p.setPen(InkPen(kBlue));
        p.setBrush(kLightBlue);
        p.drawRect(QRectF(1.5, 2.5, 6, 4));
        p.drawRect(QRectF(5.5, 9.5, 8, 4));
        p.setPen(QPen(kGuide, 1.2, Qt::DashLine));
        p.drawLine(QPointF(5.5, 0.5), QPointF(5.5, 15.5));
        return true;
    case Cmd::ZoomIn: Magnifier(p, QStringLiteral("+")); return true;
    case Cmd::ZoomOut: Magnifier(p, QStringLiteral("-")); return true;
    case Cmd::ZoomFit: Magnifier(p, QStringLiteral("fit")); return true;
    case Cmd::ViewCut:
        p.setPen(InkPen(kInk, 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(4.5, 12), 2.5, 2.5);
        p.drawEllipse(QPointF(11.5, 12), 2.5, 2.5);
        p.drawLine(QPointF(6, 10), QPointF(11.5, 1.5));
        p.drawLine(QPointF(10, 10), QPointF(4.5, 1.5));
        return true;
    case Cmd::ViewCopy: TwoSheets(p); return true;
    case Cmd::ViewDuplicate:
        TwoSheets(p);
        p.setPen(InkPen(kGreen, 1.6));
        p.drawLine(QPointF(10.5, 7), QPointF(10.5, 12));
        p.drawLine(QPointF(8, 9.5), QPointF(13, 9.5));
        return true;
    case Cmd::ViewPaste:
        p.setPen(InkPen());
        p.setBrush(kOrange.lighter(150));
        p.drawRoundedRect(QRectF(2.5, 2.5, 11, 12.5), 1, 1);
        p.setBrush(kGrey);
        p.drawRect(QRectF(5.5, 1, 5, 3));
        p.setBrush(kPaper);
        p.drawRect(QRectF(6.5, 6.5, 7, 8));
        return true;
    case Cmd::ViewDelete: Cross(p, 8, 8, 5, kRed); return true;
    case Cmd::ViewSelectAll:
        p.setPen(QPen(kBlue, 1.2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setPen(InkPen());
        p.setBrush(kLightBlue);
        p.drawRect(QRectF(4, 4, 3.5, 3.5));
        p.drawRect(QRectF(8.5, 8.5, 3.5, 3.5));
        return true;
    default: return false;
    }
}

} // namespace IconPaint
