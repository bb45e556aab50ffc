#include "XText.h"

#include "ControlSupport.h"
#include "TextDrawing.h"
#include "XFontText.h"
#include "model/ControlMainDelegate.h"
#include "model/FieldTable.h"
#include "model/MyFile.h"
#include "model/PropertyRows.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 500;
constexpr int kLastContentKind = 8;
}

XText::XText() = default;

// ---------------------------------------------------------------- fields and properties

const FieldTable* XText::Fields() const
{
    using namespace FieldFlag;
    static const FieldTable table(0, 0, &IsA<XText>, {
        Field::Name(),
        Field::Bounds(),
        Field::String<&XText::text>("text"),
        Field::Word<&XText::fontSize>("fontSize", Look),
        Field::Word<&XText::vertical>("vertical", Look),
        Field::Colour<&XText::textColor>("textColor", Look),
        Field::Word<&XText::contentKind>("contentKind", Look),
        Field::Copied<&XText::alignment>("alignment"),
    });
    return &table;
}

const PropertyTable* XText::Properties() const
{
    using namespace PropertyEffect;
    PropertyRow content = Prop::Choice<&XText::contentKind>(
                              PropertyId::kContentKind, "276",
                              {"127", "125", "126", "128", "129", "201", "202", "203"}, true)
                              .Describe("161")
                              .Effects(Redraw | Refit | Reselect);
    content.setInt = [](XControl& c, qint64 v) { static_cast<XText&>(c).ApplyContentKind(static_cast<int>(v)); };
    static const PropertyTable table({
        Prop::NameRows(),
        {
            Prop::Text<&XText::text>(PropertyId::kText, "92")
                .Accepts([](const XControl& c, const QString& v) {
                    return static_cast<const XText&>(c).contentKind == 0 && !v.isEmpty();
                })
                .EnabledWhen([](const XControl& c) { return static_cast<const XText&>(c).contentKind == 0; })
                .Effects(Redraw | Refit),
            Prop::Int<&XText::fontSize>(PropertyId::kFontSize, "93", kMinFontSize, kMaxFontSize, "117")
                .Effects(Redraw | Refit),
            Prop::Choice<&XText::vertical>(PropertyId::kDirection, "130", {"131", "132"}).Effects(Redraw | Refit),
            Prop::Colour<&XText::textColor>(PropertyId::kTextColour, "94"),
            content,
        },
    });
    return &table;
}

void XText::ApplyContentKind(int kind)
{
    contentKind = kind;
    if (kind >= 0 && kind <= kLastContentKind)
        text = XFontText::SampleText(kind, GetTypeKey());
}

bool XText::Load(MyFile& file, int version)
{
    if (!XControl::Load(file, version))
        return false;
    // A date or time kind shows the moment of loading.
    if (contentKind != 0)
        ApplyContentKind(contentKind);
    return true;
}

// ---------------------------------------------------------------- geometry and drawing

QSize XText::MeasureApplicationText(const QString& text, int cellHeight, bool vertical)
{
    int width = 0;
    int height = 0;
    MeasureTextPixels(ApplicationFace(std::max(1, cellHeight)), text, false, width, height);
    return vertical ? QSize(height, width) : QSize(width, height);
}

void XText::NormalizeBounds()
{
    SetBounds(Bounds());
    if (fontSize <= 0)
        return;
    const QSize size = MeasureApplicationText(text, fontSize, vertical != 0);
    x2 = x1 + size.width();
    y2 = y1 + size.height();
}

void XText::Refresh()
{
    NormalizeBounds();
    InvalidatePageWindow();
}

int XText::ViewFontSize() const
{
    return std::max(1, mainDelegate ? mainDelegate->ScaleLength(fontSize) : fontSize);
}

void XText::DrawSelectionMarks(QPainter& dc) const
{
    if (!selected)
        return;
    DrawSelectionFrame(dc);
    DrawEndHandles(dc);
}

void XText::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    if (!text.isEmpty() && fontSize > 0) {
        const IntRect r = mainDelegate->MapRect(Bounds());
        const int cell = ViewFontSize();
        const TextFace face = ApplicationFace(cell);
        if (vertical) {
            // Turned a quarter clockwise, as a vertical font runs: the baseline's start
            // lies at the right edge of the measured box.
            const QSize size = MeasureApplicationText(text, cell, true);
            dc.save();
            dc.translate(r.left + size.width(), r.top);
            dc.rotate(90.0);
            DrawTextAt(dc, QPointF(0, 0), face, text, textColor, false);
            dc.restore();
        } else {
            DrawTextAt(dc, QPointF(r.left, r.top), face, text, textColor, false);
        }
    }
    DrawSelectionMarks(dc);
}

// ---------------------------------------------------------------- copies and brushes

bool XText::SetTextColor(COLORREF c)
{
    c &= 0xFFFFFF;
    if (c == textColor)
        return false;
    textColor = c;
    return true;
}

bool XText::SetText(const QString& newText)
{
    if (newText == text)
        return false;
    text = newText;
    NormalizeBounds();
    return true;
}

void XText::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
    if (oldWidth != 0 && oldHeight != 0) {
        const int scaled = static_cast<int>(std::trunc(static_cast<double>(fontSize) * newWidth / oldWidth));
        fontSize = std::clamp(scaled, kMinFontSize, kMaxFontSize);
    }
    NormalizeBounds();
}

void XText::CopyAppearance(const XControl& other)
{
    if (!Fields()->IsInstance(other))
        return;
    XControl::CopyAppearance(other);
    if (contentKind != 0)
        text = static_cast<const XText&>(other).text;
    NormalizeBounds();
}
