#include "AppIcons.h"

#include "IconPainting.h"

#include <QHash>

namespace IconPaint {

void PaintTypeIcon(QPainter& p, int type)
{
    if (PaintPageAndBasicIcon(p, type) || PaintButtonAndSliderIcon(p, type) || PaintVideoAndWallIcon(p, type)
        || PaintPlatformIcon(p, type))
        return;
    p.setPen(InkPen(kGrey));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
}

} // namespace IconPaint

using namespace IconPaint;

namespace AppIcons {

QIcon ForCommand(int commandId)
{
    static QHash<int, QIcon> cache;
    auto it = cache.find(commandId);
    if (it == cache.end())
        it = cache.insert(commandId, Render([commandId](QPainter& p) { PaintCommandIcon(p, commandId); }));
    return *it;
}

QIcon ForType(int typeNumber)
{
    static QHash<int, QIcon> cache;
    auto it = cache.find(typeNumber);
    if (it == cache.end())
        it = cache.insert(typeNumber, Render([typeNumber](QPainter& p) { PaintTypeIcon(p, typeNumber); }));
    return *it;
}

QIcon Lock()
{
    static const QIcon icon = Render([](QPainter& p) { PaintLock(p); });
    return icon;
}

QIcon Application()
{
    static const QIcon icon = Render([](QPainter& p) {
        p.setPen(InkPen(kBlue.darker(150)));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
        p.setBrush(kPaper);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(3, 3.5, 10, 6.5), 1, 1);
        p.setBrush(kOrange);
        p.drawRoundedRect(QRectF(4, 11.5, 3.5, 2), 0.8, 0.8);
        p.setBrush(kGreen);
        p.drawRoundedRect(QRectF(8.5, 11.5, 3.5, 2), 0.8, 0.8);
        p.setPen(InkPen(kBlue, 1.2));
        p.drawLine(QPointF(4.5, 8), QPointF(7, 5.5));
        p.drawLine(QPointF(7, 5.5), QPointF(9, 7.5));
        p.drawLine(QPointF(9, 7.5), QPointF(11.5, 5));
    });
    return icon;
}

} // namespace AppIcons
