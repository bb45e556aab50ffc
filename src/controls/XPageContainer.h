#pragma once

#include "ControlSupport.h"
#include "XFontText.h"

// A control that shows one sub-page inside a page: the sub-page drawn off screen and
// cropped to the container, or a dark placeholder with the container's text while it
// shows none.
class XPageContainer : public XFontText {
public:
    XPageContainer();

    int GetType() const override { return ElementType::kPageContainer; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    bool Save(MyFile& file) override { return XControl::Save(file); } // no text image
    QStringList TextImageSuffixes() const override { return {}; }
    void Draw(QPainter& dc) override;
    void Refresh() override;
    void NormalizeBounds() override;
    void ResolveReferences() override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void RefreshReferences() override;
    void ForgetPage(const XPage* page) override;
    void CopyAppearance(const XControl&) override {} // nothing of its look is its own

    // The sub-page shown (null for none or a name that does not resolve) and the name
    // written for it.
    XPage* SubPage() const;
    QString SubPageName() const;
    void SetSubPage(XPage* subPage);

protected:
    // The stored sub-page name, a reference to a sub-page of the project.
    static FieldRow SubPageField();
    // The sub-page row: never the container's own page, only sub-pages of the project.
    bool ApplySubPage(CMFCMyPropertyGridProperty& property);

    PageReference subPage;
};
