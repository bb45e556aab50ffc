#include "XDanteVolumeBar.h"

#include "model/FieldTable.h"
#include "model/PropertyRows.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kMinChannel = 1;
constexpr int kMaxChannel = 255;
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 500;
}

XDanteVolumeBar::XDanteVolumeBar()
{
    text = QStringLiteral("DANTESLIDER");
    textColor = 0xFFFFFF;
    volumeColor8 = 0xFFFFFF;
}

const FieldTable* XDanteVolumeBar::Fields() const
{
    using namespace FieldFlag;
    using T = XDanteVolumeBar;
    static const FieldTable table(0, 0, &IsA<XDanteVolumeBar>, {
        Field::Name(),
        Field::Bounds(),
        Field::Colour<&T::volumeColor1>("volumeColor1", Look),
        Field::String<&T::imageFile>("imageFile", Image | Look),
        Field::Colour<&T::volumeColor2>("volumeColor2", Look),
        Field::Colour<&T::volumeColor3>("volumeColor3", Look),
        Field::Colour<&T::volumeColor4>("volumeColor4", Look),
        Field::Colour<&T::volumeColor5>("volumeColor5", Look),
        Field::Word<&T::volumeTextSize1>("volumeTextSize1", Look),
        Field::Colour<&T::volumeColor6>("volumeColor6", Look),
        Field::Colour<&T::volumeColor7>("volumeColor7", Look),
        Field::String<&T::volumeImage2>("volumeImage2", Image | Look),
        Field::Colour<&T::volumeColor8>("volumeColor8", Look),
        Field::Word<&T::volumeTextSize2>("volumeTextSize2", Look),
        Field::String<&T::sliderData>("sliderData"),
        Field::Word<&T::danteChannel>("danteChannel"),
        Field::Word<&T::danteMode>("danteMode"),
        Field::Copied<&T::text>("text"),
        Field::Copied<&T::textColor>("textColor"),
        Field::Copied<&T::fontSize>("fontSize"),
        Field::Copied<&T::fontStyle>("fontStyle"),
        Field::Copied<&T::fontName>("fontName"),
    });
    return &table;
}

const PropertyTable* XDanteVolumeBar::Properties() const
{
    // Modes are 1 and 2, shown as the first and second option.
    PropertyRow mode = Prop::Choice<&XDanteVolumeBar::danteMode>(PropertyId::kDanteMode, "444", {"442", "443"})
                           .Effects(0);
    mode.getInt = [](const XControl& c) -> qint64 { return static_cast<const XDanteVolumeBar&>(c).danteMode - 1; };
    mode.setInt = [](XControl& c, qint64 v) { static_cast<XDanteVolumeBar&>(c).danteMode = static_cast<int>(v) + 1; };
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        LookRows(false),
        {
            DataRow(),
            Prop::Int<&XDanteVolumeBar::danteChannel>(PropertyId::kDanteChannel, "445", kMinChannel, kMaxChannel, "446")
                .Effects(0),
            mode,
        },
    });
    return &table;
}

void XDanteVolumeBar::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
    if (oldWidth != 0 && oldHeight != 0) {
        const int scaled = static_cast<int>(std::trunc(static_cast<double>(fontSize) * newWidth / oldWidth));
        fontSize = std::clamp(scaled, kMinFontSize, kMaxFontSize);
    }
}
