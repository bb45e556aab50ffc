#include "IconPainting.h"

#include "Commands.h"
#include "editor/Alignment.h"
#include "model/TypeRegistry.h"

#include <QPainterPath>

namespace IconPaint {

namespace {

// Alignment icons: two blocks and the guide they align to.
void AlignIcon(QPainter& p, int command)
{
    p.setBrush(kLightBlue);
    p.setPen(InkPen(kBlue));
    switch (command) {
    case Cmd::AlignLeft:
        p.drawRect(QRectF(3, 3, 10, 3.5));
        p.drawRect(QRectF(3, 9.5, 6, 3.5));
        Bars(p, QRectF(1.5, 1, 0, 14), true);
        break;
    case Cmd::AlignRight:
        p.drawRect(QRectF(3, 3, 10, 3.5));
        p.drawRect(QRectF(7, 9.5, 6, 3.5));
        Bars(p, QRectF(14.5, 1, 0, 14), true);
        break;
    case Cmd::AlignTop:
        p.drawRect(QRectF(3, 3, 3.5, 10));
        p.drawRect(QRectF(9.5, 3, 3.5, 6));
        Bars(p, QRectF(1, 1.5, 14, 0), false);
        break;
    case Cmd::AlignBottom:
        p.drawRect(QRectF(3, 3, 3.5, 10));
        p.drawRect(QRectF(9.5, 7, 3.5, 6));
        Bars(p, QRectF(1, 14.5, 14, 0), false);
        break;
    case Cmd::CenterHorizontally:
        p.setBrush(Qt::NoBrush);
        p.setPen(InkPen(kGrey));
        p.drawRect(QRectF(0.5, 2.5, 15, 11));
        p.setBrush(kLightBlue);
        p.setPen(InkPen(kBlue));
        p.drawRect(QRectF(5, 5.5, 6, 5));
        Arrow(p, QPointF(1.5, 8), QPointF(4.5, 8), kRed);
        Arrow(p, QPointF(14.5, 8), QPointF(11.5, 8), kRed);
        break;
    case Cmd::CenterVertically:
        p.setBrush(Qt::NoBrush);
        p.setPen(InkPen(kGrey));
        p.drawRect(QRectF(2.5, 0.5, 11, 15));
        p.setBrush(kLightBlue);
        p.setPen(InkPen(kBlue));
        p.drawRect(QRectF(5.5, 5, 5, 6));
        Arrow(p, QPointF(8, 1.5), QPointF(8, 4.5), kRed);
        Arrow(p, QPointF(8, 14.5), QPointF(8, 11.5), kRed);
        break;
    case Cmd::DistributeHorizontally:
        p.drawRect(QRectF(1, 4, 3, 8));
        p.drawRect(QRectF(6.5, 4, 3, 8));
        p.drawRect(QRectF(12, 4, 3, 8));
        p.setPen(InkPen(kRed, 1));
        p.drawLine(QPointF(4, 14), QPointF(6.5, 14));
        p.drawLine(QPointF(9.5, 14), QPointF(12, 14));
        break;
    case Cmd::DistributeVertically:
        p.drawRect(QRectF(4, 1, 8, 3));
        p.drawRect(QRectF(4, 6.5, 8, 3));
        p.drawRect(QRectF(4, 12, 8, 3));
        p.setPen(InkPen(kRed, 1));
        p.drawLine(QPointF(14, 4), QPointF(14, 6.5));
        p.drawLine(QPointF(14, 9.5), QPointF(14, 12));
        break;
    case Cmd::AlignMiddles:
        p.drawRect(QRectF(2, 2, 4, 12));
        p.drawRect(QRectF(9.5, 5, 4, 6));
        Bars(p, QRectF(0.5, 8, 15, 0), false);
        break;
    case Cmd::AlignCentres:
        p.drawRect(QRectF(2, 2, 12, 4));
        p.drawRect(QRectF(5, 9.5, 6, 4));
        Bars(p, QRectF(8, 0.5, 0, 15), true);
        break;
    default:
        break;
    }
}

} // namespace

void PaintCommandIcon(QPainter& p, int id)
{
    const int type = TypeRegistry::TypeForMenuCommand(id);
    if (type >= 0) {
        PaintTypeIcon(p, type);
        return;
    }
    if (Alignment::IsAlignCommand(id)) {
        AlignIcon(p, id);
        return;
    }
    switch (id) {
    case Cmd::NewProject:
        Sheet(p);
        Star(p, 12, 12, 3.6, kYellow);
        break;
    case Cmd::OpenProject:
        Folder(p);
        break;
    case Cmd::SaveProject:
        Disk(p);
        break;
    case Cmd::CloseProject:
        Sheet(p);
        Cross(p, 11.5, 11.5, 3.8, kRed);
        break;
    case Cmd::SaveAs:
        Disk(p);
        Star(p, 12.5, 12.5, 3.2, kYellow);
        break;
    case Cmd::Select: {
        QPainterPath arrow;
        arrow.moveTo(4, 1.5);
        arrow.lineTo(4, 13);
        arrow.lineTo(6.8, 10.2);
        arrow.lineTo(9, 14.5);
        arrow.lineTo(10.8, 13.6);
        arrow.lineTo(8.7, 9.4);
        arrow.lineTo(12.5, 9.4);
        arrow.closeSubpath();
        p.setPen(InkPen());
        p.setBrush(Qt::white);
        p.drawPath(arrow);
        break;
    }
    case Cmd::Undo:
    case Cmd::Redo: {
        const bool undo = id == Cmd::Undo;
        p.setPen(InkPen(kBlue, 1.8));
        p.setBrush(Qt::NoBrush);
        QPainterPath curve;
        if (undo) {
            curve.moveTo(4, 6);
            curve.cubicTo(9, 3, 15, 6, 12, 13);
        } else {
            curve.moveTo(12, 6);
            curve.cubicTo(7, 3, 1, 6, 4, 13);
        }
        p.drawPath(curve);
        QPainterPath head;
        const qreal x = undo ? 4 : 12;
        const qreal s = undo ? 1 : -1;
        head.moveTo(x - s * 2.5, 6);
        head.lineTo(x + s * 2.5, 2.5);
        head.lineTo(x + s * 2.5, 9.5);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawPath(head);
        break;
    }
    case Cmd::SendCodeBrush:
        Badge(p, QStringLiteral("#1"), kBlue);
        break;
    case Cmd::ColorBrush: {
        p.setPen(InkPen());
        p.setBrush(QColor(0xf3, 0xe2, 0xc4));
        QPainterPath palette;
        palette.addEllipse(QRectF(1, 2, 14, 12));
        QPainterPath hole;
        hole.addEllipse(QPointF(10, 10.5), 1.6, 1.6);
        p.drawPath(palette.subtracted(hole));
        p.setPen(Qt::NoPen);
        const QColor colours[] = {kRed, kYellow, kGreen, kBlue};
        const QPointF spots[] = {{4.5, 7}, {7.5, 4.6}, {11, 5}, {5, 10.6}};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(colours[i]);
            p.drawEllipse(spots[i], 1.5, 1.5);
        }
        break;
    }
    case Cmd::FontBrush:
        Letter(p, QRectF(0, 0, 11, 14), QStringLiteral("A"), kInk, 8);
        Letter(p, QRectF(7, 4, 9, 12), QStringLiteral("a"), kPurple, 6, false);
        break;
    case Cmd::TextBrush:
        p.setPen(InkPen());
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 3.5, 13, 9));
        Letter(p, QRectF(1.5, 3.5, 8, 9), QStringLiteral("ab"), kInk, 5, false);
        p.setPen(InkPen(kBlue, 1.2));
        p.drawLine(QPointF(11, 5), QPointF(11, 11));
        break;
    case Cmd::InterlockBrush:
        p.setPen(InkPen(kOrange, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(5.5, 8), 3.5, 3.5);
        p.drawEllipse(QPointF(10.5, 8), 3.5, 3.5);
        break;
    case Cmd::AddressBrush:
        Badge(p, QStringLiteral("IP"), kGreen);
        break;
    case Cmd::FormatPainter:
        p.setPen(InkPen());
        p.setBrush(kYellow);
        p.drawRoundedRect(QRectF(2, 1.5, 11, 4.5), 1, 1);
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(13, 3.5), QPointF(14.5, 3.5));
        p.drawLine(QPointF(14.5, 3.5), QPointF(14.5, 7.5));
        p.drawLine(QPointF(14.5, 7.5), QPointF(8, 7.5));
        p.drawLine(QPointF(8, 7.5), QPointF(8, 9));
        p.setBrush(kInk);
        p.drawRect(QRectF(6.8, 9, 2.4, 6));
        break;
    case Cmd::StreamBrush:
        Screen(p, QRectF(1, 1.5, 14, 9), kInk);
        PlayTriangle(p, QPointF(8, 6), 3.5, Qt::white);
        Letter(p, QRectF(0, 10, 16, 6), QStringLiteral("RTSP"), kBlue, 3.4);
        break;
    case Cmd::Transmit:
        Screen(p, QRectF(6.5, 4.5, 9, 7), kLightBlue);
        Arrow(p, QPointF(0.5, 8), QPointF(6, 8), kGreen);
        break;
    case Cmd::ProjectSize:
        p.setPen(InkPen(kGrey));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        Arrow(p, QPointF(4, 12), QPointF(12.5, 3.5), kBlue);
        break;
    case Cmd::Preview:
        Screen(p, QRectF(0.5, 2, 15, 11), kInk);
        PlayTriangle(p, QPointF(8, 7.5), 4, kGreen);
        break;
    case Cmd::About:
        p.setPen(InkPen(kBlue.darker(130)));
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(8, 8), 7, 7);
        Letter(p, QRectF(0, 0, 16, 16), QStringLiteral("i"), Qt::white, 8);
        break;
    default:
        PaintLayoutIcon(p, id);
        break;
    }
}

} // namespace IconPaint
