#pragma once

#include "XRectangle.h"

// A video preview frame: a rectangle with an optional image and caption, and the RTSP
// addresses of the streams the panel runtime shows in it, separated by ";". The stream
// brush stamps generated address lists onto it. On save a caption is rendered into its
// text image for the panel.
class XVideoPreviewFrame : public XRectangle {
public:
    XVideoPreviewFrame();

    int GetType() const override { return ElementType::kVideoPreviewFrame; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    bool Save(MyFile& file) override;
    QStringList TextImageSuffixes() const override { return XFontText::TextImageSuffixes(); }
    void Draw(QPainter& dc) override;
    void NormalizeBounds() override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void CopyAppearance(const XControl& other) override;
    bool SetLinkText(const QString& addresses) override;

    // An edited address list as it is kept: trimmed, full-width semicolons made ";",
    // one ";" at the very end dropped.
    static QString NormalizeStreamAddresses(const QString& typed);

    QString streamAddresses;
};
