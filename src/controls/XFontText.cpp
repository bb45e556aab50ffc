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
#include "model/PropertyGridModel.h"
#include "model/WorkLimits.h"
#include "model/XPage.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonObject>
#include <QPainter>
#include <QSaveFile>
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

QStringList XFontText::StyleOptions()
{
    return Translated({"121", "122", "123", "124"});
}

QStringList XFontText::DirectionOptions()
{
    return Translated({"131", "132"});
}

int XFontText::ViewFontSize() const
{
    return std::max(1, mainDelegate ? mainDelegate->ScaleLength(fontSize) : fontSize);
}

// ---------------------------------------------------------------- properties

void XFontText::FillProperties(PropertyGridModel& grid)
{
    grid.RemoveAll();
    auto* group = grid.AddGroup(Translate("20"));
    AddNameRows(*group, *this);
    group->AddText(Translate("92"), text, QString(), 14)->enabled = contentKind == 0;
    group->AddFont(Translate("119"), EffectiveFontName(), FontFamilyOptions(), QString(), 42);
    group->AddInt(Translate("93"), fontSize, QString(), 15);
    group->AddColor(Translate("94"), textColor, QString(), 13)->buttonCaption = Translate("88");
    const QStringList directions = DirectionOptions();
    group->AddOptions(Translate("130"), directions.value(vertical ? 1 : 0), directions, false, QString(), 16);
    const QStringList styles = StyleOptions();
    group->AddOptions(Translate("120"), styles.value(fontStyle), styles, false, QString(), 41);
    SetOwner(grid, this);
}

bool XFontText::OnPropertyChanged(CMFCMyPropertyGridProperty& property)
{
    std::unique_ptr<XControl> before(Clone(true));
    if (!ApplyProperty(property))
        return false;
    RecordChange(before.release());
    return true;
}

bool XFontText::ApplyProperty(CMFCMyPropertyGridProperty& property)
{
    bool handled = false;
    const bool changed = ApplyCommonProperty(property, handled);
    if (handled)
        return changed;
    return ApplyTextProperty(property, handled);
}

bool XFontText::ApplyCommonProperty(CMFCMyPropertyGridProperty& property, bool& handled)
{
    bool changed = false;
    handled = HandleCommonProperty(property, &changed);
    if (changed)
        InvalidatePageWindow();
    return changed;
}

bool XFontText::ApplyPlacementProperty(CMFCMyPropertyGridProperty& property, bool& handled)
{
    const bool changed = ApplyCommonProperty(property, handled);
    return handled ? changed : ApplySizeProperty(property, handled);
}

bool XFontText::ApplySizeProperty(CMFCMyPropertyGridProperty& property, bool& handled)
{
    handled = property.data == 1 || property.data == 2;
    if (!handled)
        return false;
    const IntRect b = Bounds();
    const bool width = property.data == 1;
    const int old = width ? b.Width() : b.Height();
    int v = 0;
    if (!AcceptInt(property, 0, 5000, width ? QStringLiteral("115") : QStringLiteral("116"), old, v))
        return false;
    if (v == old && (width ? x1 <= x2 : y1 <= y2))
        return false;
    if (width)
        x2 = x1 + v;
    else
        y2 = y1 + v;
    InvalidatePageWindow();
    return true;
}

bool XFontText::ApplyTextProperty(CMFCMyPropertyGridProperty& property, bool& handled)
{
    handled = true;
    auto refit = [this](bool select) {
        NormalizeBounds();
        InvalidatePageWindow();
        if (select && mainDelegate)
            mainDelegate->SelectElement(this);
    };
    switch (property.data) {
    case 14: {
        const QString v = property.GetText();
        if (contentKind != 0 || v.isEmpty()) {
            property.SetValue(text); // refused without a message
            return false;
        }
        if (v == text)
            return false;
        text = v;
        refit(false);
        return true;
    }
    case 42: {
        const QString v = property.GetText();
        if (v.isEmpty() || v == EffectiveFontName()) {
            property.SetValue(EffectiveFontName());
            return false;
        }
        fontName = v;
        refit(true);
        return true;
    }
    case 15: {
        int v = 0;
        if (!AcceptInt(property, kMinFontSize, kMaxFontSize, QStringLiteral("117"), fontSize, v) || v == fontSize)
            return false;
        fontSize = v;
        refit(true);
        return true;
    }
    case 13: {
        const COLORREF c = property.GetColor() & 0xFFFFFF;
        if (c == textColor)
            return false;
        textColor = c;
        InvalidatePageWindow();
        return true;
    }
    case 16: {
        const int v = property.GetText() == Translate("131") ? 0 : 1;
        if (v == vertical)
            return false;
        vertical = v;
        refit(false);
        return true;
    }
    case 41: {
        const int v = ChosenIndex(property, StyleOptions());
        if (v < 0) {
            property.SetValue(StyleOptions().value(fontStyle));
            return false;
        }
        if (v == fontStyle)
            return false;
        fontStyle = v;
        refit(true);
        return true;
    }
    case 36: {
        const QStringList kinds = QStringList{kNone}
            + Translated({"127", "125", "126", "128", "129", "201", "202", "203"});
        const int v = ChosenIndex(property, kinds);
        if (v < 0 || v == contentKind)
            return false;
        contentKind = v;
        text = SampleText(v, GetTypeKey());
        refit(true);
        return true;
    }
    default:
        handled = false;
        return false;
    }
}

