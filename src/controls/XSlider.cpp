#include "XSlider.h"

#include "ControlSupport.h"
#include "TextDrawing.h"
#include "model/ControlMainDelegate.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace ControlSupport;

namespace {
constexpr int kMinSteps = 2;
constexpr int kMaxSteps = 1000;
constexpr int kMaxSendCode = 4000;
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 500;
constexpr COLORREF kPlaceholderColour = MakeRgb(46, 63, 93);
constexpr COLORREF kBadgeColour = MakeRgb(255, 0, 0);
constexpr int kBottomRight = 9;
}

void DrawLevelPlaceholder(XFontText& control, QPainter& dc, const QRect& view, int viewSize, int alignment,
                          int sendCode)
{
    if (view.isEmpty())
        return;
    dc.fillRect(view, ToQColor(kPlaceholderColour));
    const TextFace face = control.Face(std::max(1, viewSize));
    DrawTextInRect(dc, QRectF(view), face, control.text, control.textColor, alignment, false, true);
    if (sendCode != 0)
        DrawTextInRect(dc, QRectF(view), face, QString::asprintf("%d", sendCode), kBadgeColour, kBottomRight,
                       false, false);
}

XSlider::XSlider()
{
    recordVersion = 2;
    text = QStringLiteral("SLIDER");
    textColor = 0xFFFFFF;
    alignment = 1;
    lineWidth = 0;
}

const FieldTable* XSlider::Fields() const
{
    using namespace FieldFlag;
    static const FieldTable table(0, 2, &IsA<XSlider>, {
        Field::Name(),
        Field::Bounds(),
        Field::Word<&XSlider::sliderVertical>("sliderVertical", Look),
        Field::Word<&XSlider::sliderSteps>("sliderSteps", Look),
        Field::Dword<&XSlider::sendCode>("sendCode"),
        Field::String<&XSlider::sliderImage1>("sliderImage1", Image | Look).Since(1),
        Field::String<&XSlider::sliderImage2>("sliderImage2", Image | Look).Since(1),
        Field::String<&XSlider::sliderImage3>("sliderImage3", Image | Look).Since(1),
        Field::String<&XSlider::sliderData>("sliderData").Since(2),
        // What the placeholder shows.
        Field::Copied<&XSlider::text>("text"),
        Field::Copied<&XSlider::textColor>("textColor"),
        Field::Copied<&XSlider::fontSize>("fontSize"),
        Field::Copied<&XSlider::fontStyle>("fontStyle"),
        Field::Copied<&XSlider::fontName>("fontName"),
        Field::Copied<&XSlider::alignment>("alignment"),
    });
    return &table;
}

namespace {
template <QString XSlider::*M>
PropertyRow SliderImageRow(quint32 id, const char* caption, const char* description)
{
    return Prop::Image<M>(id, caption, description).Effects(0).Button([](XControl& c, CMFCMyPropertyGridProperty&) {
        ChooseImageInto(static_cast<XSlider&>(c),
                        [](XPhoto& s, const QString& name) { static_cast<XSlider&>(s).*M = name; });
    });
}
}

const PropertyTable* XSlider::Properties() const
{
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        {
            Prop::Choice<&XSlider::sliderVertical>(PropertyId::kSliderDirection, "151", {"131", "132"}).Effects(0),
            Prop::Int<&XSlider::sliderSteps>(PropertyId::kSliderSteps, "285", kMinSteps, kMaxSteps, "156")
                .Describe("152")
                .Effects(0),
            Prop::Int<&XSlider::sendCode>(PropertyId::kSendCode, "280", 0, kMaxSendCode, "113").Describe("102"),
            SliderImageRow<&XSlider::sliderImage1>(PropertyId::kImage, "286", "153"),
            SliderImageRow<&XSlider::sliderImage2>(PropertyId::kSliderImage2, "287", "154"),
            SliderImageRow<&XSlider::sliderImage3>(PropertyId::kSliderImage3, "288", "155"),
            Prop::Text<&XSlider::sliderData>(PropertyId::kSliderData, "289").Describe("201").Effects(0),
        },
    });
    return &table;
}

void XSlider::OnDoubleClick(QPoint)
{
    // The slider shows no image of its own; its first image is the one worth choosing.
    ChooseImageInto(*this, [](XPhoto& s, const QString& name) { static_cast<XSlider&>(s).sliderImage1 = name; });
}

void XSlider::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    const QRect view = mainDelegate->MapRect(Bounds()).ToQRect();
    DrawLevelPlaceholder(*this, dc, view, ViewFontSize(), alignment, sendCode);
    DrawSelectionMarks(dc);
}

bool XSlider::SetValue(int v)
{
    if (v < 0 || v > kMaxSendCode || v == sendCode)
        return false;
    sendCode = v;
    return true;
}

void XSlider::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
    if (oldWidth != 0 && oldHeight != 0) {
        const int scaled = static_cast<int>(std::trunc(static_cast<double>(fontSize) * newWidth / oldWidth));
        fontSize = std::clamp(scaled, kMinFontSize, kMaxFontSize);
    }
}

void XSlider::CopyAppearance(const XControl& other)
{
    if (!Fields()->IsInstance(other))
        return;
    TakeSizeOf(other);
    XControl::CopyAppearance(other);
}
