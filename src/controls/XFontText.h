#pragma once

#include "TextDrawing.h"
#include "TextImage.h"
#include "model/ElementTypes.h"
#include "model/PropertyRows.h"
#include "model/XControl.h"


// A free-standing text in any installed font. Its size always equals the measured size
// of its text; on save the text is rendered into a transparent PNG in the project's
// text-image folder, which is what the panel shows. The base of the image, rectangle,
// button and page-container controls, which reuse its text fields and drawing.
class XFontText : public XControl {
public:
    XFontText();

    int GetType() const override { return ElementType::kFontText; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    bool Save(MyFile& file) override;
    QStringList TextImageSuffixes() const override;
    void Draw(QPainter& dc) override;
    void Refresh() override;
    void NormalizeBounds() override;
    bool SetTextColor(COLORREF c) override;
    bool SetFont(const FontDesc& font) override;
    bool SetText(const QString& newText) override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void CopyAppearance(const XControl& other) override;

    // The font family after the empty-name substitution, which happens the first time a
    // font is needed: an empty name becomes the system's icon-title font.
    const QString& EffectiveFontName();
    TextFace Face(double points);
    // The text a content kind puts into the control (kind 0: the type key).
    static QString SampleText(int kind, const QString& typeKey);

    QString text;
    COLORREF textColor = 0;
    int fontSize = 20;
    int vertical = 0;
    int alignment = 5;
    int contentKind = 0;
    int fontStyle = 0;
    QString fontName;

protected:
    bool ApplyProperty(CMFCMyPropertyGridProperty& property) override;
    // The font family and style rows, shared with the font button.
    static PropertyRow FontNameRow(unsigned effects);
    static PropertyRow StyleRow(unsigned effects);

    int ViewFontSize() const; // ScaleLength(fontSize), at least 1
    // The dark placeholder over the mapped rectangle with the text at the alignment.
    void DrawPlaceholder(QPainter& dc, const QRect& viewRect, bool withText);
    void DrawSelectionMarks(QPainter& dc) const;

    // Offers the save under way a text image of exactly the control's size in the colour
    // and layout, named from the page and control names with the suffix. A control
    // without area, or a record written for another purpose than a save, offers nothing
    // and succeeds. Fails when no PNG encoder is available.
    bool WriteTextImage(const QString& suffix, COLORREF colour, TextImageJob::Layout layout);

};
