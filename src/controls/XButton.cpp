#include "XButton.h"

#include "ApplicationFont.h"
#include "ControlDialogRequests.h"
#include "TextDrawing.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "model/ControlMainDelegate.h"
#include "model/ControlProjectDataDelegate.h"
#include "model/MyFile.h"
#include "model/PropertyGridModel.h"
#include "model/XPage.h"

#include <QJsonObject>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace ControlSupport;

namespace {
constexpr int kMaxSendCode = 4000;
constexpr int kMaxAuxNumber = 60;
constexpr COLORREF kPlaceholderColour = MakeRgb(46, 63, 93);
constexpr COLORREF kBadgeColour = MakeRgb(255, 0, 0);
}

XButton::XButton()
{
    recordVersion = 1;
    text = QStringLiteral("BUTTON");
    textColor = 0;
    fontSize = 20;
    fontName = ApplicationFontName();
    imageFilter = QStringLiteral("(*.jpg)(*.png)(*.bmp)|*.jpg;*.png;*.bmp||");
}

// ---------------------------------------------------------------- references

XPage* XButton::JumpTarget() const
{
    return jumpTarget.Target(projectData);
}

QString XButton::JumpTargetName() const
{
    return jumpTarget.CurrentName(projectData);
}

void XButton::SetJumpTarget(XPage* target)
{
    jumpTarget.Set(target);
}

const QString* XButton::InterlockGroup() const
{
    return interlockGroup && page && page->IsGroupEntry(interlockGroup) ? interlockGroup : nullptr;
}

QString XButton::InterlockGroupName() const
{
    if (interlockGroup) // a deleted group's entry is retired, never reused: it means none
        return InterlockGroup() ? *interlockGroup : kNone;
    return interlockGroupName;
}

void XButton::ResolveReferences()
{
    jumpTarget.Resolve(projectData);
    interlockGroup = interlockGroupName != kNone && page ? page->FindGroup(interlockGroupName) : nullptr;
}

void XButton::RefreshReferences()
{
    jumpTarget.Refresh(projectData);
    const QString group = InterlockGroupName();
    interlockGroup = group != kNone && page ? page->FindGroup(group) : nullptr;
    interlockGroupName = interlockGroup ? group : kNone;
}

void XButton::ForgetPage(const XPage* target)
{
    jumpTarget.Forget(target);
}

void XButton::ForgetInterlockGroup(const QString* group)
{
    if (!group)
        return;
    if (interlockGroup == group || (!interlockGroup && interlockGroupName == *group)) {
        interlockGroup = nullptr;
        interlockGroupName = kNone; // the kind is left as it was
    }
}

bool XButton::SetInterlockGroup(const QString& groupName)
{
    if (groupName == InterlockGroupName())
        return false;
    if (groupName == kNone) {
        interlockGroup = nullptr;
        interlockGroupName = kNone;
        if (buttonKind == 1) {
            buttonKind = 0;
            if (mainDelegate)
                mainDelegate->SelectElement(this);
        }
        return true;
    }
    QString* group = page ? page->FindGroup(groupName) : nullptr;
    if (!group)
        return false;
    interlockGroup = group;
    interlockGroupName = groupName;
    buttonKind = 1;
    return true;
}

QString XButton::NormalizeCommandString(const QString& command)
{
    QString s = command.trimmed();
    s.replace(QChar(0xFF1B), u';');
    if (s.endsWith(u';'))
        s.chop(1);
    return s;
}

// ---------------------------------------------------------------- properties

void XButton::AddAppearanceRows(CMFCMyPropertyGridProperty& group)
{
    const QStringList yesNo = Translated({"141", "142"});
    group.AddOptions(Translate("81"), yesNo.value(showPressed ? 0 : 1), yesNo, false, QString(), 23);
    AddNameRows(group, *this);
    const IntRect b = Bounds();
    group.AddInt(Translate("83"), b.Width(), QString(), 1);
    group.AddInt(Translate("84"), b.Height(), QString(), 2);
    group.AddInt(Translate("85"), lineWidth, QString(), 4);
    group.AddColor(Translate("86"), color, QString(), 5)->buttonCaption = Translate("88");
    group.AddColor(Translate("87"), pressedLineColor, QString(), 22)->buttonCaption = Translate("88");
    group.AddOptions(Translate("89"), yesNo.value(hollow ? 0 : 1), yesNo, false, QString(), 12);
    group.AddColor(Translate("90"), fillColor, QString(), 11)->buttonCaption = Translate("88");
    group.AddColor(Translate("91"), pressedFillColor, QString(), 21)->buttonCaption = Translate("88");
    group.AddText(Translate("92"), text, QString(), 14);
}

