#pragma once

#include "XButton.h"

// A button whose label is drawn in any installed font, style and alignment. On save the
// label is rendered twice into the text-image folder, in the normal and the pressed text
// colour ("_1"), since the panel shows those images rather than drawing the label.
class XFontButton : public XButton {
public:
    XFontButton();

    int GetType() const override { return 15; }
    void FillProperties(PropertyGridModel& grid) override;
    bool Save(MyFile& file) override;
    bool Load(MyFile& file, int version) override;
    bool SetFont(const FontDesc& font) override;
    void DescribeFields(QJsonObject& out) const override;

protected:
    bool ApplyProperty(CMFCMyPropertyGridProperty& property) override;
    void DrawLabel(QPainter& dc, const QRect& view, COLORREF colour) override;
    void DrawBadge(QPainter& dc, const QRect& view) override;
};
