#pragma once

#include "XPhoto.h"

// What the two volume bars share: the look settings the panel runtime draws the bar
// from. The editor only stores them and shows the dark placeholder, the image and the text.
class XVolumeLook : public XPhoto {
public:
    XVolumeLook();

    void Draw(QPainter& dc) override;
    void CopyAppearance(const XControl& other) override;

    COLORREF volumeColor1 = MakeRgb(0, 24, 46);
    COLORREF volumeColor2 = MakeRgb(28, 54, 78);
    COLORREF volumeColor3 = 0xFFFFFF;
    COLORREF volumeColor4 = MakeRgb(50, 157, 255);
    COLORREF volumeColor5 = 0xFFFFFF;
    COLORREF volumeColor6 = MakeRgb(200, 200, 200);
    COLORREF volumeColor7 = MakeRgb(50, 157, 255);
    COLORREF volumeColor8 = MakeRgb(1, 1, 1);
    int volumeTextSize1 = 9;
    int volumeTextSize2 = 9;
    QString volumeImage2 = QStringLiteral("NONE");
    QString sliderData;

protected:
    // The code drawn as a badge; 0 for none.
    virtual int BadgeCode() const { return 0; }
    // The rows of both bars from the first colour to the second text size; withFlags
    // puts the two flags among them.
    static std::vector<PropertyRow> LookRows(bool withFlags);
    static PropertyRow DataRow();
};

// A volume bar: steps and a send code beside the look.
class XVolumeBar : public XVolumeLook {
public:
    XVolumeBar();

    int GetType() const override { return ElementType::kVolumeBar; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    bool SetValue(int v) override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;

    int volumeFlag1 = 1;
    int volumeFlag2 = 1;
    int sliderSteps = 101;
    int sendCode = 0;

protected:
    int BadgeCode() const override { return sendCode; }
};
