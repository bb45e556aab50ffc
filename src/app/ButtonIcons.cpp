#include "IconPainting.h"

#include "model/ElementTypes.h"

#include <QPainterPath>

// Buttons, pickers, sliders and volume bars, and the controls drawn as buttons.
namespace IconPaint {

bool PaintButtonAndSliderIcon(QPainter& p, int type)
{
    switch (type) {
    case ElementType::kButton: // button
        p.setPen(InkPen(kBlue.darker(130)));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(1, 4, 14, 8), 3, 3);
        p.setPen(InkPen(Qt::white, 1.2));
        p.drawLine(QPointF(5, 8), QPointF(11, 8));
        break;
    case ElementType::kSlider: // slider
        Slider(p, 8, 10, kBlue);
        break;
    case ElementType::kPicker: // picker
        p.setPen(InkPen());
        p.setBrush(kPaper);
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        p.setBrush(kLightBlue);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(3, 6, 10, 4));
        p.setPen(InkPen(kInk, 0.8));
        for (qreal y : {3.5, 8.0, 12.5})
            p.drawLine(QPointF(5, y), QPointF(11, y));
        break;
    case ElementType::kSliderPhoto: // slider picture
        p.setPen(InkPen());
        p.setBrush(QColor(0xe4, 0xf1, 0xfb));
        p.drawRect(QRectF(1.5, 1.5, 13, 7));
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawRect(QRectF(2, 5, 12, 3));
        Slider(p, 12.5, 6, kOrange);
        break;
    case ElementType::kFontButton: // font button
        p.setPen(InkPen(kPurple.darker(130)));
        p.setBrush(kPurple);
        p.drawRoundedRect(QRectF(1, 3.5, 14, 9), 3, 3);
        Letter(p, QRectF(1, 3.5, 14, 9), QStringLiteral("A"), Qt::white, 6);
        break;
    case ElementType::kLogin: // login
        Person(p, 6, kBlue);
        p.setPen(InkPen(kOrange, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(12, 9), 2, 2);
        p.drawLine(QPointF(12, 11), QPointF(12, 15));
        p.drawLine(QPointF(12, 13.5), QPointF(13.5, 13.5));
        break;
    case ElementType::kHyperlink: // hyperlink
        p.setPen(InkPen(kBlue, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(1.5, 5.5, 7, 5), 2.5, 2.5);
        p.drawRoundedRect(QRectF(7.5, 5.5, 7, 5), 2.5, 2.5);
        break;
    case ElementType::kModeSave: // mode save
        Disk(p);
        Star(p, 12, 12, 3.5, kYellow);
        break;
    case ElementType::kModeOpen: // mode recall
        Folder(p);
        Star(p, 12, 11, 3.5, kYellow);
        break;
    case ElementType::kVolumeBar:   // volume bar
    case ElementType::kDanteVolumeBar: { // network-audio volume bar
        const QColor c = type == ElementType::kDanteVolumeBar ? kPurple : kGreen;
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 6; ++i) {
            p.setBrush(i < 4 ? c : kGrey.lighter(130));
            const qreal h = 3 + i * 1.8;
            p.drawRect(QRectF(1.5 + i * 2.3, 14 - h, 1.7, h));
        }
        break;
    }
    default:
        return false;
    }
    return true;
}

} // namespace IconPaint
