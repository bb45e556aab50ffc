#include "IconPainting.h"

#include "model/ElementTypes.h"

#include <QPainterPath>

// Cameras, video previews, recording and the display walls.
namespace IconPaint {

bool PaintVideoAndWallIcon(QPainter& p, int type)
{
    switch (type) {
    case ElementType::kWebCamera: // web camera
        p.setPen(InkPen());
        p.setBrush(kGrey.lighter(130));
        p.drawEllipse(QPointF(8, 7), 5.5, 5.5);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(8, 7), 2.5, 2.5);
        p.setBrush(kBlue);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(8, 7), 1.2, 1.2);
        p.setPen(InkPen());
        p.drawLine(QPointF(5, 15), QPointF(11, 15));
        break;
    case ElementType::kVideoPreview: // video preview
        Screen(p, QRectF(1, 2.5, 14, 10), kInk);
        PlayTriangle(p, QPointF(8, 7.5), 5, Qt::white);
        break;
    case ElementType::kVirtualDisplayWall:   // display wall
    case ElementType::kSVirtualDisplayWall: { // synchronised display wall
        p.setPen(InkPen());
        p.setBrush(type == ElementType::kSVirtualDisplayWall ? kLightBlue : kPaper);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c)
                p.drawRect(QRectF(1 + c * 4.8, 3 + r * 5, 4.4, 4.6));
        if (type == ElementType::kSVirtualDisplayWall) {
            p.setPen(InkPen(kGreen, 1.4));
            p.drawLine(QPointF(3, 14.5), QPointF(13, 14.5));
        }
        break;
    }
    case ElementType::kVideoPreviewFrame: // video preview frame
        Screen(p, QRectF(1, 2, 14, 11), kInk);
        p.setPen(InkPen(kOrange, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(3, 4, 10, 7));
        PlayTriangle(p, QPointF(8, 7.5), 3.5, Qt::white);
        break;
    case ElementType::kScrollPreviewFrame: // scrolling video preview
        for (int i = 0; i < 3; ++i)
            Screen(p, QRectF(0.5 + i * 5.2, 4, 4.6, 6), kInk);
        Arrow(p, QPointF(3, 13.5), QPointF(13, 13.5), kBlue);
        break;
    case ElementType::kRecording: // recording
        p.setPen(InkPen(kRed.darker(140)));
        p.setBrush(kRed);
        p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(8, 8), 2, 2);
        break;
    case ElementType::kVideoComboBox: // video combo box
        Screen(p, QRectF(1, 1.5, 14, 8), kInk);
        PlayTriangle(p, QPointF(8, 5.5), 3.5, Qt::white);
        p.setPen(InkPen());
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 11, 13, 4));
        p.setBrush(kInk);
        p.setPen(Qt::NoPen);
        {
            QPainterPath t;
            t.moveTo(10.5, 12.3);
            t.lineTo(13.5, 12.3);
            t.lineTo(12, 14);
            t.closeSubpath();
            p.drawPath(t);
        }
        break;
    default:
        return false;
    }
    return true;
}

} // namespace IconPaint