// ---------------------------------------------------------------- file

bool XFontText::Save(MyFile& file)
{
    if (!(WriteRecordVersion(file) && WriteType(file) && file.WriteWord(1) && WriteName(file)
          && WriteBounds(file) && file.WriteString(text) && file.WriteWord(fontSize)
          && file.WriteWord(vertical) && file.WriteColor(textColor) && file.WriteWord(contentKind)
          && file.WriteWord(fontStyle) && file.WriteString(fontName)))
        return false;
    if (text.isEmpty())
        return true;
    return WriteTextImage(QString(), [this](QPainter& p, const QRectF&) {
        DrawTextAt(p, QPointF(0, 0), Face(std::max(1, fontSize)), text, textColor, vertical != 0);
    });
}

bool XFontText::Load(MyFile& file, int version)
{
    if (version != 0)
        return false;
    recordVersion = 0;
    file.ReadWord(); // always 1
    ReadName(file);
    ReadBounds(file);
    text = file.ReadString();
    fontSize = file.ReadWord();
    vertical = file.ReadWord();
    textColor = file.ReadColor();
    contentKind = file.ReadWord();
    fontStyle = file.ReadWord();
    fontName = file.ReadString();
    return !file.Failed();
}

bool XFontText::WriteTextImage(const QString& suffix,
                               const std::function<void(QPainter&, const QRectF&)>& paint)
{
    ProjectData* project = projectData ? projectData->GetProject() : nullptr;
    if (!project || project->folder.isEmpty() || !page)
        return true; // nothing to write beside: a record written to memory
    const char* encoder = mainDelegate ? mainDelegate->GetPngEncoder() : "png";
    if (!encoder)
        return false;
    const IntRect b = Bounds();
    if (b.Width() <= 0 || b.Height() <= 0)
        return true; // no pixels to show: no image, and the project stays savable
    // A damaged or hand-edited file may hold a control far bigger than any page; the panel
    // cannot show more than a page of it, so the image keeps the top-left part.
    const int width = WorkLimits::ClampImageSide(b.Width());
    const int height = WorkLimits::ClampImageSide(b.Height());
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        return false;
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        if (!painter.isActive())
            return false;
        painter.setClipRect(0, 0, width, height);
        paint(painter, QRectF(0, 0, b.Width(), b.Height()));
    }
    const QString folder = project->GetTextImageFolder();
    const QString path = folder + u'/' + TextImageFileName(page->name, name, suffix);
    QDir().mkpath(folder);
    QSaveFile out(path);
    if (!(out.open(QIODevice::WriteOnly) && image.save(&out, encoder) && out.commit()))
        ShowMessageText(TranslateFormat("961", {QDir::toNativeSeparators(path)}), QStringLiteral("70"));
    return true;
}

void XFontText::DescribeFields(QJsonObject& out) const
{
    XControl::DescribeFields(out);
    out.insert(QStringLiteral("text"), text);
    out.insert(QStringLiteral("fontSize"), fontSize);
    out.insert(QStringLiteral("vertical"), vertical);
    out.insert(QStringLiteral("textColor"), static_cast<qint64>(textColor));
    out.insert(QStringLiteral("contentKind"), contentKind);
    out.insert(QStringLiteral("fontStyle"), fontStyle);
    out.insert(QStringLiteral("fontName"), fontName);
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

void XFontText::CopyFrom(const XControl& other, bool withIdentity)
{
    XControl::CopyFrom(other, withIdentity);
    const auto* o = dynamic_cast<const XFontText*>(&other);
    if (!o)
        return;
    text = o->text;
    textColor = o->textColor;
    fontSize = o->fontSize;
    vertical = o->vertical;
    alignment = o->alignment;
    contentKind = o->contentKind;
    fontStyle = o->fontStyle;
    fontName = o->fontName;
}

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
    const auto* o = dynamic_cast<const XFontText*>(&other);
    if (!o)
        return;
    if (!o->fontName.isEmpty())
        fontName = o->fontName;
    fontSize = o->fontSize;
    textColor = o->textColor;
    vertical = o->vertical;
    fontStyle = o->fontStyle;
    NormalizeBounds();
}
