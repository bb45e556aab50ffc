#include "XRectangle.h"

#include "ControlSupport.h"
#include "base/Translation.h"
#include "model/ControlMainDelegate.h"
#include "model/MyFile.h"
#include "model/PropertyGridModel.h"

#include <QJsonObject>
#include <QPainter>

using namespace ControlSupport;

XRectangle::XRectangle()
{
    lineWidth = 1;
    color = 0;
}

void XRectangle::FillProperties(PropertyGridModel& grid)
{
    grid.RemoveAll();
    auto* group = grid.AddGroup(Translate("20"));
    AddNameRows(*group, *this);
    const IntRect b = Bounds();
    group->AddInt(Translate("83"), b.Width(), QString(), 1);
    group->AddInt(Translate("84"), b.Height(), QString(), 2);
    group->AddInt(Translate("85"), lineWidth, QString(), 4);
    group->AddColor(Translate("86"), color, QString(), 5)->buttonCaption = Translate("88");
    const QStringList yesNo = Translated({"141", "142"});
    group->AddOptions(Translate("89"), yesNo.value(hollow ? 0 : 1), yesNo, false, QString(), 12);
    group->AddColor(Translate("90"), fillColor, QString(), 11)->buttonCaption = Translate("88");
    SetOwner(grid, this);
}

bool XRectangle::ApplyProperty(CMFCMyPropertyGridProperty& property)
{
    bool handled = false;
    bool changed = ApplyPlacementProperty(property, handled);
    if (handled)
        return changed;
    changed = ApplyRectangleProperty(property, handled);
    if (handled)
        return changed;
    return XPhoto::ApplyProperty(property);
}

bool XRectangle::ApplyRectangleProperty(CMFCMyPropertyGridProperty& property, bool& handled)
{
    handled = true;
    switch (property.data) {
    case 4: {
        int v = 0;
        if (!AcceptInt(property, 0, 200, QStringLiteral("111"), lineWidth, v) || v == lineWidth)
            return false;
        lineWidth = v;
        InvalidatePageWindow();
        return true;
    }
    case 5: {
        const COLORREF c = property.GetColor() & 0xFFFFFF;
        if (c == color)
            return false;
        color = c;
        InvalidatePageWindow();
        return true;
    }
    case 12: {
        const int v = property.GetText() == Translate("141") ? 1 : 0;
        if (v == hollow)
            return false;
        hollow = v;
        InvalidatePageWindow();
        return true;
    }
    case 11: {
        const COLORREF c = property.GetColor() & 0xFFFFFF;
        if (c == fillColor)
            return false;
        fillColor = c;
        if (!hollow)
            InvalidatePageWindow();
        return true;
    }
    default:
        handled = false;
        return false;
    }
}

bool XRectangle::Save(MyFile& file)
{
    return WriteRecordVersion(file) && WriteType(file) && WriteName(file) && WriteBounds(file)
        && WriteLineWidth(file) && WriteColor(file) && file.WriteWord(hollow) && file.WriteColor(fillColor);
}

bool XRectangle::Load(MyFile& file, int version)
{
    if (version != 0)
        return false;
    recordVersion = 0;
    ReadName(file);
    ReadBounds(file);
    ReadLineWidth(file);
    ReadColor(file);
    hollow = file.ReadWord();
    fillColor = file.ReadColor();
    return !file.Failed();
}

void XRectangle::DescribeFields(QJsonObject& out) const
{
    XControl::DescribeFields(out);
    out.insert(QStringLiteral("lineWidth"), lineWidth);
    out.insert(QStringLiteral("color"), static_cast<qint64>(color));
    out.insert(QStringLiteral("hollow"), hollow);
    out.insert(QStringLiteral("fillColor"), static_cast<qint64>(fillColor));
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

void XRectangle::CopyFrom(const XControl& other, bool withIdentity)
{
    XPhoto::CopyFrom(other, withIdentity);
    if (const auto* o = dynamic_cast<const XRectangle*>(&other)) {
        hollow = o->hollow;
        fillColor = o->fillColor;
    }
}

void XRectangle::CopyAppearance(const XControl& other)
{
    const auto* o = dynamic_cast<const XRectangle*>(&other);
    if (!o)
        return;
    TakeSizeOf(*o);
    lineWidth = o->lineWidth;
    color = o->color;
    hollow = o->hollow;
    fillColor = o->fillColor;
}
