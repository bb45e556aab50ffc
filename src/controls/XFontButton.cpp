#include "XFontButton.h"

#include "ApplicationFont.h"
#include "TextDrawing.h"
#include "base/Translation.h"
#include "model/ControlMainDelegate.h"
#include "model/MyFile.h"
#include "model/PropertyGridModel.h"

#include <QJsonObject>
#include <QPainter>

#include <algorithm>

using namespace ControlSupport;

XFontButton::XFontButton()
{
    text = QStringLiteral("FONTBTN");
    fontName.clear(); // the icon-title font, chosen the first time a font is needed
}

void XFontButton::FillProperties(PropertyGridModel& grid)
{
    grid.RemoveAll();
    auto* group = grid.AddGroup(Translate("20"));
    AddAppearanceRows(*group);
    group->AddFont(Translate("119"), EffectiveFontName(), FontFamilyOptions(), QString(), 42);
    group->AddInt(Translate("93"), fontSize, QString(), 15);
    group->AddColor(Translate("94"), textColor, QString(), 13)->buttonCaption = Translate("88");
    group->AddColor(Translate("95"), pressedTextColor, QString(), 19)->buttonCaption = Translate("88");
    const QStringList styles = StyleOptions();
    group->AddOptions(Translate("120"), styles.value(fontStyle), styles, false, QString(), 41);
    AddActionRows(*group);
    SetOwner(grid, this);
}

bool XFontButton::ApplyProperty(CMFCMyPropertyGridProperty& property)
{
    switch (property.data) {
    case 42: {
        const QString v = property.GetText();
        if (v.isEmpty() || v == EffectiveFontName()) {
            property.SetValue(EffectiveFontName());
            return false;
        }
        fontName = v;
        InvalidatePageWindow();
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
        InvalidatePageWindow();
        return true;
    }
    default:
        return XButton::ApplyProperty(property);
    }
}

bool XFontButton::Save(MyFile& file)
{
    if (!(WriteRecordVersion(file) && WriteType(file) && file.WriteWord(1) && WriteName(file)
          && WriteBounds(file) && SaveLook(file) && file.WriteWord(fontStyle) && file.WriteString(fontName)))
        return false;
    if (!text.isEmpty()) {
        for (const bool pressed : {false, true}) {
            const COLORREF colour = pressed ? pressedTextColor : textColor;
            const bool ok = WriteTextImage(pressed ? QStringLiteral("_1") : QString(),
                                           [this, colour](QPainter& p, const QRectF& rect) {
                                               DrawTextInRect(p, rect, Face(std::max(1, fontSize)), text,
                                                              colour, alignment, false, true);
                                           });
            if (!ok)
                return false;
        }
    }
    return SaveActions(file);
}

bool XFontButton::Load(MyFile& file, int version)
{
    if (version != 0 && version != 1)
        return false;
    recordVersion = 1;
    file.ReadWord(); // always 1
    ReadName(file);
    ReadBounds(file);
    LoadLook(file);
    fontStyle = file.ReadWord();
    fontName = file.ReadString();
    LoadActions(file, version);
    return !file.Failed();
}

void XFontButton::DescribeFields(QJsonObject& out) const
{
    XButton::DescribeFields(out);
    out.insert(QStringLiteral("fontStyle"), fontStyle);
    out.insert(QStringLiteral("fontName"), fontName);
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
