#include "XPage.h"

#include "ControlMainDelegate.h"
#include "ControlProjectDataDelegate.h"
#include "ElementRecord.h"
#include "FieldTable.h"
#include "MyFile.h"
#include "PageWindow.h"
#include "ProjectData.h"
#include "PropertyGridModel.h"
#include "ScreenType.h"
#include "TActionCommand.h"
#include "TypeRegistry.h"
#include "base/Translation.h"
#include "base/UiSeam.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QPainter>

#include <algorithm>
#include <atomic>

namespace {
quint64 NextPageSerial()
{
    static std::atomic<quint64> next{1};
    return next++;
}
}

XPage::XPage() : serial(NextPageSerial())
{
    recordVersion = 1;
    page = this;
}

XPage::~XPage()
{
    DeleteGroups(undoList);
    DeleteGroups(redoList);
    qDeleteAll(controls);
}

// ---------------------------------------------------------------- properties

void XPage::FillProperties(PropertyGridModel& grid)
{
    grid.RemoveAll();
    const IntRect b = Bounds();
    auto* element = grid.AddGroup(Translate("20"));
    element->AddText(Translate("82"), name, QString(), PropertyId::kName)->owner = this;
    auto* width = element->AddInt(Translate("83"), b.Width(), QString(), PropertyId::kWidth);
    auto* height = element->AddInt(Translate("84"), b.Height(), QString(), PropertyId::kHeight);
    width->enabled = height->enabled = IsSubPage();
    width->owner = height->owner = this;
    element->AddColor(Translate("139"), backgroundColor, QString(), PropertyId::kBackgroundColour)->buttonCaption =
        Translate("88");
    if (!IsSubPage()) {
        auto* options = grid.AddGroup(Translate("88"));
        options->AddInt(Translate("274"), runtimeValue, Translate("140"), PropertyId::kRuntimeValue);
        const QString yes = Translate("141");
        const QString no = Translate("142");
        options->AddOptions(Translate("275"), runtimeFlag ? yes : no, {yes, no}, false,
                            Translate("143"), PropertyId::kRuntimeFlag);
    }
}

bool XPage::OnPropertyChanged(CMFCMyPropertyGridProperty& property)
{
    switch (property.data) {
    case PropertyId::kName: {
        const bool renamed = Rename(property.GetText());
        if (!renamed)
            property.SetValue(name);
        return renamed;
    }
    case PropertyId::kWidth:
    case PropertyId::kHeight: {
        if (!IsSubPage())
            return false;
        const IntRect b = Bounds();
        const int old = property.data == PropertyId::kWidth ? b.Width() : b.Height();
        const int v = property.GetInt();
        // Only the edited side is checked; the other stands in with a valid size.
        const bool inRange = property.data == PropertyId::kWidth ? CheckProjectSize(v, kMinProjectSize)
                                                : CheckProjectSize(kMinProjectSize, v);
        if (!inRange) {
            property.SetValue(old);
            return false;
        }
        if (v == old)
            return false;
        if (property.data == PropertyId::kWidth)
            x2 = b.left + v;
        else
            y2 = b.top + v;
        if (window)
            window->FitPageWindow();
        InvalidatePageWindow();
        return true;
    }
    case PropertyId::kBackgroundColour: {
        const COLORREF c = property.GetColor();
        if (c == backgroundColor)
            return false;
        backgroundColor = c;
        InvalidatePageWindow();
        return true;
    }
    case PropertyId::kRuntimeValue: {
        const int v = property.GetInt();
        if (v < 0 || v > 0xFFFF) {
            // Stored as a word: refuse what the file cannot hold.
            ShowMessageText(TranslateFormat("960", RangeArgs(0, 0xFFFF)), "70");
            property.SetValue(runtimeValue);
            return false;
        }
        if (v == runtimeValue)
            return false;
        runtimeValue = v;
        return true;
    }
    case PropertyId::kRuntimeFlag: {
        const int v = property.GetText() == Translate("141") ? 1 : 0;
        if (v == runtimeFlag)
            return false;
        runtimeFlag = v;
        return true;
    }
    default:
        return false;
    }
}

bool XPage::Rename(const QString& newName)
{
    if (newName.isEmpty() || newName == QLatin1String("NONE"))
        return false;
    if (newName == name)
        return false;
    if (projectData) {
        XPage* other = projectData->FindPage(newName);
        if (other && other != this) {
            ShowMessage("73", "70");
            return false;
        }
    }
    name = newName;
    if (mainDelegate)
        mainDelegate->UpdateTreeItem(this);
    if (window)
        window->SetPageTitle(name);
    return true;
}

