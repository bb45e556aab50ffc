#include "XPageContainer.h"

#include "PageRendering.h"
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

// ---------------------------------------------------------------- properties

void XPageContainer::FillProperties(PropertyGridModel& grid)
{
    grid.RemoveAll();
    auto* group = grid.AddGroup(Translate("20"));
    AddNameRows(*group, *this);
    const IntRect b = Bounds();
    group->AddInt(Translate("83"), b.Width(), QString(), 1);
    group->AddInt(Translate("84"), b.Height(), QString(), 2);
    auto* pages = group->AddOptions(Translate("284"), SubPageName(), {}, false, QString(), 29);
    if (projectData)
        projectData->FillSubPageOptions(*pages);
    else
        pages->AddOption(kNone);
    const QStringList yesNo = Translated({"141", "142"});
    group->AddOptions(Translate("144"), yesNo.value(visible ? 0 : 1), yesNo, false, QString(), 56);
    SetOwner(grid, this);
}

bool XPageContainer::ApplyProperty(CMFCMyPropertyGridProperty& property)
{
    bool handled = false;
    bool changed = ApplyPlacementProperty(property, handled);
    if (handled)
        return changed;
    switch (property.data) {
    case 29: {
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
            if (!target || target->GetType() != 1) {
                property.SetValue(SubPageName());
                return false;
            }
            subPage.Set(target);
        }
        InvalidatePageWindow();
        return true;
    }
    case 56: {
        const int v = property.GetText() == Translate("141") ? 1 : 0;
        if (v == visible)
            return false;
        visible = v;
        InvalidatePageWindow();
        return true;
    }
    default:
        return false;
    }
}

// ---------------------------------------------------------------- file

bool XPageContainer::Save(MyFile& file)
{
    return WriteRecordVersion(file) && WriteType(file) && WriteName(file) && WriteBounds(file)
        && file.WriteString(SubPageName()) && file.WriteWord(visible);
}

bool XPageContainer::Load(MyFile& file, int version)
{
    if (version != 0 && version != 1)
        return false;
    recordVersion = 1;
    ReadName(file);
    ReadBounds(file);
    subPage.name = file.ReadString();
    subPage.serial = 0;
    visible = version >= 1 ? file.ReadWord() : 1;
    return !file.Failed();
}

void XPageContainer::DescribeFields(QJsonObject& out) const
{
    XControl::DescribeFields(out);
    out.insert(QStringLiteral("subPageName"), SubPageName());
    out.insert(QStringLiteral("visible"), visible);
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

void XPageContainer::CopyFrom(const XControl& other, bool withIdentity)
{
    XFontText::CopyFrom(other, withIdentity);
    const auto* o = dynamic_cast<const XPageContainer*>(&other);
    if (!o || !withIdentity)
        return;
    subPage.CopyFrom(o->subPage, o->projectData, projectData);
    visible = o->visible;
}

void XPageContainer::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
}