void XButton::AddActionRows(CMFCMyPropertyGridProperty& group)
{
    auto* image = group.AddOptions(Translate("277"), imageFile, {}, false, Translate("96"), 17);
    auto* pressedImage = group.AddOptions(Translate("277"), pressedImageFile, {}, false, Translate("97"), 20);
    if (projectData) {
        projectData->FillImageOptions(*image);
        projectData->FillImageOptions(*pressedImage);
    }
    image->hasButton = pressedImage->hasButton = true;
    const QStringList modes = ModeOptions(2);
    group.AddOptions(Translate("278"), modes.value(imageMode ? 1 : 0), modes, false, Translate("98"), 18);
    auto* target = group.AddOptions(Translate("279"), JumpTargetName(), {}, false, Translate("101"), 24);
    if (projectData)
        projectData->FillPageOptions(*target);
    else
        target->AddOption(kNone);
    group.AddInt(Translate("280"), sendCode, Translate("102"), 26);
    const QStringList kinds = QStringList{kNone} + Translated({"104", "105"});
    group.AddOptions(Translate("281"), kinds.value(buttonKind), kinds, false, Translate("103"), 27);
    QStringList groups{kNone};
    if (page)
        groups += page->GroupNames();
    auto* groupRow = group.AddOptions(Translate("282"), InterlockGroupName(), groups, false, Translate("104"), 28);
    groupRow->hasButton = true;
    group.AddInt(Translate("283"), auxNumber, Translate("106"), 25);
    group.AddText(Translate("367"), commandString, Translate("255"), 52);
}

void XButton::FillProperties(PropertyGridModel& grid)
{
    grid.RemoveAll();
    auto* group = grid.AddGroup(Translate("20"));
    AddAppearanceRows(*group);
    group->AddInt(Translate("93"), fontSize, QString(), 15);
    group->AddColor(Translate("94"), textColor, QString(), 13)->buttonCaption = Translate("88");
    group->AddColor(Translate("95"), pressedTextColor, QString(), 19)->buttonCaption = Translate("88");
    AddActionRows(*group);
    SetOwner(grid, this);
}