// ---------------------------------------------------------------- file

const FieldTable* XPage::Fields() const
{
    static const FieldTable table(0, 1, &IsA<XPage>, {
        Field::Name(),
        Field::Bounds(),
        Field::Colour<&XPage::backgroundColor>("backgroundColor"),
        Field::Word<&XPage::runtimeValue>("runtimeValue").Since(1),
        Field::Word<&XPage::runtimeFlag>("runtimeFlag").Since(1),
        Field::Custom(
            "interlockGroups", [](const XControl& c, MyFile& f) { return static_cast<const XPage&>(c).SaveGroups(f); },
            [](XControl& c, MyFile& f, int) { static_cast<XPage&>(c).LoadGroups(f); },
            [](const XControl& c, QJsonObject& out) {
                QJsonArray groups;
                for (const QString& g : static_cast<const XPage&>(c).GroupNames())
                    groups.append(g);
                out.insert(QStringLiteral("interlockGroups"), groups);
            },
            nullptr),
        Field::Custom(
            "controls", [](const XControl& c, MyFile& f) { return static_cast<const XPage&>(c).SaveControls(f); },
            [](XControl& c, MyFile& f, int) { static_cast<XPage&>(c).LoadControls(f); },
            [](const XControl& c, QJsonObject& out) {
                QJsonArray list;
                for (XControl* control : static_cast<const XPage&>(c).controls) {
                    QJsonObject o;
                    control->DescribeFields(o);
                    list.append(o);
                }
                out.insert(QStringLiteral("controls"), list);
            },
            nullptr),
    });
    return &table;
}

bool XPage::SaveGroups(MyFile& file) const
{
    if (!file.WriteWord(static_cast<int>(interlockGroups.size())))
        return false;
    for (const auto& g : interlockGroups)
        if (!file.WriteString(*g))
            return false;
    return true;
}

void XPage::LoadGroups(MyFile& file)
{
    const int groupCount = file.ReadWord();
    for (int i = 0; i < groupCount && !file.Failed(); ++i)
        AddGroup(file.ReadString());
}

bool XPage::SaveControls(MyFile& file) const
{
    if (!file.WriteWord(static_cast<int>(controls.size())))
        return false;
    for (XControl* c : controls)
        if (!c->Save(file))
            return false;
    return true;
}

void XPage::LoadControls(MyFile& file)
{
    const int controlCount = file.ReadWord();
    for (int i = 0; i < controlCount && !file.Failed(); ++i) {
        // A record that cannot be read marks the file failed, which ends the load.
        XControl* c = ReadElementRecord(file, &CreateElement, [this](XControl* e) { LinkControl(e); });
        if (!c)
            return;
        controls.append(c);
    }
}

// ---------------------------------------------------------------- drawing, references, copies

void XPage::Draw(QPainter& dc)
{
    if (mainDelegate)
        dc.fillRect(mainDelegate->MapRect(Bounds()).ToQRect(), ToQColor(backgroundColor));
    for (XControl* c : controls)
        c->Draw(dc);
}

void XPage::ResolveReferences()
{
    for (XControl* c : controls)
        c->ResolveReferences();
}

void XPage::CopyFrom(const XControl& other, bool withIdentity)
{
    XControl::CopyFrom(other, withIdentity);
    page = this;
    const auto* source = dynamic_cast<const XPage*>(&other);
    if (!source)
        return;
    backgroundColor = source->backgroundColor;
    runtimeValue = source->runtimeValue;
    runtimeFlag = source->runtimeFlag;
    for (XControl* c : source->controls) {
        XControl* copy = mainDelegate ? mainDelegate->DuplicateElement(c, false) : c->Clone(false);
        if (!copy)
            continue;
        copy->name = UniqueControlName(copy->GetType());
        LinkControl(copy);
        controls.append(copy);
    }
}

// ---------------------------------------------------------------- controls

void XPage::LinkControl(XControl* control)
{
    control->mainDelegate = mainDelegate;
    control->projectData = projectData;
    control->page = this;
}

QString XPage::UniqueControlName(int typeNumber) const
{
    return MakeUniqueName(typeNumber, [this](const QString& n) { return FindControl(n) != nullptr; });
}

