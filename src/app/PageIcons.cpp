#include "IconPainting.h"

#include "editor/MarvolentaViewMainDelegate.h"
#include "model/ElementTypes.h"

#include <QPainterPath>

// Pages, sub-pages, the project and the basic drawn controls.
namespace IconPaint {

bool PaintPageAndBasicIcon(QPainter& p, int type)
{
    switch (type) {
    case TreePosition::kProject: // project
        Folder(p);
        p.setPen(InkPen(kBlue, 1.2));
        p.drawRect(QRectF(6, 8.8, 6, 3.4));
        break;
    case ElementType::kPage: // page
        Screen(p, QRectF(1.5, 2.5, 13, 11), kPaper);
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRect(QRectF(2, 3, 12, 2.5));
        break;
    case ElementType::kSubPage: // sub-page
        Screen(p, QRectF(1.5, 2.5, 13, 11), kPaper);
        p.setBrush(kLightBlue);
        p.setPen(InkPen(kBlue));
        p.drawRect(QRectF(5, 6, 7, 5.5));
        break;
    case ElementType::kLine: // line
        p.setPen(InkPen(kInk, 1.6));
        p.drawLine(QPointF(2.5, 13.5), QPointF(13.5, 2.5));
        p.setBrush(kBlue);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(2.5, 13.5), 1.8, 1.8);
        p.drawEllipse(QPointF(13.5, 2.5), 1.8, 1.8);
        break;
    case ElementType::kText: // text
        Letter(p, QRectF(0, 0, 16, 16), QStringLiteral("T"), kInk, 10);
        break;
    case ElementType::kRectangle: // rectangle
        p.setPen(InkPen(kInk, 1.4));
        p.setBrush(kLightBlue);
        p.drawRect(QRectF(2, 3.5, 12, 9));
        break;
    case ElementType::kPhoto: { // picture
        p.setPen(InkPen());
        p.setBrush(QColor(0xe4, 0xf1, 0xfb));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        QPainterPath hills;
        hills.moveTo(2, 13);
        hills.lineTo(6, 7.5);
        hills.lineTo(9, 11);
        hills.lineTo(11, 9);
        hills.lineTo(14, 13);
        hills.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawPath(hills);
        p.setBrush(kOrange);
        p.drawEllipse(QPointF(11, 5.5), 1.6, 1.6);
        break;
    }
    case ElementType::kPageContainer: // page container
        Screen(p, QRectF(1.5, 1.5, 13, 13), kPaper);
        p.setPen(QPen(kBlue, 1, Qt::DashLine));
        p.setBrush(kLightBlue);
        p.drawRect(QRectF(4, 4, 8, 8));
        break;
    case ElementType::kFontText: // font text
        Letter(p, QRectF(0, 0, 16, 16), QStringLiteral("A"), kPurple, 10);
        p.setPen(InkPen(kPurple, 1.2));
        p.drawLine(QPointF(3, 14.5), QPointF(13, 14.5));
        break;
    default:
        return false;
    }
    return true;
}

} // namespace IconPaint
