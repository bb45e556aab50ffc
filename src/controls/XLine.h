#pragma once

#include "model/ElementTypes.h"
#include "model/PropertyRows.h"
#include "model/XControl.h"

// A straight line from the first point to the second; the points keep their order, so
// the line keeps its direction.
class XLine : public XControl {
public:
    XLine();

    int GetType() const override { return ElementType::kLine; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    void Draw(QPainter& dc) override;
    void Refresh() override {}
    bool HitTest(QPoint point) const override;
    void NormalizeBounds() override {}

    int lineStyle = 0; // 0 plain pen, 1 wide pen with square ends
};
