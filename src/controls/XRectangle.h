#pragma once

#include "XPhoto.h"

// A filled or hollow rectangle with a border; the base of the buttons.
class XRectangle : public XPhoto {
public:
    XRectangle();

    int GetType() const override { return ElementType::kRectangle; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    void Draw(QPainter& dc) override;
    void Refresh() override;
    void CopyAppearance(const XControl& other) override;

    int hollow = 1;
    COLORREF fillColor = 0xFFFFFF;

protected:
    // Line width and line colour.
    static std::vector<PropertyRow> BorderRows();
    // The rectangle with the given border and fill colours, as the view shows it.
    void DrawFrame(QPainter& dc, COLORREF border, COLORREF fill) const;
};
