#include "TestControl.h"

#include "model/ControlMainDelegate.h"
#include "model/ControlProjectDataDelegate.h"
#include "model/MyFile.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QPainter>

namespace {
const QString kNone = QStringLiteral("NONE");
}

int TestControl::live = 0;

TestControl::TestControl(int type, bool lineLike) : type(type), lineLike(lineLike)
{
    ++live;
}

TestControl::~TestControl()
{
    --live;
}

bool TestControl::Save(MyFile& file)
{
    return WriteRecordVersion(file) && WriteType(file) && WriteName(file) && WriteBounds(file);
}

bool TestControl::Load(MyFile& file, int version)
{
    if (version != 0)
        return false;
    ReadName(file);
    ReadBounds(file);
    return !file.Failed();
}

void TestControl::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    dc.fillRect(mainDelegate->MapRect(Bounds()).ToQRect(), ToQColor(color));
    if (selected) {
        DrawSelectionFrame(dc);
        DrawEndHandles(dc);
    }
}

void TestControl::Refresh()
{
    ++refreshCount;
    if (!lineLike)
        NormalizeBounds();
}

void TestControl::OnDoubleClick(QPoint point)
{
    ++doubleClickCount;
    lastDoubleClick = point;
}

void TestControl::CopyFrom(const XControl& other, bool withIdentity)
{
    XControl::CopyFrom(other, withIdentity);
    const auto* o = dynamic_cast<const TestControl*>(&other);
    if (!o)
        return;
    type = o->type;
    lineLike = o->lineLike;
    value = o->value;
    textColor = o->textColor;
    font = o->font;
    text = o->text;
    // The group by name only, as copies of buttons take it.
    group = nullptr;
    groupName = o->GroupName();
    linkText = o->linkText;
    screenAddress = o->screenAddress;
    active = o->active;
    // The names are read through the references, as the real controls do when saving.
    target = o->target;
    targetName = o->TargetName();
    linked = o->linked;
    linkedName = o->LinkedName();
}

bool TestControl::SetValue(int v)
{
    if (v == value)
        return false;
    value = v;
    return true;
}

bool TestControl::SetTextColor(COLORREF c)
{
    if (c == textColor)
        return false;
    textColor = c;
    return true;
}

bool TestControl::SetFont(const FontDesc& f)
{
    if (f.name == font.name && f.size == font.size && f.style == font.style)
        return false;
    font = f;
    return true;
}

bool TestControl::SetText(const QString& t)
{
    if (t == text)
        return false;
    text = t;
    return true;
}

bool TestControl::SetInterlockGroup(const QString& g)
{
    if (g == GroupName())
        return false;
    group = g == kNone || !page ? nullptr : page->FindGroup(g);
    groupName = group ? g : kNone;
    return true;
}

void TestControl::CopyAppearance(const XControl& other)
{
    lineWidth = other.lineWidth;
    color = other.color;
    if (const auto* o = dynamic_cast<const TestControl*>(&other))
        textColor = o->textColor;
}

bool TestControl::SetLinkText(const QString& t)
{
    if (t == linkText)
        return false;
    linkText = t;
    return true;
}

void TestControl::RefreshReferences()
{
    target = nullptr;
    if (targetName != kNone) {
        target = projectData ? projectData->FindPage(targetName) : nullptr;
        if (!target)
            targetName = kNone;
    }
    if (groupName != kNone && !group) {
        group = page ? page->FindGroup(groupName) : nullptr;
        if (!group)
            groupName = kNone;
    }
    linked = nullptr;
    if (linkedName != kNone) {
        linked = page ? page->FindControl(linkedName) : nullptr;
        if (!linked)
            linkedName = kNone;
    }
}

void TestControl::ForgetPage(const XPage* p)
{
    if (target == p) {
        target = nullptr;
        targetName = kNone;
    }
}

void TestControl::ForgetControl(const XControl* c)
{
    if (linked == c) {
        linked = nullptr;
        linkedName = kNone;
    }
}

void TestControl::ForgetInterlockGroup(const QString* g)
{
    if (group == g) {
        group = nullptr;
        groupName = kNone;
    }
}

int TestControl::GetActiveFlag() const
{
    return (type == 6 || type == 15) ? active : -1;
}

void TestControl::SetActiveFlag(int flag)
{
    if (type == 6 || type == 15)
        active = flag;
}

bool TestControl::HasScreenAt(QPoint point) const
{
    return (type == ElementType::kVirtualDisplayWall || type == ElementType::kSVirtualDisplayWall)
        && Bounds().Contains(point.x(), point.y());
}

bool TestControl::SetScreenAddressAt(QPoint point, const QString& address)
{
    if (!HasScreenAt(point))
        return false;
    screenAddress = address;
    return true;
}

QString TestControl::TargetName() const
{
    return target ? target->name : targetName;
}

QString TestControl::GroupName() const
{
    return group ? *group : groupName;
}

QString TestControl::LinkedName() const
{
    return linked ? linked->name : linkedName;
}

void TestControl::SetTarget(XPage* p)
{
    target = p;
    targetName = p ? p->name : kNone;
}

void TestControl::SetLinked(XControl* c)
{
    linked = c;
    linkedName = c ? c->name : kNone;
}

XControl* MakeTestElement(int typeNumber)
{
    if (typeNumber == TypeRegistry::kPage || typeNumber == TypeRegistry::kSubPage)
        return CreateElement(typeNumber);
    if (typeNumber < 0 || typeNumber >= TypeRegistry::kTypeCount)
        return nullptr;
    return new TestControl(typeNumber, typeNumber == 2);
}

TestControl* MakeTestControl(int type, int x1, int y1, int x2, int y2)
{
    auto* c = new TestControl(type, type == 2);
    c->x1 = x1;
    c->y1 = y1;
    c->x2 = x2;
    c->y2 = y2;
    return c;
}
