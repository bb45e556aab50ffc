#include "XPlaceholder.h"

#include "TextDrawing.h"
#include "base/Colorref.h"
#include "base/Ipv4Address.h"
#include "base/UiSeam.h"
#include "model/ControlMainDelegate.h"
#include "model/FieldTable.h"

#include <QPainter>

#include <algorithm>

namespace {
constexpr int kLabelPoints = 20;
const QString kSansSerif = QStringLiteral("sans-serif");
constexpr int kCentred = 5;
}

void XPlaceholder::Draw(QPainter& dc)
{
    DrawServicePlaceholder(dc, *this, GetTypeKey(), kLabelPoints);
    if (selected) {
        DrawSelectionFrame(dc);
        DrawEndHandles(dc);
    }
}

void DrawServicePlaceholder(QPainter& dc, const XControl& control, const QString& label, int points)
{
    const ControlMainDelegate* mainDelegate = control.mainDelegate;
    if (!mainDelegate)
        return;
    const QRect r = mainDelegate->MapRect(control.Bounds()).ToQRect();
    if (r.width() <= 0 || r.height() <= 0)
        return;
    dc.fillRect(r, QColor(46, 63, 93));
    const int size = std::max(1, mainDelegate->ScaleLength(points));
    DrawTextInRect(dc, QRectF(r), MakeTextFace(kSansSerif, size, 0), label, MakeRgb(255, 255, 255), kCentred,
                   false, false);
}

void XPlaceholder::Refresh()
{
    SetBounds(Bounds());
}

void XPlaceholder::CopyAppearance(const XControl& other)
{
    if (!Fields() || !Fields()->IsInstance(other))
        return;
    TakeSizeOf(other);
    XControl::CopyAppearance(other);
}

QString XPlaceholder::Trimmed(const QString& text)
{
    return text.trimmed();
}

bool XPlaceholder::AcceptsAddress(const XControl&, const QString& typed)
{
    const QString address = typed.trimmed();
    if (address.isEmpty() || IsValidIpv4Address(address))
        return true;
    ShowMessage(QStringLiteral("378"), QStringLiteral("70"));
    return false;
}

const FieldTable* XHost::Fields() const
{
    static const FieldTable table(0, 0, &IsA<XHost>, {Field::Name(), Field::Bounds()});
    return &table;
}

const PropertyTable* XHost::Properties() const
{
    static const PropertyTable table({Prop::NameRows(), Prop::SizeRows()});
    return &table;
}
