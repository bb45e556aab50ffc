#pragma once

#include "XFontText.h"

// A network camera view: the panel runtime shows the camera's stream; the editor keeps
// the camera's address and credentials and shows the dark placeholder with its text.
class XWebCamera : public XFontText {
public:
    XWebCamera();

    int GetType() const override { return ElementType::kWebCamera; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    bool Save(MyFile& file) override { return XControl::Save(file); } // no text image
    QStringList TextImageSuffixes() const override { return {}; }
    void Draw(QPainter& dc) override;
    void NormalizeBounds() override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void CopyAppearance(const XControl& other) override;

    QString cameraAddress;
    QString userName;
    QString password;
};
