#pragma once

#include "XPhoto.h"

// A filled or hollow rectangle with a border; the base of the buttons.
class XRectangle : public XPhoto {
public:
    XRectangle();

    int GetType() const override { return 4; }
    void FillProperties(PropertyGridModel& grid) override;
    bool Save(MyFile& file) override;
    bool Load(MyFile& file, int version) override;
    void Draw(QPainter& dc) override;
    void Refresh() override;
    void CopyFrom(const XControl& other, bool withIdentity) override;
    void CopyAppearance(const XControl& other) override;
    void DescribeFields(QJsonObject& out) const override;

    int hollow = 1;
    COLORREF fillColor = 0xFFFFFF;

protected:
    bool ApplyProperty(CMFCMyPropertyGridProperty& property) override;
    // Line width (4), line colour (5), transparent (12) and fill colour (11).
    bool ApplyRectangleProperty(CMFCMyPropertyGridProperty& property, bool& handled);
    // The rectangle with the given border and fill colours, as the view shows it.
    void DrawFrame(QPainter& dc, COLORREF border, COLORREF fill) const;
};
