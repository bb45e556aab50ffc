#pragma once

#include "XFontText.h"

class QImage;

// An image from the project's image folder, shown clipped (mode 0), stretched (1) or at
// its natural size (2). Without an image it shows a dark placeholder with its text.
class XPhoto : public XFontText {
public:
    XPhoto();

    int GetType() const override { return ElementType::kPhoto; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    bool Save(MyFile& file) override { return XControl::Save(file); } // no text image
    QStringList TextImageSuffixes() const override { return {}; }
    void Draw(QPainter& dc) override;
    void NormalizeBounds() override;
    void OnDoubleClick(QPoint point) override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void CopyAppearance(const XControl& other) override;

    // Draws a project image into a view rectangle (mode 0 takes only the top-left part
    // that fits the control, in project pixels). False when the image cannot be loaded.
    bool DrawImage(QPainter& dc, const QString& image, const QRect& viewRect, int mode) const;
    // Lets the user pick an image file, takes it into the project and records the change;
    // pressed chooses the pressed-state image of a button. False when nothing changed.
    virtual bool ChooseImage(bool pressed = false);

    QString imageFile = QStringLiteral("NONE");
    int imageMode = 1;
    QString imageFilter = QStringLiteral("(*.jpg)(*.png)(*.bmp)(*.gif)|*.jpg;*.png;*.bmp;*.gif||");

protected:
    // The natural size of a project image, or an invalid size.
    QSize ImageSize(const QString& image) const;
    // Sets the image of the state chosen by pressed; used by ChooseImage.
    virtual void SetImageName(bool pressed, const QString& image);
    // Whether changing the image of that state changes what the view shows now.
    virtual bool ShowsState(bool pressed) const { return !pressed; }
};