bool XButton::ApplyProperty(CMFCMyPropertyGridProperty& property)
{
    bool handled = false;
    bool changed = ApplyPlacementProperty(property, handled);
    if (handled)
        return changed;

    const bool pressedShown = showPressed != 0;
    auto setColour = [&](COLORREF& field, bool redraw) {
        const COLORREF c = property.GetColor() & 0xFFFFFF;
        if (c == field)
            return false;
        field = c;
        if (redraw)
            InvalidatePageWindow();
        return true;
    };
    switch (property.data) {
    case 23: {
        const int v = property.GetText() == Translate("141") ? 1 : 0;
        if (v == showPressed)
            return false;
        showPressed = v;
        InvalidatePageWindow();
        return true;
    }
    case 4: {
        int v = 0;
        if (!AcceptInt(property, 0, 200, QStringLiteral("111"), lineWidth, v) || v == lineWidth)
            return false;
        lineWidth = v;
        InvalidatePageWindow();
        return true;
    }
    case 5: return setColour(color, !pressedShown);
    case 22: return setColour(pressedLineColor, pressedShown);
    case 11: return setColour(fillColor, !pressedShown && !hollow);
    case 21: return setColour(pressedFillColor, pressedShown && !hollow);
    case 13: return setColour(textColor, !pressedShown);
    case 19: return setColour(pressedTextColor, pressedShown);
    case 12: {
        const int v = property.GetText() == Translate("141") ? 1 : 0;
        if (v == hollow)
            return false;
        hollow = v;
        InvalidatePageWindow();
        return true;
    }
    case 14: {
        const QString v = property.GetText(); // an empty label is allowed
        if (v == text)
            return false;
        text = v;
        InvalidatePageWindow();
        return true;
    }
    case 15: {
        int v = 0;
        if (!AcceptInt(property, 1, 500, QStringLiteral("117"), fontSize, v) || v == fontSize)
            return false;
        fontSize = v;
        InvalidatePageWindow();
        return true;
    }
    case 17:
    case 20: {
        const bool pressed = property.data == 20;
        QString& field = pressed ? pressedImageFile : imageFile;
        const QString v = property.GetText();
        if (v != kNone && !(projectData && projectData->HasImage(v))) {
            property.SetValue(field);
            return false;
        }
        if (v == field)
            return false;
        field = v;
        if (ShowsState(pressed))
            InvalidatePageWindow();
        return true;
    }
    case 18: {
        const int v = ChosenIndex(property, ModeOptions(2));
        if (v < 0) {
            property.SetValue(ModeOptions(2).value(imageMode ? 1 : 0));
            return false;
        }
        if (v == imageMode)
            return false;
        imageMode = v;
        InvalidatePageWindow();
        return true;
    }
    case 24: {
        const QString v = property.GetText();
        if (v == JumpTargetName())
            return false;
        if (v == kNone) {
            jumpTarget.Clear();
            return true;
        }
        XPage* target = projectData ? projectData->FindPage(v) : nullptr;
        if (!target) {
            property.SetValue(JumpTargetName());
            return false;
        }
        jumpTarget.Set(target);
        return true;
    }
    case 26: {
        int v = 0;
        if (!AcceptInt(property, 0, kMaxSendCode, QStringLiteral("113"), sendCode, v) || v == sendCode)
            return false;
        sendCode = v;
        InvalidatePageWindow();
        return true;
    }
    case 27: {
        const int v = ChosenIndex(property, QStringList{kNone} + Translated({"104", "105"}));
        if (v < 0 || v == buttonKind)
            return false;
        buttonKind = v;
        return true;
    }
    case 28: {
        if (SetInterlockGroup(property.GetText()))
            return true;
        property.SetValue(InterlockGroupName());
        return false;
    }
    case 25: {
        int v = 0;
        if (!AcceptInt(property, 0, kMaxAuxNumber, QStringLiteral("112"), auxNumber, v) || v == auxNumber)
            return false;
        auxNumber = v;
        return true;
    }
    case 52: {
        const QString v = NormalizeCommandString(property.GetText());
        property.SetValue(v);
        if (v == commandString)
            return false;
        commandString = v;
        return true;
    }
    default:
        return XFontText::ApplyProperty(property);
    }
}

int XButton::OnPropertyButton(CMFCMyPropertyGridProperty& property)
{
    switch (property.data) {
    case 17: return ChooseImage(false) ? 1 : 0;
    case 20: return ChooseImage(true) ? 1 : 0;
    case 28: {
        InterlockDialogRequest request;
        request.page = page;
        request.delegate = mainDelegate ? mainDelegate->AsInterlockDlgMainDelegate() : nullptr;
        const int result = Ui().RunDialog(InterlockDialogRequest::Name(), &request);
        if (mainDelegate)
            mainDelegate->SelectElement(this);
        return result;
    }
    default:
        return 0;
    }
}

void XButton::SetImageName(bool pressed, const QString& image)
{
    (pressed ? pressedImageFile : imageFile) = image;
}

// ---------------------------------------------------------------- file

bool XButton::SaveLook(MyFile& file) const
{
    return WriteLineWidth(file) && WriteColor(file) && file.WriteColor(pressedLineColor)
        && file.WriteWord(hollow) && file.WriteColor(fillColor) && file.WriteColor(pressedFillColor)
        && file.WriteString(text) && file.WriteWord(fontSize) && file.WriteColor(textColor)
        && file.WriteColor(pressedTextColor);
}

