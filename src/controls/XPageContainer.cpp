#include "XPageContainer.h"

#include "PageRendering.h"
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

using namespace ControlSupport;

namespace {
// A sub-page may hold a container showing another sub-page; a cycle of them must end.
int drawingDepth = 0;
constexpr int kMaxNesting = 4;
}

XPageContainer::XPageContainer()
{
    recordVersion = 1;
    text = QStringLiteral("PAGECONTAINER");
    textColor = 0xFFFFFF;
    lineWidth = 0;
}

XPage* XPageContainer::SubPage() const
{
    return subPage.Target(projectData);
}

QString XPageContainer::SubPageName() const
{
    return subPage.CurrentName(projectData);
}

void XPageContainer::SetSubPage(XPage* target)
{
    subPage.Set(target);
}

void XPageContainer::ResolveReferences()
{
    subPage.Resolve(projectData);
}

void XPageContainer::RefreshReferences()
{
    subPage.Refresh(projectData);
}

void XPageContainer::ForgetPage(const XPage* target)
{
    subPage.Forget(target);
}

// ---------------------------------------------------------------- fields and properties

FieldRow XPageContainer::SubPageField()
{
    FieldRow shown = Field::Text(
        "subPageName", [](const XControl& c) { return static_cast<const XPageContainer&>(c).SubPageName(); },
        [](XControl& c, const QString& v) {
            auto& container = static_cast<XPageContainer&>(c);
            container.subPage.name = v;
            container.subPage.serial = 0;
        },
        FieldFlag::Identity);
    shown.RefersTo(ReferenceTarget::SubPage);
    shown.copy = [](XControl& c, const XControl& o, bool) {
        auto& container = static_cast<XPageContainer&>(c);
        const auto& other = static_cast<const XPageContainer&>(o);
        container.subPage.CopyFrom(other.subPage, other.projectData, container.projectData);
    };
    return shown;
}

const FieldTable* XPageContainer::Fields() const
{
    // A copy without identity (a duplicate) shows no sub-page and is visible.
    static const FieldTable table(0, 1, &IsA<XPageContainer>, {
        Field::Name(),
        Field::Bounds(),
        SubPageField(),
        Field::Word<&XPageContainer::visible>("visible", FieldFlag::Identity).Since(1),
        Field::Copied<&XPageContainer::text>("text"),
        Field::Copied<&XPageContainer::textColor>("textColor"),
        Field::Copied<&XPageContainer::fontSize>("fontSize"),
        Field::Copied<&XPageContainer::alignment>("alignment"),
    });
    return &table;
}

const PropertyTable* XPageContainer::Properties() const
{
    static const PropertyRow shown = Prop::Special(
        PropertyId::kSubPage, "284", PropertyKind::Options,
        [](XControl& c) -> QVariant { return static_cast<XPageContainer&>(c).SubPageName(); },
        [](XControl& c, CMFCMyPropertyGridProperty& p) { return static_cast<XPageContainer&>(c).ApplySubPage(p); },
        [](XControl& c, CMFCMyPropertyGridProperty& p) {
            if (c.projectData)
                c.projectData->FillSubPageOptions(p);
            else
                p.AddOption(kNone);
        });
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        {shown, Prop::YesNo<&XPageContainer::visible>(PropertyId::kVisible, "144")},
    });
    return &table;
}

bool XPageContainer::ApplySubPage(CMFCMyPropertyGridProperty& property)
{
    const QString v = property.GetText();
    if (v == SubPageName())
        return false;
    if (page && v == page->name) {
        ShowMessage(QStringLiteral("145"), QStringLiteral("70"));
        property.SetValue(SubPageName());
        return false;
    }
    if (v == kNone) {
        subPage.Clear();
    } else {
        XPage* target = projectData ? projectData->FindPage(v) : nullptr;
        if (!target || target->GetType() != ElementType::kSubPage) {
            property.SetValue(SubPageName());
            return false;
        }
        subPage.Set(target);
    }
    InvalidatePageWindow();
    return true;
}

// ---------------------------------------------------------------- geometry and drawing

void XPageContainer::NormalizeBounds()
{
    SetBounds(Bounds()); // its size is the user's, not its text's
}

void XPageContainer::Refresh()
{
    NormalizeBounds();
    InvalidatePageWindow();
}

void XPageContainer::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    if (visible) {
        const IntRect b = Bounds();
        const QRect view = mainDelegate->MapRect(b).ToQRect();
        XPage* shown = SubPageName() == kNone ? nullptr : SubPage();
        if (shown && shown != page && drawingDepth < kMaxNesting) {
            const IntRect pb = shown->Bounds();
            const int w = std::min(b.Width(), pb.Width());
            const int h = std::min(b.Height(), pb.Height());
            ++drawingDepth;
            const QImage image = RenderPageImage(*shown, *mainDelegate, w, h);
            --drawingDepth;
            if (!image.isNull())
                dc.drawImage(view.topLeft(), image);
        } else {
            // None chosen, a name that does not resolve, or a cycle of containers.
            DrawPlaceholder(dc, view, true);
        }
    }
    // A hidden container draws nothing, but while selected its frame shows where it is.
    DrawSelectionMarks(dc);
}

// ---------------------------------------------------------------- copies

void XPageContainer::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
}
