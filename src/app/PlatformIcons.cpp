#include "IconPainting.h"

#include "model/ElementTypes.h"

#include <QPainterPath>

// Outside video platforms and the panel services.
namespace IconPaint {

bool PaintPlatformIcon(QPainter& p, int type)
{
    switch (type) {
    case ElementType::kWeather: // weather
        p.setPen(Qt::NoPen);
        p.setBrush(kYellow);
        p.drawEllipse(QPointF(6, 6), 3.6, 3.6);
        p.setBrush(QColor(0xe6, 0xea, 0xef));
        p.setPen(InkPen(kGrey.darker(120)));
        {
            QPainterPath cloud;
            cloud.addEllipse(QPointF(8, 11), 3, 2.6);
            cloud.addEllipse(QPointF(11.5, 10), 3, 3);
            cloud.addRoundedRect(QRectF(5, 10, 10, 4), 2, 2);
            p.drawPath(cloud.simplified());
        }
        break;
    case ElementType::kSensor: // sensor
        p.setPen(InkPen());
        p.setBrush(kPaper);
        p.drawRoundedRect(QRectF(6, 1.5, 4, 10), 2, 2);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(8, 12.5), 2.8, 2.8);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(7.2, 5, 1.6, 6));
        break;
    case ElementType::kMeiDian:
        Badge(p, QStringLiteral("E8"), kGreen);
        break;
    case ElementType::kRVS:
        Badge(p, QStringLiteral("RVS"), kOrange);
        break;
    case ElementType::kHost: // host
        p.setPen(InkPen());
        p.setBrush(kGrey.lighter(140));
        p.drawRect(QRectF(3.5, 1.5, 9, 4));
        p.drawRect(QRectF(3.5, 6, 9, 4));
        p.drawRect(QRectF(3.5, 10.5, 9, 4));
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        for (qreal y : {3.5, 8.0, 12.5})
            p.drawEllipse(QPointF(10.5, y), 0.9, 0.9);
        break;
    case ElementType::kIVMS8200:
        Badge(p, QStringLiteral("IVMS"), kRed);
        break;
    case ElementType::kDaHua:
        Badge(p, QStringLiteral("DH"), kBlue);
        break;
    case ElementType::kSearch: // search
        p.setPen(InkPen(kInk, 1.6));
        p.setBrush(kLightBlue);
        p.drawEllipse(QPointF(6.5, 6.5), 4.2, 4.2);
        p.drawLine(QPointF(9.6, 9.6), QPointF(14, 14));
        break;
    case ElementType::kFavorites: // favourites
        Star(p, 8, 8.5, 7, kYellow);
        break;
    case ElementType::kAccount: // account
        Person(p, 8, kGreen);
        break;
    case ElementType::kDevices: // devices
        Screen(p, QRectF(1.5, 2, 13, 9), kLightBlue);
        p.setPen(InkPen());
        p.drawLine(QPointF(8, 11), QPointF(8, 13.5));
        p.drawLine(QPointF(4.5, 14), QPointF(11.5, 14));
        break;
    default:
        return false;
    }
    return true;
}

} // namespace IconPaint
