#include "XButton.h"

#include "ApplicationFont.h"
#include "ControlDialogRequests.h"
#include "TextDrawing.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "model/ControlMainDelegate.h"
#include "model/ControlProjectDataDelegate.h"
#include "model/MyFile.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"
#include "model/XPage.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace ControlSupport;

namespace {
constexpr int kMaxSendCode = 4000;
constexpr int kMaxAuxNumber = 60;
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 500;
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

// ---------------------------------------------------------------- fields

std::vector<FieldRow> XButton::LookFields()
{
    using namespace FieldFlag;
    return {
        Field::Word<&XButton::lineWidth>("lineWidth", Look),
        Field::Colour<&XButton::color>("color", Look),
        Field::Colour<&XButton::pressedLineColor>("pressedLineColor", Look),
        Field::Word<&XButton::hollow>("hollow", Look),
        Field::Colour<&XButton::fillColor>("fillColor", Look),
        Field::Colour<&XButton::pressedFillColor>("pressedFillColor", Look),
        Field::String<&XButton::text>("text"),
        Field::Word<&XButton::fontSize>("fontSize", Look),
        Field::Colour<&XButton::textColor>("textColor", Look),
        Field::Colour<&XButton::pressedTextColor>("pressedTextColor", Look),
    };
}

std::vector<FieldRow> XButton::ActionFields()
{
    using namespace FieldFlag;
    FieldRow jump = Field::Text(
        "jumpTargetName", [](const XControl& c) { return static_cast<const XButton&>(c).JumpTargetName(); },
        [](XControl& c, const QString& v) {
            auto& b = static_cast<XButton&>(c);
            b.jumpTarget.name = v;
            b.jumpTarget.serial = 0;
        });
    jump.RefersTo(ReferenceTarget::Page);
    // By name, looked up again: a copy never holds on to a page or group object.
    jump.copy = [](XControl& c, const XControl& o, bool) {
        auto& b = static_cast<XButton&>(c);
        const auto& ob = static_cast<const XButton&>(o);
        b.jumpTarget.CopyFrom(ob.jumpTarget, ob.projectData, b.projectData);
    };
    FieldRow group = Field::Text(
        "interlockGroupName", [](const XControl& c) { return static_cast<const XButton&>(c).InterlockGroupName(); },
        [](XControl& c, const QString& v) {
            auto& b = static_cast<XButton&>(c);
            b.interlockGroup = nullptr;
            b.interlockGroupName = v;
        });
    group.RefersTo(ReferenceTarget::Group);
    group.copy = [](XControl& c, const XControl& o, bool withIdentity) {
        auto& b = static_cast<XButton&>(c);
        b.interlockGroup = nullptr;
        b.interlockGroupName = withIdentity ? static_cast<const XButton&>(o).InterlockGroupName() : kNone;
    };
    return {
        Field::String<&XButton::imageFile>("imageFile", Image | Look),
        Field::String<&XButton::pressedImageFile>("pressedImageFile", Image | Look),
        Field::Word<&XButton::imageMode>("imageMode", Look),
        Field::Word<&XButton::showPressed>("showPressed", Look),
        jump,
        Field::Word<&XButton::auxNumber>("auxNumber"),
        Field::Dword<&XButton::sendCode>("sendCode"),
        Field::Word<&XButton::buttonKind>("buttonKind"),
        group,
        Field::String<&XButton::commandString>("commandString").Since(1),
        // Kept in memory only: how the label is laid out.
        Field::Copied<&XButton::vertical>("vertical"),
        Field::Copied<&XButton::alignment>("alignment"),
        Field::Copied<&XButton::contentKind>("contentKind"),
    };
}

const FieldTable* XButton::Fields() const
{
    static const FieldTable table(0, 1, &IsA<XButton>, {
        {Field::Name(), Field::Bounds()},
        LookFields(),
        ActionFields(),
        {Field::Copied<&XButton::fontStyle>("fontStyle"), Field::Copied<&XButton::fontName>("fontName")},
    });
    return &table;
}

// ---------------------------------------------------------------- properties

std::vector<PropertyRow> XButton::AppearanceRows()
{
    std::vector<PropertyRow> rows{Prop::YesNo<&XButton::showPressed>(PropertyId::kShowPressed, "81")};
    for (auto part : {Prop::NameRows(), Prop::SizeRows(), BorderRows()})
        rows.insert(rows.end(), part.begin(), part.end());
    rows.insert(rows.end(), {
        Prop::Colour<&XButton::pressedLineColor>(PropertyId::kPressedLineColour, "87"),
        Prop::YesNo<&XButton::hollow>(PropertyId::kHollow, "89"),
        Prop::Colour<&XButton::fillColor>(PropertyId::kFillColour, "90"),
        Prop::Colour<&XButton::pressedFillColor>(PropertyId::kPressedFillColour, "91"),
        Prop::Text<&XButton::text>(PropertyId::kText, "92"), // an empty label is allowed
    });
    return rows;
}

std::vector<PropertyRow> XButton::LabelColourRows()
{
    return {
        Prop::Colour<&XButton::textColor>(PropertyId::kTextColour, "94"),
        Prop::Colour<&XButton::pressedTextColor>(PropertyId::kPressedTextColour, "95"),
    };
}

std::vector<PropertyRow> XButton::ActionRows()
{
    PropertyRow image = Prop::Image<&XButton::imageFile>(PropertyId::kImage, "277", "96")
                            .Button([](XControl& c, CMFCMyPropertyGridProperty&) {
                                static_cast<XButton&>(c).ChooseImage(false);
                            });
    PropertyRow pressedImage = Prop::Image<&XButton::pressedImageFile>(PropertyId::kPressedImage, "277", "97")
                                   .Button([](XControl& c, CMFCMyPropertyGridProperty&) {
                                       static_cast<XButton&>(c).ChooseImage(true);
                                   });
    PropertyRow jump = Prop::Special(
        PropertyId::kJumpTarget, "279", PropertyKind::Options,
        [](XControl& c) -> QVariant { return static_cast<XButton&>(c).JumpTargetName(); },
        [](XControl& c, CMFCMyPropertyGridProperty& p) {
            return static_cast<XButton&>(c).jumpTarget.Apply(c.projectData, p);
        },
        [](XControl& c, CMFCMyPropertyGridProperty& p) { PageReference::FillOptions(c.projectData, p); });
    jump.descriptionKey = "101";
    PropertyRow group = Prop::Special(
        PropertyId::kInterlockGroup, "282", PropertyKind::Options,
        [](XControl& c) -> QVariant { return static_cast<XButton&>(c).InterlockGroupName(); },
        [](XControl& c, CMFCMyPropertyGridProperty& p) {
            auto& b = static_cast<XButton&>(c);
            if (b.SetInterlockGroup(p.GetText()))
                return true;
            p.SetValue(b.InterlockGroupName());
            return false;
        },
        [](XControl& c, CMFCMyPropertyGridProperty& p) {
            p.AddOption(kNone);
            if (c.page)
                for (const QString& name : c.page->GroupNames())
                    p.AddOption(name);
        });
    group.descriptionKey = "104";
    group.Button([](XControl& c, CMFCMyPropertyGridProperty&) { static_cast<XButton&>(c).RunInterlockDialog(); });
    return {
        image,
        pressedImage,
        Prop::Choice<&XButton::imageMode>(PropertyId::kImageMode, "278", {"99", "100"}).Describe("98"),
        jump,
        Prop::Int<&XButton::sendCode>(PropertyId::kSendCode, "280", 0, kMaxSendCode, "113").Describe("102"),
        Prop::Choice<&XButton::buttonKind>(PropertyId::kButtonKind, "281", {"104", "105"}, true)
            .Describe("103")
            .Effects(0),
        group,
        Prop::Int<&XButton::auxNumber>(PropertyId::kAuxNumber, "283", 0, kMaxAuxNumber, "112")
            .Describe("106")
            .Effects(0),
        Prop::Text<&XButton::commandString>(PropertyId::kCommandString, "367")
            .Describe("255")
            .Normalise(&XButton::NormalizeCommandString)
            .Effects(0),
    };
}

const PropertyTable* XButton::Properties() const
{
    static const PropertyTable table({
        AppearanceRows(),
        {Prop::Int<&XButton::fontSize>(PropertyId::kFontSize, "93", kMinFontSize, kMaxFontSize, "117")},
        LabelColourRows(),
        ActionRows(),
    });
    return &table;
}

int XButton::RunInterlockDialog()
{
    InterlockDialogRequest request;
    request.page = page;
    request.delegate = mainDelegate ? mainDelegate->AsInterlockDlgMainDelegate() : nullptr;
    const int result = Ui().RunDialog(InterlockDialogRequest::Name(), &request);
    if (mainDelegate)
        mainDelegate->SelectElement(this);
    return result;
}

void XButton::SetImageName(bool pressed, const QString& image)
{
    (pressed ? pressedImageFile : imageFile) = image;
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
    const int size = std::clamp(font.size, kMinFontSize, kMaxFontSize);
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
        fontSize = std::clamp(scaled, kMinFontSize, kMaxFontSize);
    }
    imageMode = 1;
}
