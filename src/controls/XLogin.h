#pragma once

#include "XRectangle.h"

// The panel's login form: a background colour or image and the four colours the panel
// runtime paints the form with.
class XLogin : public XRectangle {
public:
    XLogin();

    int GetType() const override { return ElementType::kLogin; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    void Draw(QPainter& dc) override;

    COLORREF backColor = 0xFFFFFF;
    COLORREF loginColor1 = 0;
    COLORREF loginColor2 = MakeRgb(0, 163, 255);
    COLORREF loginColor3 = MakeRgb(9, 140, 188);
    COLORREF loginColor4 = 0xFFFFFF;
};
