#pragma once

#include "XButton.h"

// A button whose label is drawn in any installed font, style and alignment. On save the
// label is rendered twice into the text-image folder, in the normal and the pressed text
// colour ("_1"), since the panel shows those images rather than drawing the label.
class XFontButton : public XButton {
public:
    XFontButton();

    int GetType() const override { return ElementType::kFontButton; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    bool Save(MyFile& file) override;
    QStringList TextImageSuffixes() const override;
    bool SetFont(const FontDesc& font) override;

protected:
    void DrawLabel(QPainter& dc, const QRect& view, COLORREF colour) override;
    void DrawBadge(QPainter& dc, const QRect& view) override;
};
