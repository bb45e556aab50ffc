#include "XAccount.h"

#include "XPlaceholder.h"
#include "model/ControlProjectDataDelegate.h"
#include "model/FieldTable.h"
#include "model/PropertyGridModel.h"
#include "model/PropertyRows.h"

#include <QPainter>

using namespace ControlSupport;

namespace {
constexpr int kMaxTextSize = 500;
}

XAccount::XAccount()
{
    lineWidth = 0;
}

QString XAccount::TargetPageName() const
{
    return targetPage.CurrentName(projectData);
}

void XAccount::SetTargetPage(const XPage* target)
{
    targetPage.Set(target);
}

void XAccount::ResolveReferences()
{
    targetPage.Resolve(projectData);
}

void XAccount::RefreshReferences()
{
    targetPage.Refresh(projectData);
}

void XAccount::ForgetPage(const XPage* target)
{
    targetPage.Forget(target);
}

const FieldTable* XAccount::Fields() const
{
    static const FieldTable table(0, 0, &IsA<XAccount>, {
        Field::Name(),
        Field::Bounds(),
        Field::Word<&XAccount::accountTextSize>("accountTextSize"),
        Field::Colour<&XAccount::accountTextColor>("accountTextColor"),
        [] {
            FieldRow row = Field::Text(
                "targetPage", [](const XControl& c) { return static_cast<const XAccount&>(c).TargetPageName(); },
                [](XControl& c, const QString& v) {
                    auto& a = static_cast<XAccount&>(c);
                    a.targetPage.name = v;
                    a.targetPage.serial = 0;
                });
            row.RefersTo(ReferenceTarget::Page);
            // By name, looked up again in the copy's own project.
            row.copy = [](XControl& c, const XControl& o, bool) {
                auto& a = static_cast<XAccount&>(c);
                const auto& oa = static_cast<const XAccount&>(o);
                a.targetPage.CopyFrom(oa.targetPage, oa.projectData, a.projectData);
            };
            return row;
        }(),
        Field::Copied<&XAccount::accountText>("accountText"),
    });
    return &table;
}

const PropertyTable* XAccount::Properties() const
{
    PropertyRow target = Prop::Special(
        PropertyId::kJumpTarget, "430", PropertyKind::Options,
        [](XControl& c) -> QVariant { return static_cast<XAccount&>(c).TargetPageName(); },
        [](XControl& c, CMFCMyPropertyGridProperty& p) {
            return static_cast<XAccount&>(c).targetPage.Apply(c.projectData, p);
        },
        [](XControl& c, CMFCMyPropertyGridProperty& p) { PageReference::FillOptions(c.projectData, p); });
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        {
            Prop::Int<&XAccount::accountTextSize>(PropertyId::kFontSize, "93", 1, kMaxTextSize, "117"),
            Prop::Colour<&XAccount::accountTextColor>(PropertyId::kTextColour, "94"),
            target,
        },
    });
    return &table;
}

void XAccount::Draw(QPainter& dc)
{
    // The panel colours the text; the editor always shows it white on the placeholder.
    DrawServicePlaceholder(dc, *this, accountText, accountTextSize);
    DrawSelectionMarks(dc);
}
