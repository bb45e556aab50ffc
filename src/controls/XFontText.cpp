#include "XFontText.h"

#include "ApplicationFont.h"
#include "ControlSupport.h"
#include "TextDrawing.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "model/ControlMainDelegate.h"
#include "model/ControlProjectDataDelegate.h"
#include "model/MyFile.h"
#include "model/ProjectData.h"
#include "model/TextImageWriter.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"
#include "model/WorkLimits.h"
#include "model/XPage.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonObject>
#include <QPainter>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace ControlSupport;

namespace {
constexpr COLORREF kPlaceholderColour = MakeRgb(46, 63, 93);
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 500;
}

XFontText::XFontText()
{
    text = QStringLiteral("FONTTEXT");
}

// ---------------------------------------------------------------- fonts and samples

const QString& XFontText::EffectiveFontName()
{
    if (fontName.isEmpty())
        fontName = IconTitleFontName();
    return fontName;
}

TextFace XFontText::Face(double points)
{
    return MakeTextFace(EffectiveFontName(), points, fontStyle);
}

QString XFontText::SampleText(int kind, const QString& typeKey)
{
    switch (kind) {
    case 1: {
        const QDate d = QDate::currentDate();
        return QString::asprintf("%4d-%02d-%02d", d.year(), d.month(), d.day());
    }
    case 2: {
        const QTime t = QTime::currentTime();
        return QString::asprintf("%02d:%02d", t.hour(), t.minute());
    }
    case 3:
    case 5: return QStringLiteral("-------------");
    case 4: return QStringLiteral("20～25°C");
    case 6: return QStringLiteral("192.168.168.234");
    case 7: return QString(26, u'-');
    case 8: return QStringLiteral("100%");
    default: return typeKey;
    }
}

int XFontText::ViewFontSize() const
{
    return std::max(1, mainDelegate ? mainDelegate->ScaleLength(fontSize) : fontSize);
}

// ---------------------------------------------------------------- fields and properties

const FieldTable* XFontText::Fields() const
{
    static const FieldTable table(0, 0, &IsA<XFontText>, {
        Field::Constant("marker", 1),
        Field::Name(),
        Field::Bounds(),
        Field::String<&XFontText::text>("text"),
        Field::Word<&XFontText::fontSize>("fontSize", FieldFlag::Look),
        Field::Word<&XFontText::vertical>("vertical", FieldFlag::Look),
        Field::Colour<&XFontText::textColor>("textColor", FieldFlag::Look),
        Field::Word<&XFontText::contentKind>("contentKind"),
        Field::Word<&XFontText::fontStyle>("fontStyle", FieldFlag::Look),
        Field::String<&XFontText::fontName>("fontName", FieldFlag::LookIfSet),
        Field::Copied<&XFontText::alignment>("alignment"),
    });
    return &table;
}

PropertyRow XFontText::FontNameRow(unsigned effects)
{
    PropertyRow row = Prop::Special(
        PropertyId::kFontName, "119", PropertyKind::Font,
        [](XControl& c) -> QVariant { return static_cast<XFontText&>(c).EffectiveFontName(); },
        [](XControl& c, CMFCMyPropertyGridProperty& p) {
            auto& t = static_cast<XFontText&>(c);
            const QString v = p.GetText();
            if (v.isEmpty() || v == t.EffectiveFontName()) {
                p.SetValue(t.EffectiveFontName());
                return false;
            }
            t.fontName = v;
            return true;
        },
        [](XControl&, CMFCMyPropertyGridProperty& p) { p.options = FontFamilyOptions(); });
    row.effects = effects;
    return row;
}

PropertyRow XFontText::StyleRow(unsigned effects)
{
    return Prop::Choice<&XFontText::fontStyle>(PropertyId::kFontStyle, "120", {"121", "122", "123", "124"})
        .Effects(effects);
}

const PropertyTable* XFontText::Properties() const
{
    using namespace PropertyEffect;
    static const PropertyTable table({
        Prop::NameRows(),
        {
            Prop::Text<&XFontText::text>(PropertyId::kText, "92")
                .Accepts([](const XControl& c, const QString& v) {
                    return static_cast<const XFontText&>(c).contentKind == 0 && !v.isEmpty();
                })
                .EnabledWhen([](const XControl& c) { return static_cast<const XFontText&>(c).contentKind == 0; })
                .Effects(Redraw | Refit),
            FontNameRow(Redraw | Refit | Reselect),
            Prop::Int<&XFontText::fontSize>(PropertyId::kFontSize, "93", kMinFontSize, kMaxFontSize, "117")
                .Effects(Redraw | Refit | Reselect),
            Prop::Colour<&XFontText::textColor>(PropertyId::kTextColour, "94"),
            Prop::Choice<&XFontText::vertical>(PropertyId::kDirection, "130", {"131", "132"}).Effects(Redraw | Refit),
            StyleRow(Redraw | Refit | Reselect),
        },
    });
    return &table;
}

