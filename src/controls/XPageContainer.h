#pragma once

#include "ControlSupport.h"
#include "XFontText.h"

// A control that shows one sub-page inside a page: the sub-page drawn off screen and
// cropped to the container, or a dark placeholder with the container's text while it
// shows none.
class XPageContainer : public XFontText {
public:
    XPageContainer();

    int GetType() const override { return 7; }
    void FillProperties(PropertyGridModel& grid) override;
    bool Save(MyFile& file) override;
    bool Load(MyFile& file, int version) override;
    void Draw(QPainter& dc) override;
    void Refresh() override;
    void NormalizeBounds() override;
    void ResolveReferences() override;
    void CopyFrom(const XControl& other, bool withIdentity) override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void RefreshReferences() override;
    void ForgetPage(const XPage* page) override;
    void DescribeFields(QJsonObject& out) const override;

    // The sub-page shown (null for none or a name that does not resolve) and the name
    // written for it.
    XPage* SubPage() const;
    QString SubPageName() const;
    void SetSubPage(XPage* subPage);

protected:
    bool ApplyProperty(CMFCMyPropertyGridProperty& property) override;

    PageReference subPage;
};
