#include "XPicker.h"

#include "model/ControlMainDelegate.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kMaxSendCode = 4000;
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 500;
}

XPicker::XPicker()
{
    text = QStringLiteral("PICKER");
    textColor = 0xFFFFFF;
    lineWidth = 0;
}

QString XPicker::NormalizeData(const QString& data)
{
    QString s = data;
    s.replace(QChar(0xFF1B), u';');
    if (s.endsWith(u';'))
        s.chop(1);
    return s;
}

const FieldTable* XPicker::Fields() const
{
    static const FieldTable table(0, 0, &IsA<XPicker>, {
        Field::Name(),
        Field::Bounds(),
        Field::String<&XPicker::pickerData>("pickerData"),
        Field::Dword<&XPicker::sendCode>("sendCode"),
        // What the placeholder shows.
        Field::Copied<&XPicker::text>("text"),
        Field::Copied<&XPicker::textColor>("textColor"),
        Field::Copied<&XPicker::fontSize>("fontSize"),
        Field::Copied<&XPicker::fontStyle>("fontStyle"),
        Field::Copied<&XPicker::fontName>("fontName"),
        Field::Copied<&XPicker::alignment>("alignment"),
    });
    return &table;
}

const PropertyTable* XPicker::Properties() const
{
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        {
            Prop::Text<&XPicker::pickerData>(PropertyId::kPickerData, "290")
                .Describe("255")
                .Hint("322")
                .Normalise(&XPicker::NormalizeData)
                .Effects(0),
            Prop::Int<&XPicker::sendCode>(PropertyId::kSendCode, "280", 0, kMaxSendCode, "113")
                .Describe("102")
                .Effects(0),
        },
    });
    return &table;
}

void XPicker::NormalizeBounds()
{
    // The size is the user's (it has width and height rows); the text only labels it.
    SetBounds(Bounds());
}

void XPicker::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    DrawPlaceholder(dc, mainDelegate->MapRect(Bounds()).ToQRect(), true);
    DrawSelectionMarks(dc);
}

void XPicker::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
    if (oldWidth != 0 && oldHeight != 0) {
        const int scaled = static_cast<int>(std::trunc(static_cast<double>(fontSize) * newWidth / oldWidth));
        fontSize = std::clamp(scaled, kMinFontSize, kMaxFontSize);
    }
}

void XPicker::CopyAppearance(const XControl& other)
{
    if (Fields()->IsInstance(other))
        TakeSizeOf(other);
}