bool XFontText::ApplyProperty(CMFCMyPropertyGridProperty& property)
{
    if (property.data != PropertyId::kContentKind)
        return XControl::ApplyProperty(property);
    // Not offered in the list, but a content kind set through the row replaces the text
    // with its sample.
    const QStringList kinds = QStringList{kNone} + Translated({"127", "125", "126", "128", "129", "201", "202", "203"});
    const int v = ChosenIndex(property, kinds);
    if (v < 0 || v == contentKind)
        return false;
    contentKind = v;
    text = SampleText(v, GetTypeKey());
    NormalizeBounds();
    InvalidatePageWindow();
    if (mainDelegate)
        mainDelegate->SelectElement(this);
    return true;
}

// ---------------------------------------------------------------- file

bool XFontText::Save(MyFile& file)
{
    if (!XControl::Save(file))
        return false;
    if (text.isEmpty())
        return true;
    return WriteTextImage(QString(), textColor, TextImageJob::Layout::AtCorner);
}

QStringList XFontText::TextImageSuffixes() const
{
    const IntRect b = Bounds();
    if (text.isEmpty() || b.Width() <= 0 || b.Height() <= 0)
        return {};
    return {QString()};
}

bool XFontText::WriteTextImage(const QString& suffix, COLORREF colour, TextImageJob::Layout layout)
{
    ProjectData* project = projectData ? projectData->GetProject() : nullptr;
    TextImageWriter* writer = project ? project->TextImages() : nullptr;
    if (!writer || !page)
        return true; // a record written for another purpose than a save: no images
    const char* encoder = mainDelegate ? mainDelegate->GetPngEncoder() : "png";
    if (!encoder)
        return false;
    const IntRect b = Bounds();
    if (b.Width() <= 0 || b.Height() <= 0)
        return true; // no pixels to show: no image, and the project stays savable
    auto job = std::make_unique<TextImageJob>();
    job->face = Face(std::max(1, fontSize));
    job->text = text;
    job->colour = colour;
    job->alignment = alignment;
    job->vertical = layout == TextImageJob::Layout::AtCorner && vertical != 0;
    job->layout = layout;
    job->width = b.Width();
    job->height = b.Height();
    job->format = encoder;
    writer->Offer(TextImageFileName(page->name, name, suffix), std::move(job));
    return true;
}

// ---------------------------------------------------------------- geometry and drawing

void XFontText::NormalizeBounds()
{
    SetBounds(Bounds());
    if (fontSize <= 0)
        return; // no font of that size: the size stays as it was
    int width = 0;
    int height = 0;
    MeasureTextPixels(Face(fontSize), text, vertical != 0, width, height);
    x2 = x1 + width;
    y2 = y1 + height;
}

void XFontText::Refresh()
{
    NormalizeBounds();
    InvalidatePageWindow();
}

void XFontText::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    if (!text.isEmpty() && fontSize > 0) {
        const IntRect r = mainDelegate->MapRect(Bounds());
        DrawTextAt(dc, QPointF(r.left, r.top), Face(ViewFontSize()), text, textColor, vertical != 0);
    }
    DrawSelectionMarks(dc);
}

void XFontText::DrawSelectionMarks(QPainter& dc) const
{
    if (!selected)
        return;
    DrawSelectionFrame(dc);
    DrawEndHandles(dc);
}

void XFontText::DrawPlaceholder(QPainter& dc, const QRect& viewRect, bool withText)
{
    if (viewRect.isEmpty())
        return;
    dc.fillRect(viewRect, ToQColor(kPlaceholderColour));
    if (withText)
        DrawTextInRect(dc, QRectF(viewRect), Face(ViewFontSize()), text, textColor, alignment,
                       vertical != 0, true);
}

// ---------------------------------------------------------------- copies and brushes

bool XFontText::SetTextColor(COLORREF c)
{
    c &= 0xFFFFFF;
    if (c == textColor)
        return false;
    textColor = c;
    return true;
}

bool XFontText::SetFont(const FontDesc& font)
{
    const int size = std::clamp(font.size, kMinFontSize, kMaxFontSize);
    const int style = std::clamp(font.style, 0, 3);
    const QString family = font.name.isEmpty() ? fontName : font.name;
    if (size == fontSize && style == fontStyle && family == fontName)
        return false;
    fontSize = size;
    fontStyle = style;
    fontName = family;
    NormalizeBounds();
    return true;
}

bool XFontText::SetText(const QString& newText)
{
    if (newText == text)
        return false;
    text = newText;
    NormalizeBounds();
    return true;
}

void XFontText::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
    if (oldWidth != 0 && oldHeight != 0) {
        const int scaled = static_cast<int>(std::trunc(static_cast<double>(fontSize) * newWidth / oldWidth));
        // A size outside 1..500 could neither be measured nor edited again.
        fontSize = std::clamp(scaled, kMinFontSize, kMaxFontSize);
    }
    NormalizeBounds();
}

void XFontText::CopyAppearance(const XControl& other)
{
    if (!Fields()->IsInstance(other))
        return;
    XControl::CopyAppearance(other);
    NormalizeBounds();
}
