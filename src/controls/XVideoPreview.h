#pragma once

#include "XFontText.h"

// A video preview: the panel runtime shows a grid of rows × columns streams; the editor
// shows the dark placeholder captioned with the type key and the grid size.
class XVideoPreview : public XFontText {
public:
    XVideoPreview();

    int GetType() const override { return ElementType::kVideoPreview; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    bool Save(MyFile& file) override { return XControl::Save(file); } // no text image
    QStringList TextImageSuffixes() const override { return {}; }
    void Draw(QPainter& dc) override;
    void NormalizeBounds() override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void CopyAppearance(const XControl& other) override;

    static constexpr int kMaxRows = 20;
    static constexpr int kMaxColumns = 20;

    int rows = 1;
    int columns = 5;
    int previewFlag = 0;
};

// "KEY : rows X columns", the caption of the grid-shaped video previews.
QString VideoGridCaption(const QString& typeKey, int rows, int columns);
