#include "XHyperlink.h"

#include "ApplicationFont.h"
#include "XButton.h"
#include "model/ControlMainDelegate.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace ControlSupport;

namespace {
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 500;
}

XHyperlink::XHyperlink()
{
    text = QStringLiteral("HYPERLINK");
    textColor = 0;
    fontName = IconTitleFontName();
    fontSize = 20;
    fontStyle = 0;
    alignment = 5;
    imageFilter = QStringLiteral("(*.jpg)(*.png)(*.bmp)|*.jpg;*.png;*.bmp||");
}

const FieldTable* XHyperlink::Fields() const
{
    using namespace FieldFlag;
    static const FieldTable table(0, 0, &IsA<XHyperlink>, {
        Field::Name(),
        Field::Bounds(),
        Field::String<&XHyperlink::text>("text"),
        Field::Word<&XHyperlink::fontSize>("fontSize", Look),
        Field::Colour<&XHyperlink::textColor>("textColor", Look),
        Field::Word<&XHyperlink::fontStyle>("fontStyle", Look),
        Field::String<&XHyperlink::fontName>("fontName", LookIfSet),
        Field::String<&XHyperlink::imageFile>("imageFile", Image),
        Field::String<&XHyperlink::linkData>("linkData"),
        Field::Copied<&XHyperlink::alignment>("alignment"),
        Field::Copied<&XHyperlink::imageMode>("imageMode"),
    });
    return &table;
}

const PropertyTable* XHyperlink::Properties() const
{
    using namespace PropertyEffect;
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        {
            Prop::Text<&XHyperlink::text>(PropertyId::kText, "92"),
            FontNameRow(Redraw),
            Prop::Int<&XHyperlink::fontSize>(PropertyId::kFontSize, "93", kMinFontSize, kMaxFontSize, "117"),
            Prop::Colour<&XHyperlink::textColor>(PropertyId::kTextColour, "94"),
            StyleRow(Redraw),
            Prop::Image<&XHyperlink::imageFile>(PropertyId::kImage, "277", "96")
                .Effects(Redraw | Refit)
                .Button([](XControl& c, CMFCMyPropertyGridProperty&) {
                    static_cast<XHyperlink&>(c).ChooseImage(false);
                }),
            Prop::Text<&XHyperlink::linkData>(PropertyId::kCommandString, "301")
                .Describe("255")
                .Hint("319")
                .Normalise(&XButton::NormalizeCommandString)
                .Effects(0),
        },
    });
    return &table;
}

bool XHyperlink::Save(MyFile& file)
{
    if (!XControl::Save(file))
        return false;
    if (text.isEmpty())
        return true;
    return WriteTextImage(QString(), textColor, TextImageJob::Layout::Wrapped);
}

void XHyperlink::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    const IntRect b = Bounds();
    const QRect view = mainDelegate->MapRect(b).ToQRect();
    if (imageFile != kNone && (b.Width() != 0 || b.Height() != 0))
        DrawImage(dc, imageFile, view, imageMode);
    if (!text.isEmpty())
        DrawTextInRect(dc, QRectF(view), Face(ViewFontSize()), text, textColor, alignment, false, true);
    DrawSelectionMarks(dc);
}

void XHyperlink::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
    if (oldWidth != 0 && oldHeight != 0) {
        const int scaled = static_cast<int>(std::trunc(static_cast<double>(fontSize) * newWidth / oldWidth));
        fontSize = std::clamp(scaled, kMinFontSize, kMaxFontSize);
    }
}

bool XHyperlink::SetLinkText(const QString& newText)
{
    if (newText == linkData)
        return false;
    linkData = newText;
    return true;
}
