#include "XVolumeBar.h"

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
constexpr int kMinTextSize = 1;
constexpr int kMaxTextSize = 500;
constexpr int kMinSteps = 2;
constexpr int kMaxSteps = 1000;
constexpr int kMaxSendCode = 4000;
constexpr int kLabelSize = 20;
constexpr int kCentred = 5;
constexpr int kBottomRight = 9;
constexpr COLORREF kPlaceholderColour = MakeRgb(46, 63, 93);
constexpr COLORREF kBadgeColour = MakeRgb(255, 0, 0);

int ScaledSize(int size, int newWidth, int oldWidth)
{
    return std::clamp(static_cast<int>(std::trunc(static_cast<double>(size) * newWidth / oldWidth)), kMinTextSize,
                      kMaxTextSize);
}

template <auto M>
PropertyRow ImageRow(quint32 id, const char* caption)
{
    using Owner = Field::detail::ClassOf<M>;
    return Prop::Image<M>(id, caption, nullptr).Button([](XControl& c, CMFCMyPropertyGridProperty&) {
        ChooseImageInto(static_cast<XVolumeLook&>(c),
                        [](XPhoto& bar, const QString& name) { static_cast<Owner&>(bar).*M = name; });
    });
}

template <COLORREF XVolumeLook::*M>
PropertyRow ColourRow(quint32 id, const char* caption, const char* description)
{
    PropertyRow row = Prop::Colour<M>(id, caption);
    row.descriptionKey = description;
    return row;
}
}

// ---------------------------------------------------------------- shared look

XVolumeLook::XVolumeLook()
{
    lineWidth = 0;
    alignment = kCentred;
}

std::vector<PropertyRow> XVolumeLook::LookRows(bool withFlags)
{
    std::vector<PropertyRow> rows{
        Prop::Colour<&XVolumeLook::volumeColor1>(PropertyId::kBackgroundColour, "139"),
        ImageRow<&XVolumeLook::imageFile>(PropertyId::kImage, "330"),
    };
    if (withFlags)
        rows.push_back(Prop::YesNo<&XVolumeBar::volumeFlag1>(PropertyId::kVolumeFlag1, "407"));
    rows.insert(rows.end(), {
        ColourRow<&XVolumeLook::volumeColor2>(PropertyId::kVolumeColour2, "399", "394"),
        ColourRow<&XVolumeLook::volumeColor3>(PropertyId::kVolumeColour3, "400", "395"),
        ColourRow<&XVolumeLook::volumeColor4>(PropertyId::kVolumeColour4, "401", "398"),
        ColourRow<&XVolumeLook::volumeColor5>(PropertyId::kVolumeColour5, "402", "396"),
        Prop::Int<&XVolumeLook::volumeTextSize1>(PropertyId::kVolumeTextSize1, "397", kMinTextSize, kMaxTextSize,
                                                 "117"),
    });
    if (withFlags)
        rows.push_back(Prop::YesNo<&XVolumeBar::volumeFlag2>(PropertyId::kVolumeFlag2, "408"));
    rows.insert(rows.end(), {
        ColourRow<&XVolumeLook::volumeColor6>(PropertyId::kVolumeColour6, "404", "406"),
        ColourRow<&XVolumeLook::volumeColor7>(PropertyId::kVolumeColour7, "405", "403"),
        ImageRow<&XVolumeLook::volumeImage2>(PropertyId::kVolumeImage2, "409"),
        ColourRow<&XVolumeLook::volumeColor8>(PropertyId::kVolumeColour8, "412", "411"),
        Prop::Int<&XVolumeLook::volumeTextSize2>(PropertyId::kVolumeTextSize2, "410", kMinTextSize, kMaxTextSize,
                                                 "117"),
    });
    for (PropertyRow& row : rows)
        if (row.id != PropertyId::kImage)
            row.effects = 0; // only the image shows in the editor
    return rows;
}

PropertyRow XVolumeLook::DataRow()
{
    return Prop::Text<&XVolumeLook::sliderData>(PropertyId::kSliderData, "289").Describe("201").Effects(0);
}

