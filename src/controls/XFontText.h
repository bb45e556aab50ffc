#pragma once

#include "TextDrawing.h"
#include "model/XControl.h"

#include <QRectF>

#include <functional>

// A free-standing text in any installed font. Its size always equals the measured size
// of its text; on save the text is rendered into a transparent PNG in the project's
// text-image folder, which is what the panel shows. The base of the image, rectangle,
// button and page-container controls, which reuse its text fields and drawing.
class XFontText : public XControl {
public:
    XFontText();

    int GetType() const override { return 14; }
    void FillProperties(PropertyGridModel& grid) override;
    bool OnPropertyChanged(CMFCMyPropertyGridProperty& property) override;
    bool Save(MyFile& file) override;
    bool Load(MyFile& file, int version) override;
    void Draw(QPainter& dc) override;
    void Refresh() override;
    void NormalizeBounds() override;
    void CopyFrom(const XControl& other, bool withIdentity) override;
    bool SetTextColor(COLORREF c) override;
    bool SetFont(const FontDesc& font) override;
    bool SetText(const QString& newText) override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void CopyAppearance(const XControl& other) override;
    void DescribeFields(QJsonObject& out) const override;

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
    // Applies one edited row and returns whether the control changed; a refused value has
    // been put back into the row. Classes handle their own identifiers and pass the rest
    // to their base. OnPropertyChanged wraps it with the undo snapshot.
    virtual bool ApplyProperty(CMFCMyPropertyGridProperty& property);
    // The text rows of a font text (text, font, size, colour, direction, style).
    bool ApplyTextProperty(CMFCMyPropertyGridProperty& property, bool& handled);
    // Common handling of name, X1 and Y1 with a redraw.
    bool ApplyCommonProperty(CMFCMyPropertyGridProperty& property, bool& handled);
    // Width (1) and height (2) in 0..5000; sets x2 / y2 from x1 / y1.
    bool ApplySizeProperty(CMFCMyPropertyGridProperty& property, bool& handled);
    // Name, X1, Y1, width and height: the rows every sized control starts with.
    bool ApplyPlacementProperty(CMFCMyPropertyGridProperty& property, bool& handled);

    int ViewFontSize() const; // ScaleLength(fontSize), at least 1
    // The dark placeholder over the mapped rectangle with the text at the alignment.
    void DrawPlaceholder(QPainter& dc, const QRect& viewRect, bool withText);
    void DrawSelectionMarks(QPainter& dc) const;

    // Renders a transparent 32-bit image of exactly the control's size into the project's
    // text-image folder, named from the page and control names with the suffix; paint
    // draws into it. A control without area, or without a project folder to write into,
    // writes nothing and succeeds. Fails when no PNG encoder is available or the image
    // cannot be made; a file that cannot be written is reported to the user by name.
    bool WriteTextImage(const QString& suffix, const std::function<void(QPainter&, const QRectF&)>& paint);

    static QStringList StyleOptions();
    static QStringList DirectionOptions();
};
