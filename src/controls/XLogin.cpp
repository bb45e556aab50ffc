#include "XLogin.h"

#include "TextDrawing.h"
#include "model/ControlMainDelegate.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"

#include <QPainter>

#include <algorithm>

namespace {
constexpr int kLabelPoints = 20;
constexpr int kCentred = 5;
}

XLogin::XLogin()
{
    recordVersion = 1;
    text = QStringLiteral("LOGIN");
    imageMode = 1; // the record keeps no mode: the image always fills the form
    lineWidth = 0;
}

const FieldTable* XLogin::Fields() const
{
    using C = XLogin;
    // Version 0 records hold only the common part.
    static const FieldTable table(0, 1, &IsA<XLogin>, {
        Field::Name(),
        Field::Bounds(),
        Field::Colour<&C::backColor>("backColor").Since(1),
        Field::String<&C::imageFile>("imageFile", FieldFlag::Image).Since(1),
        Field::Colour<&C::loginColor1>("loginColor1").Since(1),
        Field::Colour<&C::loginColor2>("loginColor2").Since(1),
        Field::Colour<&C::loginColor3>("loginColor3").Since(1),
        Field::Colour<&C::loginColor4>("loginColor4").Since(1),
    });
    return &table;
}

const PropertyTable* XLogin::Properties() const
{
    using C = XLogin;
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        {
            Prop::Colour<&C::backColor>(PropertyId::kBackgroundColour, "139"),
            Prop::Image<&C::imageFile>(PropertyId::kImage, "424", "96")
                .Button([](XControl& c, CMFCMyPropertyGridProperty&) {
                    static_cast<XLogin&>(c).ChooseImage(false);
                }),
            Prop::Colour<&C::loginColor1>(PropertyId::kLoginColour1, "425"),
            Prop::Colour<&C::loginColor2>(PropertyId::kLoginColour2, "426"),
            Prop::Colour<&C::loginColor3>(PropertyId::kLoginColour3, "427"),
            Prop::Colour<&C::loginColor4>(PropertyId::kLoginColour4, "428"),
        },
    });
    return &table;
}

void XLogin::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    const QRect view = mainDelegate->MapRect(Bounds()).ToQRect();
    if (view.width() > 0 && view.height() > 0) {
        dc.fillRect(view, ToQColor(backColor));
        if (imageFile != QStringLiteral("NONE"))
            DrawImage(dc, imageFile, view, imageMode);
        const int size = std::max(1, mainDelegate->ScaleLength(kLabelPoints));
        DrawTextInRect(dc, QRectF(view), MakeTextFace(QStringLiteral("sans-serif"), size, 0), text, 0, kCentred,
                       false, false);
    }
    DrawSelectionMarks(dc);
}
