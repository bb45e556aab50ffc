#include "XFontButton.h"

#include "ApplicationFont.h"
#include "TextDrawing.h"
#include "base/Translation.h"
#include "model/ControlMainDelegate.h"
#include "model/MyFile.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"

#include <QPainter>

#include <algorithm>

using namespace ControlSupport;

XFontButton::XFontButton()
{
    text = QStringLiteral("FONTBTN");
    fontName.clear(); // the icon-title font, chosen the first time a font is needed
}

const FieldTable* XFontButton::Fields() const
{
    static const FieldTable table(0, 1, &IsA<XFontButton>, {
        {Field::Constant("marker", 1), Field::Name(), Field::Bounds()},
        LookFields(),
        {Field::Word<&XFontButton::fontStyle>("fontStyle"), Field::String<&XFontButton::fontName>("fontName")},
        ActionFields(),
    });
    return &table;
}

const PropertyTable* XFontButton::Properties() const
{
    using namespace PropertyEffect;
    static const PropertyTable table({
        AppearanceRows(),
        {
            FontNameRow(Redraw),
            Prop::Int<&XFontButton::fontSize>(PropertyId::kFontSize, "93", 1, 500, "117"),
        },
        LabelColourRows(),
        {StyleRow(Redraw)},
        ActionRows(),
    });
    return &table;
}

bool XFontButton::Save(MyFile& file)
{
    if (!XControl::Save(file))
        return false;
    if (text.isEmpty())
        return true;
    // The panel shows these images, in the normal and the pressed text colour ("_1").
    for (const bool pressed : {false, true}) {
        const COLORREF colour = pressed ? pressedTextColor : textColor;
        const bool ok = WriteTextImage(pressed ? QStringLiteral("_1") : QString(), colour,
                                       TextImageJob::Layout::Wrapped);
        if (!ok)
            return false;
    }
    return true;
}

QStringList XFontButton::TextImageSuffixes() const
{
    const IntRect b = Bounds();
    if (text.isEmpty() || b.Width() <= 0 || b.Height() <= 0)
        return {};
    return {QString(), QStringLiteral("_1")};
}

bool XFontButton::SetFont(const FontDesc& font)
{
    const int size = std::clamp(font.size, 1, 500);
    const int style = std::clamp(font.style, 0, 3);
    const QString family = font.name.isEmpty() ? fontName : font.name;
    if (size == fontSize && style == fontStyle && family == fontName)
        return false;
    fontSize = size;
    fontStyle = style;
    fontName = family;
    return true;
}

void XFontButton::DrawLabel(QPainter& dc, const QRect& view, COLORREF colour)
{
    if (text.isEmpty())
        return;
    DrawTextInRect(dc, QRectF(view), Face(ViewFontSize()), text, colour, alignment, false, true);
}

void XFontButton::DrawBadge(QPainter& dc, const QRect& view)
{
    const int points = std::max(1, mainDelegate->ScaleLength(10));
    const COLORREF colour = showPressed ? pressedTextColor : MakeRgb(255, 0, 0);
    DrawTextInRect(dc, QRectF(view), MakeTextFace(ApplicationFontName(), points, fontStyle),
                   QString::number(sendCode), colour, 9, false, false);
}
