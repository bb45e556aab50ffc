#pragma once

#include "XPhoto.h"

// A weather panel: the panel runtime fills it in; the editor shows the application's
// own weather picture stretched to the control.
class XWeather : public XPhoto {
public:
    XWeather();

    int GetType() const override { return ElementType::kWeather; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    void Draw(QPainter& dc) override;
    void OnDoubleClick(QPoint) override {} // it shows no project image
    void CopyAppearance(const XControl& other) override;

    QString weatherImagePath;
};