bool XButton::SaveActions(MyFile& file) const
{
    return file.WriteString(imageFile) && file.WriteString(pressedImageFile) && file.WriteWord(imageMode)
        && file.WriteWord(showPressed) && file.WriteString(JumpTargetName()) && file.WriteWord(auxNumber)
        && file.WriteDword(sendCode) && file.WriteWord(buttonKind) && file.WriteString(InterlockGroupName())
        && file.WriteString(commandString);
}

void XButton::LoadLook(MyFile& file)
{
    ReadLineWidth(file);
    ReadColor(file);
    pressedLineColor = file.ReadColor();
    hollow = file.ReadWord();
    fillColor = file.ReadColor();
    pressedFillColor = file.ReadColor();
    text = file.ReadString();
    fontSize = file.ReadWord();
    textColor = file.ReadColor();
    pressedTextColor = file.ReadColor();
}

void XButton::LoadActions(MyFile& file, int version)
{
    imageFile = file.ReadString();
    pressedImageFile = file.ReadString();
    imageMode = file.ReadWord();
    showPressed = file.ReadWord();
    jumpTarget.name = file.ReadString();
    jumpTarget.serial = 0;
    auxNumber = file.ReadWord();
    sendCode = file.ReadDword();
    buttonKind = file.ReadWord();
    interlockGroupName = file.ReadString();
    interlockGroup = nullptr;
    commandString = version >= 1 ? file.ReadString() : QString();
    if (imageFile != kNone && !ProjectImageExists(projectData, imageFile))
        imageFile = kNone;
    if (pressedImageFile != kNone && !ProjectImageExists(projectData, pressedImageFile))
        pressedImageFile = kNone;
}

bool XButton::Save(MyFile& file)
{
    return WriteRecordVersion(file) && WriteType(file) && WriteName(file) && WriteBounds(file)
        && SaveLook(file) && SaveActions(file);
}

bool XButton::Load(MyFile& file, int version)
{
    if (version != 0 && version != 1)
        return false;
    recordVersion = 1; // an old record is written back in the current form
    ReadName(file);
    ReadBounds(file);
    LoadLook(file);
    LoadActions(file, version);
    return !file.Failed();
}

void XButton::DescribeFields(QJsonObject& out) const
{
    XControl::DescribeFields(out);
    out.insert(QStringLiteral("lineWidth"), lineWidth);
    out.insert(QStringLiteral("color"), static_cast<qint64>(color));
    out.insert(QStringLiteral("pressedLineColor"), static_cast<qint64>(pressedLineColor));
    out.insert(QStringLiteral("hollow"), hollow);
    out.insert(QStringLiteral("fillColor"), static_cast<qint64>(fillColor));
    out.insert(QStringLiteral("pressedFillColor"), static_cast<qint64>(pressedFillColor));
    out.insert(QStringLiteral("text"), text);
    out.insert(QStringLiteral("fontSize"), fontSize);
    out.insert(QStringLiteral("textColor"), static_cast<qint64>(textColor));
    out.insert(QStringLiteral("pressedTextColor"), static_cast<qint64>(pressedTextColor));
    out.insert(QStringLiteral("imageFile"), imageFile);
    out.insert(QStringLiteral("pressedImageFile"), pressedImageFile);
    out.insert(QStringLiteral("imageMode"), imageMode);
    out.insert(QStringLiteral("showPressed"), showPressed);
    out.insert(QStringLiteral("jumpTargetName"), JumpTargetName());
    out.insert(QStringLiteral("auxNumber"), auxNumber);
    out.insert(QStringLiteral("sendCode"), sendCode);
    out.insert(QStringLiteral("buttonKind"), buttonKind);
    out.insert(QStringLiteral("interlockGroupName"), InterlockGroupName());
    out.insert(QStringLiteral("commandString"), commandString);
}

// ---------------------------------------------------------------- drawing

void XButton::DrawLabel(QPainter& dc, const QRect& view, COLORREF colour)
{
    if (text.isEmpty())
        return;
    const int height = std::max(1, mainDelegate->ScaleLength(fontSize));
    DrawTextInRect(dc, QRectF(view), ApplicationFace(height), text, colour, alignment, vertical != 0, false);
}

