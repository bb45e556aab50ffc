#include "XRectangle.h"

#include "ControlSupport.h"
#include "base/Translation.h"
#include "model/ControlMainDelegate.h"
#include "model/MyFile.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"

#include <QPainter>

using namespace ControlSupport;

namespace {
constexpr int kMaxLineWidth = 200;
}

XRectangle::XRectangle()
{
    lineWidth = 1;
    color = 0;
}

const FieldTable* XRectangle::Fields() const
{
    static const FieldTable table(0, 0, &IsA<XRectangle>, {
        Field::Name(),
        Field::Bounds(),
        Field::Word<&XRectangle::lineWidth>("lineWidth", FieldFlag::Look),
        Field::Colour<&XRectangle::color>("color", FieldFlag::Look),
        Field::Word<&XRectangle::hollow>("hollow", FieldFlag::Look),
        Field::Colour<&XRectangle::fillColor>("fillColor", FieldFlag::Look),
    });
    return &table;
}

std::vector<PropertyRow> XRectangle::BorderRows()
{
    return {
        Prop::Int<&XRectangle::lineWidth>(PropertyId::kLineWidth, "85", 0, kMaxLineWidth, "111"),
        Prop::Colour<&XRectangle::color>(PropertyId::kLineColour, "86"),
    };
}

const PropertyTable* XRectangle::Properties() const
{
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        BorderRows(),
        {
            Prop::YesNo<&XRectangle::hollow>(PropertyId::kHollow, "89"),
            Prop::Colour<&XRectangle::fillColor>(PropertyId::kFillColour, "90"),
        },
    });
    return &table;
}

void XRectangle::Refresh()
{
    SetBounds(Bounds()); // only order the corners; no re-fit, no redraw
}

void XRectangle::DrawFrame(QPainter& dc, COLORREF border, COLORREF fill) const
{
    if (!mainDelegate)
        return;
    const IntRect r = mainDelegate->MapRect(Bounds());
    int width = mainDelegate->ScaleLength(lineWidth);
    if (width == 0 && lineWidth == 0) {
        if (!hollow && r.Width() > 0 && r.Height() > 0)
            dc.fillRect(r.ToQRect(), ToQColor(fill));
        return;
    }
    if (width <= 0)
        width = 1;
    dc.save();
    dc.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(ToQColor(border));
    pen.setWidth(width);
    pen.setJoinStyle(Qt::MiterJoin);
    dc.setPen(pen);
    dc.setBrush(hollow ? QBrush(Qt::NoBrush) : QBrush(ToQColor(fill)));
    // Like a GDI rectangle: the outline runs along the inside edge of the right and
    // bottom borders (right - 1, bottom - 1), a wide pen centred on it.
    dc.drawRect(QRect(r.left, r.top, std::max(0, r.Width() - 1), std::max(0, r.Height() - 1)));
    dc.restore();
}

void XRectangle::Draw(QPainter& dc)
{
    DrawFrame(dc, color, fillColor);
    DrawSelectionMarks(dc);
}

void XRectangle::CopyAppearance(const XControl& other)
{
    if (!Fields()->IsInstance(other))
        return;
    TakeSizeOf(other);
    XControl::CopyAppearance(other);
}
