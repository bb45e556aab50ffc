#include "XVideoPreviewFrame.h"

#include "ApplicationFont.h"
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
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 500;
constexpr int kStretched = 1;
}

XVideoPreviewFrame::XVideoPreviewFrame()
{
    text = QStringLiteral("VIDEOPREVIEWFRAME");
    textColor = 0;
    alignment = 5;
    fontName = IconTitleFontName();
}

QString XVideoPreviewFrame::NormalizeStreamAddresses(const QString& typed)
{
    QString s = typed.trimmed();
    s.replace(QChar(0xFF1B), u';');
    if (s.endsWith(u';'))
        s.chop(1);
    return s;
}

const FieldTable* XVideoPreviewFrame::Fields() const
{
    using namespace FieldFlag;
    using C = XVideoPreviewFrame;
    static const FieldTable table(0, 0, &IsA<XVideoPreviewFrame>, {
        Field::Name(),
        Field::Bounds(),
        Field::Word<&C::lineWidth>("lineWidth", Look),
        Field::Colour<&C::color>("color", Look),
        Field::Word<&C::hollow>("hollow", Look),
        Field::Colour<&C::fillColor>("fillColor", Look),
        Field::String<&C::imageFile>("imageFile", Image | Look),
        Field::String<&C::text>("text"),
        Field::Word<&C::fontSize>("fontSize", Look),
        Field::Colour<&C::textColor>("textColor", Look),
        Field::Word<&C::fontStyle>("fontStyle", Look),
        Field::String<&C::fontName>("fontName", Look),
        Field::String<&C::streamAddresses>("streamAddresses", StreamAddress),
    });
    return &table;
}

const PropertyTable* XVideoPreviewFrame::Properties() const
{
    using namespace PropertyEffect;
    using C = XVideoPreviewFrame;
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        BorderRows(),
        {
            Prop::YesNo<&C::hollow>(PropertyId::kHollow, "89"),
            Prop::Colour<&C::fillColor>(PropertyId::kFillColour, "90"),
            Prop::Image<&C::imageFile>(PropertyId::kImage, "277", "96")
                .Button([](XControl& c, CMFCMyPropertyGridProperty&) {
                    static_cast<C&>(c).ChooseImage(false);
                }),
            Prop::Text<&C::text>(PropertyId::kText, "92"),
            FontNameRow(Redraw),
            Prop::Int<&C::fontSize>(PropertyId::kFontSize, "93", kMinFontSize, kMaxFontSize, "117"),
            Prop::Colour<&C::textColor>(PropertyId::kTextColour, "94"),
            StyleRow(Redraw),
            Prop::Text<&C::streamAddresses>(PropertyId::kStreamAddresses, "297")
                .Describe("255")
                .Hint("1217")
                .Normalise(&C::NormalizeStreamAddresses)
                .Effects(0),
        },
    });
    return &table;
}

bool XVideoPreviewFrame::Save(MyFile& file)
{
    if (!XControl::Save(file))
        return false;
    if (text.isEmpty())
        return true;
    return WriteTextImage(QString(), textColor, TextImageJob::Layout::OneLine);
}

void XVideoPreviewFrame::NormalizeBounds()
{
    SetBounds(Bounds()); // the image is stretched over the frame, whatever its size
}

void XVideoPreviewFrame::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    const IntRect b = Bounds();
    const QRect view = mainDelegate->MapRect(b).ToQRect();
    DrawFrame(dc, color, fillColor);
    if (imageFile != kNone && !view.isEmpty())
        DrawImage(dc, imageFile, view, kStretched);
    if (!text.isEmpty() && !view.isEmpty())
        DrawTextInRect(dc, QRectF(view), Face(ViewFontSize()), text, textColor, alignment, false, false);
    DrawSelectionMarks(dc);
}

void XVideoPreviewFrame::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
    if (oldWidth != 0 && oldHeight != 0) {
        const int scaled = static_cast<int>(std::trunc(static_cast<double>(fontSize) * newWidth / oldWidth));
        fontSize = std::clamp(scaled, kMinFontSize, kMaxFontSize);
    }
}

void XVideoPreviewFrame::CopyAppearance(const XControl& other)
{
    if (!Fields()->IsInstance(other))
        return;
    TakeSizeOf(other);
    XControl::CopyAppearance(other);
}

bool XVideoPreviewFrame::SetLinkText(const QString& addresses)
{
    if (addresses == streamAddresses)
        return false;
    streamAddresses = addresses;
    return true;
}
