#include "XSensor.h"

#include "TextDrawing.h"
#include "model/ControlMainDelegate.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"

#include <QPainter>

#include <cmath>

namespace {
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 500;
constexpr int kMaxSensorNumber = 255;
constexpr int kCentred = 5;
}

XSensor::XSensor()
{
    text = QStringLiteral("123.1");
}

const FieldTable* XSensor::Fields() const
{
    using namespace FieldFlag;
    static const FieldTable table(0, 0, &IsA<XSensor>, {
        Field::Name(),
        Field::Bounds(),
        Field::Word<&XSensor::fontSize>("fontSize", Look),
        Field::Colour<&XSensor::textColor>("textColor", Look),
        Field::Word<&XSensor::sensorNumber>("sensorNumber"),
        Field::Copied<&XSensor::text>("text"),
        Field::Copied<&XSensor::vertical>("vertical"),
        Field::Copied<&XSensor::alignment>("alignment"),
    });
    return &table;
}

const PropertyTable* XSensor::Properties() const
{
    static const PropertyTable table({
        Prop::NameRows(),
        {
            Prop::Int<&XSensor::fontSize>(PropertyId::kFontSize, "93", kMinFontSize, kMaxFontSize, "117"),
            Prop::Colour<&XSensor::textColor>(PropertyId::kTextColour, "94"),
            // Offered here: without it the number could only come from a loaded file.
            Prop::Int<&XSensor::sensorNumber>(PropertyId::kSensorNumber, "1001", 0, kMaxSensorNumber, "150"),
        },
    });
    return &table;
}

void XSensor::NormalizeBounds()
{
    SetBounds(Bounds()); // the size is the user's
}

void XSensor::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    const QRect view = mainDelegate->MapRect(Bounds()).ToQRect();
    DrawTextInRect(dc, QRectF(view), ApplicationFace(ViewFontSize()), QString::asprintf("%d", sensorNumber),
                   textColor, kCentred, false, false);
    DrawSelectionMarks(dc);
}

void XSensor::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    if (oldWidth == 0 || oldHeight == 0)
        return;
    const IntRect b = Bounds();
    const int left = static_cast<int>(std::trunc(static_cast<double>(b.left) * newWidth / oldWidth));
    const int top = static_cast<int>(std::trunc(static_cast<double>(b.top) * newHeight / oldHeight));
    SetBounds(b);
    MoveBy(left - b.left, top - b.top);
}

void XSensor::CopyAppearance(const XControl& other)
{
    if (!Fields()->IsInstance(other))
        return;
    TakeSizeOf(other);
    XControl::CopyAppearance(other);
}
