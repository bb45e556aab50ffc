#pragma once

#include "ControlSupport.h"
#include "XRectangle.h"

// A button: a rectangle with a normal and a pressed appearance (border, fill, image and
// label colour each) and the action settings the panel runtime interprets: a send code,
// a page to jump to, a button kind with an optional interlock group, and a free command
// string. Its label is drawn by the panel in the application font; the editor writes no
// image of it.
class XButton : public XRectangle {
public:
    XButton();

    int GetType() const override { return 6; }
    void FillProperties(PropertyGridModel& grid) override;
    bool Save(MyFile& file) override;
    bool Load(MyFile& file, int version) override;
    void Draw(QPainter& dc) override;
    void Refresh() override;
    int OnPropertyButton(CMFCMyPropertyGridProperty& property) override;
    void ResolveReferences() override;
    void CopyFrom(const XControl& other, bool withIdentity) override;
    bool SetValue(int v) override;
    bool SetTextColor(COLORREF c) override;
    bool SetText(const QString& newText) override;
    bool SetFont(const FontDesc& font) override;
    bool SetInterlockGroup(const QString& groupName) override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void CopyAppearance(const XControl& other) override;
    void RefreshReferences() override;
    void ForgetPage(const XPage* page) override;
    void ForgetInterlockGroup(const QString* group) override;
    // The activation flag that the design view's activate and deactivate commands set is
    // showPressed: an activated button is shown in its pressed state.
    int GetActiveFlag() const override { return showPressed; }
    void SetActiveFlag(int flag) override { showPressed = flag ? 1 : 0; }
    void DescribeFields(QJsonObject& out) const override;

    // The jump target page (null for none or a name that does not resolve) and the name
    // written for it: the page's present name while it resolves, else the kept name.
    XPage* JumpTarget() const;
    QString JumpTargetName() const;
    void SetJumpTarget(XPage* target);
    // The interlock group's present name, "NONE" for none (or a group deleted since).
    QString InterlockGroupName() const;
    const QString* InterlockGroup() const;

    // Trims the text, turns full-width semicolons into ";" and drops one final ";".
    static QString NormalizeCommandString(const QString& command);

    COLORREF pressedLineColor = 255;
    COLORREF pressedFillColor = 0;
    COLORREF pressedTextColor = 255;
    QString pressedImageFile = QStringLiteral("NONE");
    int showPressed = 0;
    int auxNumber = 0;
    int sendCode = 0;
    int buttonKind = 0;
    QString commandString;

protected:
    bool ApplyProperty(CMFCMyPropertyGridProperty& property) override;
    void SetImageName(bool pressed, const QString& image) override;
    bool ShowsState(bool pressed) const override { return (showPressed != 0) == pressed; }

    // The rows from the name to the fill colours, the text rows and the action rows;
    // the font button adds its font and style rows between them.
    void AddAppearanceRows(CMFCMyPropertyGridProperty& group);
    void AddActionRows(CMFCMyPropertyGridProperty& group);
    // Everything from the border to the pressed text colour of the record (items 5 to
    // 14), and from the images to the command string (items 15 to 24).
    bool SaveLook(MyFile& file) const;
    bool SaveActions(MyFile& file) const;
    void LoadLook(MyFile& file);
    void LoadActions(MyFile& file, int version);

    // The label of the shown state inside the view rectangle, and the send-code badge.
    virtual void DrawLabel(QPainter& dc, const QRect& view, COLORREF colour);
    virtual void DrawBadge(QPainter& dc, const QRect& view);

    PageReference jumpTarget;
    QString* interlockGroup = nullptr; // the page's group entry, not owned
    QString interlockGroupName = QStringLiteral("NONE");
};
