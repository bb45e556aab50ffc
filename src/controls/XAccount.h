#pragma once

#include "ControlSupport.h"
#include "XRectangle.h"

// The signed-in account's display; touching it opens the target page.
class XAccount : public XRectangle {
public:
    XAccount();

    int GetType() const override { return ElementType::kAccount; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    void Draw(QPainter& dc) override;
    void ResolveReferences() override;
    void RefreshReferences() override;
    void ForgetPage(const XPage* page) override;

    // The target page's present name while it resolves, else the kept name ("NONE").
    QString TargetPageName() const;
    void SetTargetPage(const XPage* target);

    QString accountText = QStringLiteral("ACCOUNT"); // shown in the editor only
    int accountTextSize = 20;
    COLORREF accountTextColor = 0xFFFFFF;

private:
    PageReference targetPage;
};
