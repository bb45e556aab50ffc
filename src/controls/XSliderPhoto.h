#pragma once

#include "XPhoto.h"

#include <memory>

class XSlider;

// One frame of a film-strip image (frames of equal height stacked top to bottom); on the
// panel it follows a slider of its page.
class XSliderPhoto : public XPhoto {
public:
    XSliderPhoto();

    int GetType() const override { return ElementType::kSliderPhoto; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    void Draw(QPainter& dc) override;
    void OnDoubleClick(QPoint point) override;
    void ResolveReferences() override;
    void RefreshReferences() override;
    void CopyAppearance(const XControl& other) override;

    // The slider followed while it lies on this picture's page, else null. A slider
    // taken off the page by a deletion is still remembered, so undoing the deletion
    // links it again; while it is off the page the picture follows none.
    XSlider* LinkedSlider() const;
    // The name written for the link: the slider's present name, "NONE" while the slider
    // is off the page or gone, or the kept name of a link that never resolved.
    QString LinkedSliderName() const;
    void SetLinkedSlider(XSlider* slider);
    // The frame drawn and the rows of an image of that height it covers.
    int ShownFrame() const;
    int FrameCount() const;
    QRect FrameRows(int imageWidth, int imageHeight) const;

    int frameCount = 1;
    int currentFrame = 1;

private:
    void KeepLinkName(const QString& name);

    QString linkedSliderName = QStringLiteral("NONE");
    XSlider* linkedSlider = nullptr; // valid only while linkLife has not expired
    std::weak_ptr<const bool> linkLife;
};
