#include "XVideoPreview.h"

#include "base/Translation.h"
#include "model/ControlMainDelegate.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"

#include <QPainter>

namespace {
constexpr int kCentred = 5;
}

QString VideoGridCaption(const QString& typeKey, int rows, int columns)
{
    return FormatText(QStringLiteral("%s : %d X %d"), {typeKey, QString::number(rows), QString::number(columns)});
}

XVideoPreview::XVideoPreview()
{
    text = QStringLiteral("VIDEOPREVIEW");
    textColor = 0xFFFFFF;
    lineWidth = 0;
}

const FieldTable* XVideoPreview::Fields() const
{
    using namespace FieldFlag;
    static const FieldTable table(0, 0, &IsA<XVideoPreview>, {
        Field::Name(),
        Field::Bounds(),
        Field::Word<&XVideoPreview::rows>("rows", Look),
        Field::Word<&XVideoPreview::columns>("columns", Look),
        Field::Word<&XVideoPreview::previewFlag>("previewFlag", Look),
    });
    return &table;
}

const PropertyTable* XVideoPreview::Properties() const
{
    using namespace PropertyEffect;
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        {
            Prop::Int<&XVideoPreview::rows>(PropertyId::kRows, "238", 1, kMaxRows, "240"),
            Prop::Int<&XVideoPreview::columns>(PropertyId::kColumns, "239", 1, kMaxColumns, "241")
                .Effects(Redraw | Refit),
            Prop::YesNo<&XVideoPreview::previewFlag>(PropertyId::kPreviewFlag, "1216").Describe("1209").Effects(0),
        },
    });
    return &table;
}

void XVideoPreview::NormalizeBounds()
{
    SetBounds(Bounds()); // the size is the user's; the caption only labels it
}

void XVideoPreview::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    const QRect view = mainDelegate->MapRect(Bounds()).ToQRect();
    DrawPlaceholder(dc, view, false);
    if (!view.isEmpty())
        DrawTextInRect(dc, QRectF(view), Face(ViewFontSize()), VideoGridCaption(GetTypeKey(), rows, columns),
                       textColor, kCentred, false, false);
    DrawSelectionMarks(dc);
}

void XVideoPreview::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    // Its font is not stored, so only the bounds follow a new project size.
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
}

void XVideoPreview::CopyAppearance(const XControl& other)
{
    if (!Fields()->IsInstance(other))
        return;
    TakeSizeOf(other);
    XControl::CopyAppearance(other); // rows, columns and the preview flag
}
