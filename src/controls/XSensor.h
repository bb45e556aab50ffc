#pragma once

#include "XText.h"

// A sensor read-out: the panel shows the value of sensor sensorNumber in the
// application font; the editor shows the sensor's number centred in its rectangle.
class XSensor : public XText {
public:
    XSensor();

    int GetType() const override { return ElementType::kSensor; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    void Draw(QPainter& dc) override;
    void NormalizeBounds() override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void CopyAppearance(const XControl& other) override;

    int sensorNumber = 0;
};