void XVolumeLook::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    const IntRect b = Bounds();
    const QRect view = mainDelegate->MapRect(b).ToQRect();
    if (!view.isEmpty())
        dc.fillRect(view, ToQColor(kPlaceholderColour));
    if (imageFile != kNone && (b.Width() != 0 || b.Height() != 0))
        DrawImage(dc, imageFile, view, imageMode);
    if (!view.isEmpty()) {
        const TextFace face = Face(std::max(1, mainDelegate->ScaleLength(kLabelSize)));
        DrawTextInRect(dc, QRectF(view), face, text, textColor, kCentred, false, true);
        if (BadgeCode() != 0)
            DrawTextInRect(dc, QRectF(view), face, QString::asprintf("%d", BadgeCode()), kBadgeColour,
                           kBottomRight, false, false);
    }
    DrawSelectionMarks(dc);
}

void XVolumeLook::CopyAppearance(const XControl& other)
{
    if (!Fields()->IsInstance(other))
        return;
    TakeSizeOf(other);
    XControl::CopyAppearance(other);
}

// ---------------------------------------------------------------- volume bar

XVolumeBar::XVolumeBar()
{
    text = QStringLiteral("VOLUMEBAR");
    textColor = 0;
}

const FieldTable* XVolumeBar::Fields() const
{
    using namespace FieldFlag;
    static const FieldTable table(0, 0, &IsA<XVolumeBar>, {
        Field::Name(),
        Field::Bounds(),
        Field::Colour<&XVolumeBar::volumeColor1>("volumeColor1", Look),
        Field::String<&XVolumeBar::imageFile>("imageFile", Image | Look),
        Field::Word<&XVolumeBar::volumeFlag1>("volumeFlag1", Look),
        Field::Colour<&XVolumeBar::volumeColor2>("volumeColor2", Look),
        Field::Colour<&XVolumeBar::volumeColor3>("volumeColor3", Look),
        Field::Colour<&XVolumeBar::volumeColor4>("volumeColor4", Look),
        Field::Colour<&XVolumeBar::volumeColor5>("volumeColor5", Look),
        Field::Word<&XVolumeBar::volumeTextSize1>("volumeTextSize1", Look),
        Field::Word<&XVolumeBar::volumeFlag2>("volumeFlag2", Look),
        Field::Colour<&XVolumeBar::volumeColor6>("volumeColor6", Look),
        Field::Colour<&XVolumeBar::volumeColor7>("volumeColor7", Look),
        Field::String<&XVolumeBar::volumeImage2>("volumeImage2", Image | Look),
        Field::Colour<&XVolumeBar::volumeColor8>("volumeColor8", Look),
        Field::Word<&XVolumeBar::volumeTextSize2>("volumeTextSize2", Look),
        Field::Word<&XVolumeBar::sliderSteps>("sliderSteps", Look),
        Field::Dword<&XVolumeBar::sendCode>("sendCode", Look),
        Field::String<&XVolumeBar::sliderData>("sliderData"),
        Field::Copied<&XVolumeBar::text>("text"),
        Field::Copied<&XVolumeBar::textColor>("textColor"),
        Field::Copied<&XVolumeBar::fontStyle>("fontStyle"),
        Field::Copied<&XVolumeBar::fontName>("fontName"),
    });
    return &table;
}

const PropertyTable* XVolumeBar::Properties() const
{
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        LookRows(true),
        {
            Prop::Int<&XVolumeBar::sliderSteps>(PropertyId::kSliderSteps, "285", kMinSteps, kMaxSteps, "156")
                .Describe("152")
                .Effects(0),
            Prop::Int<&XVolumeBar::sendCode>(PropertyId::kSendCode, "280", 0, kMaxSendCode, "113").Describe("102"),
            DataRow(),
        },
    });
    return &table;
}

bool XVolumeBar::SetValue(int v)
{
    if (v < 0 || v > kMaxSendCode || v == sendCode)
        return false;
    sendCode = v;
    return true;
}

void XVolumeBar::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
    if (oldWidth == 0 || oldHeight == 0)
        return;
    volumeTextSize1 = ScaledSize(volumeTextSize1, newWidth, oldWidth);
    volumeTextSize2 = ScaledSize(volumeTextSize2, newWidth, oldWidth);
}
