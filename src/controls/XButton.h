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

    int GetType() const override { return ElementType::kButton; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    void Draw(QPainter& dc) override;
    void Refresh() override;
    void ResolveReferences() override;
    bool SetValue(int v) override;
    bool SetTextColor(COLORREF c) override;
    bool SetText(const QString& newText) override;
    bool SetFont(const FontDesc& font) override;
    bool SetInterlockGroup(const QString& groupName) override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void RefreshReferences() override;
    void ForgetPage(const XPage* page) override;
    void ForgetInterlockGroup(const QString* group) override;
    // The activation flag that the design view's activate and deactivate commands set is
    // showPressed: an activated button is shown in its pressed state.
    int GetActiveFlag() const override { return showPressed; }
    void SetActiveFlag(int flag) override { showPressed = flag ? 1 : 0; }

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
    void SetImageName(bool pressed, const QString& image) override;
    bool ShowsState(bool pressed) const override { return (showPressed != 0) == pressed; }
    // Opens the interlock-group dialog for the button's page.
    int RunInterlockDialog();

    // The record's runs of fields: border to pressed text colour, and images to command
    // string; the font button writes its font between them.
    static std::vector<FieldRow> LookFields();
    static std::vector<FieldRow> ActionFields();
    // The rows from "shown pressed" to the label, the two label colours and the action
    // rows; the font button puts its font rows among them.
    static std::vector<PropertyRow> AppearanceRows();
    static std::vector<PropertyRow> LabelColourRows();
    static std::vector<PropertyRow> ActionRows();

    // The label of the shown state inside the view rectangle, and the send-code badge.
    virtual void DrawLabel(QPainter& dc, const QRect& view, COLORREF colour);
    virtual void DrawBadge(QPainter& dc, const QRect& view);

    PageReference jumpTarget;
    QString* interlockGroup = nullptr; // the page's group entry, not owned
    QString interlockGroupName = QStringLiteral("NONE");
};
