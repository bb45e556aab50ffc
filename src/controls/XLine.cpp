#include "XLine.h"

#include "model/ControlMainDelegate.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"

#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace {
constexpr int kMinPosition = -5000;
constexpr int kMaxPosition = 5000;
constexpr int kMinLineWidth = 1;
constexpr int kMaxLineWidth = 200;
constexpr int kSelectedWidth = 7;
}

XLine::XLine()
{
    lineWidth = 6;
    color = 0;
}

const FieldTable* XLine::Fields() const
{
    using namespace FieldFlag;
    static const FieldTable table(0, 0, &IsA<XLine>, {
        Field::Name(),
        Field::Bounds(),
        Field::Word<&XLine::lineWidth>("lineWidth", Look),
        Field::Colour<&XLine::color>("color", Look),
        Field::Word<&XLine::lineStyle>("lineStyle", Look),
    });
    return &table;
}

const PropertyTable* XLine::Properties() const
{
    static const PropertyTable table({
        Prop::NameRows()[0],
        // Each end point moves alone.
        Prop::Int<&XControl::x1>(PropertyId::kX1, "X1", kMinPosition, kMaxPosition, "114").Describe("107"),
        Prop::Int<&XControl::y1>(PropertyId::kY1, "Y1", kMinPosition, kMaxPosition, "114").Describe("108"),
        Prop::Int<&XControl::x2>(PropertyId::kX2, "X2", kMinPosition, kMaxPosition, "114").Describe("133"),
        Prop::Int<&XControl::y2>(PropertyId::kY2, "Y2", kMinPosition, kMaxPosition, "114").Describe("134"),
        Prop::Int<&XLine::lineWidth>(PropertyId::kLineWidth, "135", kMinLineWidth, kMaxLineWidth, "137"),
        Prop::Colour<&XLine::color>(PropertyId::kLineColour, "136"),
        // Offered here: without it the style could only come from a loaded file.
        Prop::Choice<&XLine::lineStyle>(PropertyId::kLineStyle, "1002", {"138", "1000"}),
    });
    return &table;
}

bool XLine::HitTest(QPoint point) const
{
    int width = lineWidth;
    if (selected && width < kSelectedWidth)
        width = kSelectedWidth;
    const int margin = width / 2 + 1;
    if (x1 == x2 || y1 == y2)
        return Bounds().Inflated(margin).Contains(point.x(), point.y());
    // The band around the segment, margin wide on either side.
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double length = std::hypot(dx, dy);
    const double nx = -dy / length * margin;
    const double ny = dx / length * margin;
    const QPolygonF band{QPointF(x1 + nx, y1 + ny), QPointF(x2 + nx, y2 + ny), QPointF(x2 - nx, y2 - ny),
                         QPointF(x1 - nx, y1 - ny)};
    return band.containsPoint(QPointF(point), Qt::OddEvenFill);
}

void XLine::Draw(QPainter& dc)
{
    if (!mainDelegate || (lineStyle != 0 && lineStyle != 1))
        return;
    const QPoint a = mainDelegate->MapPoint(x1, y1);
    const QPoint b = mainDelegate->MapPoint(x2, y2);
    int width = mainDelegate->ScaleLength(lineWidth);
    if (width == 0 && lineWidth != 0)
        width = 1;
    dc.save();
    dc.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(ToQColor(color));
    pen.setWidth(width); // 0: one pixel at any zoom
    // A plain wide pen ends round; the geometric pen of style 1 ends square.
    pen.setCapStyle(lineStyle == 1 ? Qt::SquareCap : Qt::RoundCap);
    dc.setPen(pen);
    dc.drawLine(a, b);
    if (selected) {
        const QColor mark = ToQColor(SelectionColor());
        QPen thin(mark);
        thin.setWidth(1);
        dc.setPen(thin);
        dc.drawLine(a, b);
        for (const QPoint& p : {a, b})
            dc.fillRect(QRect(p.x() - 3, p.y() - 3, 7, 7), mark);
    }
    dc.restore();
}