void XPage::AddControl(XControl* control, bool keepOwnName)
{
    LinkControl(control);
    // Text images and references go by the name: a control that comes back keeps it.
    if (!keepOwnName || control->name.isEmpty() || FindControl(control->name))
        control->name = UniqueControlName(control->GetType());
    controls.append(control);
    if (mainDelegate)
        mainDelegate->AddTreeItem(projectData ? projectData->GetProject() : nullptr, control,
                                  control->name, control->GetType(), 0);
}

void XPage::RemoveControl(XControl* control)
{
    if (!controls.contains(control))
        return;
    if (mainDelegate) {
        mainDelegate->RemoveTreeItem(control);
        if (mainDelegate->GetPropertyElement() == control)
            mainDelegate->ClearProperties();
    }
    control->selected = false;
    controls.removeOne(control);
    for (XControl* c : controls)
        c->ForgetControl(control);
}

XControl* XPage::FindControl(const QString& controlName) const
{
    for (XControl* c : controls)
        if (c->name == controlName)
            return c;
    return nullptr;
}

XControl* XPage::ControlAt(QPoint point) const
{
    for (auto it = controls.crbegin(); it != controls.crend(); ++it) {
        XControl* c = *it;
        if (c->visible && c->HitTest(point))
            return c;
    }
    return nullptr;
}

void XPage::SelectOnly(XControl* control)
{
    for (XControl* c : controls)
        c->selected = (c == control);
}

void XPage::SelectAll()
{
    for (XControl* c : controls)
        c->selected = true;
}

void XPage::DeselectAll()
{
    for (XControl* c : controls)
        c->selected = false;
}

int XPage::SelectedCount() const
{
    return static_cast<int>(std::count_if(controls.cbegin(), controls.cend(),
                                          [](const XControl* c) { return c->selected; }));
}

XControl* XPage::FirstSelected() const
{
    for (XControl* c : controls)
        if (c->selected)
            return c;
    return nullptr;
}

QList<XControl*> XPage::Selected() const
{
    QList<XControl*> list;
    for (XControl* c : controls)
        if (c->selected)
            list.append(c);
    return list;
}

void XPage::MoveSelected(int dx, int dy)
{
    for (XControl* c : controls)
        if (c->selected)
            c->MoveBy(dx, dy);
}

void XPage::MoveSelectedBy(int amount, bool vertical)
{
    MoveSelected(vertical ? 0 : amount, vertical ? amount : 0);
}

bool XPage::RaiseControl(XControl* control)
{
    const auto i = controls.indexOf(control);
    if (i < 0 || i == controls.size() - 1)
        return false;
    controls.move(i, i + 1);
    return true;
}

bool XPage::LowerControl(XControl* control)
{
    const auto i = controls.indexOf(control);
    if (i <= 0)
        return false;
    controls.move(i, i - 1);
    return true;
}

void XPage::MoveControlAfter(XControl* control, XControl* other)
{
    if (control == other || !controls.contains(control) || !controls.contains(other))
        return;
    controls.removeOne(control);
    controls.insert(controls.indexOf(other) + 1, control);
    NoteModified();
}

void XPage::FillSliderOptions(CMFCMyPropertyGridProperty& property) const
{
    property.AddOption(QStringLiteral("NONE"));
    for (XControl* c : controls)
        if (c->GetType() == ElementType::kSlider)
            property.AddOption(c->name);
}

// ---------------------------------------------------------------- interlock groups

QString* XPage::AddGroup(const QString& groupName)
{
    interlockGroups.push_back(std::make_unique<QString>(groupName));
    return interlockGroups.back().get();
}

QString* XPage::FindGroup(const QString& groupName) const
{
    for (const auto& g : interlockGroups)
        if (*g == groupName)
            return g.get();
    return nullptr;
}

bool XPage::RemoveGroup(const QString& groupName)
{
    QString* g = FindGroup(groupName);
    if (!g)
        return false;
    for (XControl* c : controls)
        c->ForgetInterlockGroup(g);
    ForgetGroupInHistory(g);
    const auto it = std::find_if(interlockGroups.begin(), interlockGroups.end(),
                                 [g](const auto& p) { return p.get() == g; });
    retiredGroups.push_back(std::move(*it));
    interlockGroups.erase(it);
    return true;
}

bool XPage::IsGroupEntry(const QString* entry) const
{
    return entry
        && std::any_of(interlockGroups.cbegin(), interlockGroups.cend(),
                       [entry](const auto& p) { return p.get() == entry; });
}

