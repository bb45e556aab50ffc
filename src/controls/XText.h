#pragma once

#include "model/ElementTypes.h"
#include "model/PropertyRows.h"
#include "model/XControl.h"

// A text the panel draws itself in the application font: the editor measures and draws
// it in that font and writes no image of it. Its size always equals the measured text.
class XText : public XControl {
public:
    XText();

    int GetType() const override { return ElementType::kText; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    bool Load(MyFile& file, int version) override;
    void Draw(QPainter& dc) override;
    void Refresh() override;
    void NormalizeBounds() override;
    bool SetTextColor(COLORREF c) override;
    bool SetText(const QString& newText) override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void CopyAppearance(const XControl& other) override;

    // The extent of text in the application font of the given cell height; a vertical
    // text runs downwards, so its width and height are swapped.
    static QSize MeasureApplicationText(const QString& text, int cellHeight, bool vertical);
    // Puts the sample of a content kind into text; kind 0 puts the type key back. A kind
    // this editor does not know keeps the text as it is.
    void ApplyContentKind(int kind);

    QString text = QStringLiteral("TEXT");
    COLORREF textColor = 0;
    int fontSize = 30;
    int vertical = 0;
    int alignment = 5;
    int contentKind = 0;

protected:
    int ViewFontSize() const; // ScaleLength(fontSize), at least 1
    void DrawSelectionMarks(QPainter& dc) const;
};
