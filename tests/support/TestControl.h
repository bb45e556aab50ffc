#pragma once

#include "model/XControl.h"

#include <QPoint>
#include <QString>

class XPage;

// A control class for tests of the editor core: any type number, the common geometry,
// and one plain field behind each brush operation so that a test can see what was
// applied. Its references behave like those of the real classes: a target page and a
// linked control are held by pointer with their names kept beside them, copies read the
// names through the pointers, and RefreshReferences looks them up again by name.
class TestControl : public XControl {
public:
    // lineLike: Refresh leaves the points as they are (a line keeps its direction).
    explicit TestControl(int type = 4, bool lineLike = false);
    ~TestControl() override;

    int GetType() const override { return type; }
    void FillProperties(PropertyGridModel&) override {}
    bool OnPropertyChanged(CMFCMyPropertyGridProperty&) override { return false; }
    bool Save(MyFile& file) override;
    bool Load(MyFile& file, int version) override;
    void Draw(QPainter& dc) override;
    void Refresh() override;
    void OnDoubleClick(QPoint point) override;
    void CopyFrom(const XControl& other, bool withIdentity) override;
    bool SetValue(int v) override;
    bool SetTextColor(COLORREF c) override;
    bool SetFont(const FontDesc& f) override;
    bool SetText(const QString& t) override;
    bool SetInterlockGroup(const QString& groupName) override;
    void CopyAppearance(const XControl& other) override;
    bool SetLinkText(const QString& t) override;
    void RefreshReferences() override;
    void ForgetPage(const XPage* target) override;
    void ForgetControl(const XControl* control) override;
    void ForgetInterlockGroup(const QString* g) override;
    int GetActiveFlag() const override;
    void SetActiveFlag(int flag) override;
    bool SetScreenAddressAt(QPoint point, const QString& address) override;
    bool HasScreenAt(QPoint point) const override;

    QString TargetName() const;
    QString LinkedName() const;
    QString GroupName() const;
    void SetTarget(XPage* p);
    void SetLinked(XControl* c);

    int type;
    bool lineLike;
    int value = 0;
    COLORREF textColor = 0;
    FontDesc font;
    QString text;
    QString* group = nullptr; // an interlock group of the page, by pointer like buttons
    QString groupName = QStringLiteral("NONE");
    QString linkText;
    QString screenAddress;
    int active = 0;
    XPage* target = nullptr;
    QString targetName = QStringLiteral("NONE");
    XControl* linked = nullptr;
    QString linkedName = QStringLiteral("NONE");
    int refreshCount = 0;
    int doubleClickCount = 0;
    QPoint lastDoubleClick;

    // Test controls alive in the process, to check that nothing leaks or is freed twice.
    static int live;
};

// Pages and sub-pages from the registry, every other type number as a TestControl.
XControl* MakeTestElement(int typeNumber);

// A control of the given type with its two points, for building pages in tests.
TestControl* MakeTestControl(int type, int x1, int y1, int x2, int y2);
