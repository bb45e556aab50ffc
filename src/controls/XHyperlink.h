#pragma once

#include "XRectangle.h"

// A link area: an optional image with a text in any font on top, and data the panel
// runtime acts on. On save the text is rendered into an image for the panel.
class XHyperlink : public XRectangle {
public:
    XHyperlink();

    int GetType() const override { return ElementType::kHyperlink; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    bool Save(MyFile& file) override;
    void Draw(QPainter& dc) override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    bool SetLinkText(const QString& newText) override;

    QString linkData;
};