QStringList XPage::GroupNames() const
{
    QStringList names;
    for (const auto& g : interlockGroups)
        names << *g;
    return names;
}

// ---------------------------------------------------------------- undo and redo

void XPage::PushLimited(QList<TActionCommands*>& list, TActionCommands* group)
{
    list.append(group);
    while (list.size() > kUndoLimit)
        delete list.takeFirst();
}

void XPage::DeleteGroups(QList<TActionCommands*>& list)
{
    // Out of the list before deleting, so that nothing walking the lists meanwhile meets
    // a deleted group.
    QList<TActionCommands*> doomed;
    doomed.swap(list);
    qDeleteAll(doomed);
}

void XPage::PushCommand(TActionCommand* command)
{
    if (!command)
        return;
    auto* group = new TActionCommands;
    group->Add(command);
    PushCommands(group);
}

void XPage::PushCommands(TActionCommands* group)
{
    if (!group)
        return;
    if (group->IsEmpty()) {
        delete group;
        return;
    }
    PushLimited(undoList, group);
    DeleteGroups(redoList);
    NoteModified();
}

void XPage::Undo()
{
    if (undoList.isEmpty())
        return;
    TActionCommands* group = undoList.takeLast();
    group->Execute();
    PushLimited(redoList, group);
    NoteModified();
}

void XPage::Redo()
{
    if (redoList.isEmpty())
        return;
    TActionCommands* group = redoList.takeLast();
    group->Execute();
    PushLimited(undoList, group);
    NoteModified();
}

void XPage::ForEachHistoryControl(const std::function<void(XControl*)>& fn) const
{
    for (const TActionCommands* g : undoList)
        g->ForEachHeldControl(fn);
    for (const TActionCommands* g : redoList)
        g->ForEachHeldControl(fn);
}

void XPage::ForgetPageInHistory(const XPage* target)
{
    ForEachHistoryControl([target](XControl* c) { c->ForgetPage(target); });
}

void XPage::ForgetGroupInHistory(const QString* group)
{
    ForEachHistoryControl([group](XControl* c) { c->ForgetInterlockGroup(group); });
}

void XPage::BeginMove()
{
    // The points as they are, not ordered, so that undo gives a line back its direction.
    for (XControl* c : controls) {
        if (!c->selected)
            continue;
        c->moveOrigin[0] = c->x1;
        c->moveOrigin[1] = c->y1;
        c->moveOrigin[2] = c->x2;
        c->moveOrigin[3] = c->y2;
    }
}

void XPage::EndMove()
{
    auto* command = new TControlMoveCommand(this);
    for (XControl* c : controls)
        if (c->selected)
            command->AddEntry(c, c->moveOrigin[0], c->moveOrigin[1], c->moveOrigin[2], c->moveOrigin[3]);
    if (command->Entries().empty()) {
        delete command;
        return;
    }
    PushCommand(command);
}

int XPage::DuplicateSelection()
{
    auto* group = new TActionCommands;
    for (auto it = controls.crbegin(); it != controls.crend(); ++it) {
        XControl* source = *it;
        if (!source->selected)
            continue;
        XControl* copy = mainDelegate ? mainDelegate->DuplicateElement(source, false) : source->Clone(false);
        if (!copy)
            continue;
        copy->selected = true;
        source->selected = false;
        group->Add(new TControlExistCommand(copy, this, true));
    }
    const int count = group->Count();
    if (count > 0) {
        group->Execute();
        PushCommands(group);
    } else {
        delete group;
    }
    return count;
}

bool XPage::DeleteSelection()
{
    auto* group = new TActionCommands;
    for (XControl* c : controls)
        if (c->selected)
            group->Add(new TControlExistCommand(c, this, false));
    if (group->IsEmpty()) {
        delete group;
        return false;
    }
    group->Execute();
    PushCommands(group);
    return true;
}

bool XPage::SetSelectionActive(int flag)
{
    auto* group = new TActionCommands;
    for (XControl* c : controls) {
        if (!c->selected || (c->GetType() != ElementType::kButton && c->GetType() != ElementType::kFontButton) || c->GetActiveFlag() == flag)
            continue;
        XControl* snapshot = mainDelegate ? mainDelegate->DuplicateElement(c, true) : c->Clone(true);
        if (!snapshot)
            continue;
        c->SetActiveFlag(flag);
        group->Add(new TControlChangeCommand(snapshot, c));
    }
    if (group->IsEmpty()) {
        delete group;
        return false;
    }
    PushCommands(group);
    return true;
}