void XButton::DrawBadge(QPainter& dc, const QRect& view)
{
    const int height = std::max(1, mainDelegate->ScaleLength(16));
    DrawTextInRect(dc, QRectF(view), ApplicationFace(height), QString::number(sendCode), kBadgeColour, 9,
                   false, false);
}

void XButton::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    const bool pressed = showPressed != 0;
    DrawFrame(dc, pressed ? pressedLineColor : color, pressed ? pressedFillColor : fillColor);
    const IntRect b = Bounds();
    const QRect view = mainDelegate->MapRect(b).ToQRect();
    const QString& image = pressed ? pressedImageFile : imageFile;
    if (image != kNone && (b.Width() != 0 || b.Height() != 0)) {
        // An image that cannot be read shows as the dark placeholder, under the label.
        if (!DrawImage(dc, image, view, imageMode == 0 ? 0 : 1) && !view.isEmpty())
            dc.fillRect(view, ToQColor(kPlaceholderColour));
    }
    DrawLabel(dc, view, pressed ? pressedTextColor : textColor);
    if (sendCode != 0)
        DrawBadge(dc, view);
    DrawSelectionMarks(dc);
}

void XButton::Refresh()
{
    NormalizeBounds();
}

// ---------------------------------------------------------------- copies and brushes

void XButton::CopyFrom(const XControl& other, bool withIdentity)
{
    XRectangle::CopyFrom(other, withIdentity);
    const auto* o = dynamic_cast<const XButton*>(&other);
    if (!o)
        return;
    pressedLineColor = o->pressedLineColor;
    pressedFillColor = o->pressedFillColor;
    pressedTextColor = o->pressedTextColor;
    pressedImageFile = o->pressedImageFile;
    showPressed = o->showPressed;
    auxNumber = o->auxNumber;
    sendCode = o->sendCode;
    buttonKind = o->buttonKind;
    commandString = o->commandString;
    imageFilter = o->imageFilter;
    // By name, looked up again: a copy never holds on to a page or group object.
    jumpTarget.CopyFrom(o->jumpTarget, o->projectData, projectData);
    interlockGroup = nullptr;
    interlockGroupName = withIdentity ? o->InterlockGroupName() : kNone;
}

bool XButton::SetValue(int v)
{
    if (v < 0 || v > kMaxSendCode || v == sendCode)
        return false;
    sendCode = v;
    return true;
}

bool XButton::SetTextColor(COLORREF c)
{
    c &= 0xFFFFFF;
    COLORREF& field = showPressed ? pressedTextColor : textColor;
    if (c == field)
        return false;
    field = c;
    return true;
}

bool XButton::SetText(const QString& newText)
{
    if (newText == text)
        return false;
    text = newText;
    return true;
}

bool XButton::SetFont(const FontDesc& font)
{
    // The label is drawn by the panel in the application font: only size and style apply.
    const int size = std::clamp(font.size, 1, 500);
    const int style = std::clamp(font.style, 0, 3);
    if (size == fontSize && style == fontStyle)
        return false;
    fontSize = size;
    fontStyle = style;
    NormalizeBounds();
    return true;
}

void XButton::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
    if (oldWidth != 0 && oldHeight != 0) {
        const int scaled = static_cast<int>(std::trunc(static_cast<double>(fontSize) * newWidth / oldWidth));
        fontSize = std::clamp(scaled, 1, 500);
    }
    imageMode = 1;
}

void XButton::CopyAppearance(const XControl& other)
{
    const auto* o = dynamic_cast<const XButton*>(&other);
    if (!o)
        return;
    XRectangle::CopyAppearance(other); // size, border and fill
    pressedLineColor = o->pressedLineColor;
    pressedFillColor = o->pressedFillColor;
    fontSize = o->fontSize;
    textColor = o->textColor;
    pressedTextColor = o->pressedTextColor;
    imageMode = o->imageMode;
    showPressed = o->showPressed;
    imageFile = ImageOrNone(projectData, o->imageFile);
    pressedImageFile = ImageOrNone(projectData, o->pressedImageFile);
}
