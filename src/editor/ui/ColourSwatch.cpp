#include "ColourSwatch.h"

#include <QPainter>
#include <QPixmap>

QIcon ColourSwatch(COLORREF c)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(ToQColor(c));
    QPainter p(&pixmap);
    p.setPen(Qt::darkGray);
    p.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

QString ColourText(COLORREF c)
{
    return QStringLiteral("%1, %2, %3").arg(RedOf(c)).arg(GreenOf(c)).arg(BlueOf(c));
}
