#pragma once

#include "XFontText.h"

// A picker: the panel offers the entries of its data and sends its code; the editor
// shows the dark placeholder with the picker's text.
class XPicker : public XFontText {
public:
    XPicker();

    int GetType() const override { return ElementType::kPicker; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    bool Save(MyFile& file) override { return XControl::Save(file); } // no text image
    void Draw(QPainter& dc) override;
    void NormalizeBounds() override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void CopyAppearance(const XControl& other) override;

    // Full-width semicolons become ";" and one final ";" is dropped; blanks stay.
    static QString NormalizeData(const QString& data);

    QString pickerData;
    int sendCode = 0;
};
