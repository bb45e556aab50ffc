#pragma once

#include "XPhoto.h"

#include <memory>

// A slider the panel builds from up to three images; it sends its code as it moves.
// The editor shows the dark placeholder with its text and send-code badge.
class XSlider : public XPhoto {
public:
    XSlider();

    int GetType() const override { return ElementType::kSlider; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    void Draw(QPainter& dc) override;
    void Refresh() override { NormalizeBounds(); }
    void OnDoubleClick(QPoint point) override;
    bool SetValue(int v) override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void CopyAppearance(const XControl& other) override;

    // Lives exactly as long as this object: a slider picture that follows the slider
    // holds it weakly, so it can tell a slider kept by the undo history from a deleted one.
    std::weak_ptr<const bool> LifeToken() const { return life; }

    int sliderVertical = 0;
    int sliderSteps = 20;
    int sendCode = 0;
    QString sliderImage1 = QStringLiteral("NONE");
    QString sliderImage2 = QStringLiteral("NONE");
    QString sliderImage3 = QStringLiteral("NONE");
    QString sliderData;

private:
    std::shared_ptr<const bool> life = std::make_shared<const bool>(true);
};

// The placeholder of the level controls: dark fill, the text at the alignment in the
// control's font at the given view size, and the send code in red at the bottom right
// when it is not 0.
void DrawLevelPlaceholder(XFontText& control, QPainter& dc, const QRect& view, int viewSize, int alignment,
                          int sendCode);
