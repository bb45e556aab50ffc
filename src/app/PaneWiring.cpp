#include "PaneWiring.h"

#include "AppIcons.h"
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "base/Translation.h"
#include "controls/ControlSupport.h"
#include "controls/XPhoto.h"
#include "editor/ui/CMFCMyPropertyGridCtrl.h"
#include "editor/ui/CMarvolentaView.h"
#include "editor/ui/CProjectCheckPane.h"
#include "editor/ui/CProjectTree.h"
#include "editor/ui/CPropertyView.h"
#include "editor/MultiEdit.h"
#include "model/ControlProjectDataDelegate.h"
#include "model/DuplicateElement.h"
#include "model/ElementTypes.h"
#include "model/ProjectData.h"
#include "model/TActionCommand.h"
#include "model/XPage.h"

#include <algorithm>

namespace {

constexpr int kTreePaneWidth = 220;
constexpr int kPropertyPaneWidth = 340;

ProjectData* ProjectOf(const XControl* element)
{
    return element && element->projectData ? element->projectData->GetProject() : nullptr;
}

bool IsPageType(int type)
{
    return type == ElementType::kPage || type == ElementType::kSubPage;
}

} // namespace

PaneWiring::PaneWiring(CMainFrame& f) : frame(f) {}

void PaneWiring::SizePanes()
{
    frame.resizeDocks({treePane, propertyPane}, {kTreePaneWidth, kPropertyPaneWidth}, Qt::Horizontal);
}

void PaneWiring::CreatePanes()
{
    treePane = new CProjectTree(&frame, &AppIcons::ForType, &frame);
    treePane->setAllowedAreas(Qt::AllDockWidgetAreas);
    frame.addDockWidget(Qt::LeftDockWidgetArea, treePane);
    propertyPane = new CPropertyView(&frame);
    propertyPane->SetDelegate(&frame);
    QObject::connect(propertyPane->Grid(), &CMFCMyPropertyGridCtrl::Idle, &frame, [this] { OnGridIdle(); });
    QObject::connect(&frame, &CMainFrame::selectionChanged, &frame, [this] { OnSelectionChanged(); });
    propertyPane->setAllowedAreas(Qt::RightDockWidgetArea);
    frame.addDockWidget(Qt::RightDockWidgetArea, propertyPane);
    SizePanes();
    checkPane = new CProjectCheckPane(&frame);
    checkPane->setAllowedAreas(Qt::AllDockWidgetAreas);
    frame.addDockWidget(Qt::RightDockWidgetArea, checkPane);
    frame.tabifyDockWidget(propertyPane, checkPane);
    propertyPane->raise();
    QObject::connect(checkPane, &CProjectCheckPane::FindingActivated, &frame,
                     [this](const XPage* page, const XControl* element) { ShowFinding(page, element); });
}

void PaneWiring::RelabelPanes() const
{
    treePane->setWindowTitle(Translate("15"));
    treePane->Tree()->RelabelMenu();
    propertyPane->setWindowTitle(Translate("16"));
    checkPane->Relabel();
}

void PaneWiring::Reset()
{
    propertyPane->Grid()->AbandonEdit();
    currentControl = nullptr;
    shownElement = nullptr;
    shownSelection.clear();
    FillPropertyPane();
}

// ---------------------------------------------------------------- selection and properties

void PaneWiring::SelectControl(XControl* control)
{
    if (!control) {
        ClearCurrentControl();
        return;
    }
    // A control that asks to be shown while an edit of the selection's common rows is
    // applied to it (rows that change others) keeps the selection: the rows follow.
    if (editingMany.contains(control)) {
        syncPending = true;
        return;
    }
    // An element whose late commit asks to be shown again while the user has already
    // chosen another one only gets its rows refreshed; the user's choice stands.
    if (propertyPane->Grid()->IsCommitting() && control == shownElement && control != currentControl) {
        syncPending = true;
        return;
    }
    XControl* previous = currentControl;
    if (previous && previous != control && !IsPageType(previous->GetType()) && previous->page
        && previous->page != control->page) {
        previous->selected = false;
        frame.RepaintPage(previous->page);
    }
    currentControl = control;
    FillPropertyPane();
    treePane->ShowCurrent(control);
    XPage* page = control->page;
    if (!page)
        return;
    page->SelectOnly(control);
    if (CChildFrame* child = frame.ChildFrameFor(page)) {
        if (CMarvolentaView* view = child->View()) {
            view->SetFocusControl(control == page ? nullptr : control);
            view->InvalidatePage();
        }
    }
    frame.ScheduleCommandUpdate();
}

void PaneWiring::FillPropertyPane()
{
    CMFCMyPropertyGridCtrl* widget = propertyPane->Grid();
    if (widget->IsBusy()) {
        fillPending = true; // the rows stay until the edit has finished
        return;
    }
    fillPending = false;
    syncPending = false;
    grid.RemoveAll();
    shownElement = currentControl;
    shownSelection.clear();
    if (currentControl) {
        currentControl->FillProperties(grid);
    } else {
        const QList<XControl*> selected = frame.SelectedControls();
        if (selected.size() > 1) {
            MultiEdit::FillCommon(selected, grid);
            shownSelection = selected;
        }
    }
    propertyPane->ShowModel(grid);
}

QList<XControl*> PaneWiring::ShownSelection() const
{
    // Controls may have gone since they were shown: only pointers are compared until a
    // control is known to be live.
    QList<XControl*> live;
    for (XControl* c : shownSelection)
        if (IsLive(c) && (live.isEmpty() || c->page == live.front()->page))
            live << c;
    return live.size() > 1 ? live : QList<XControl*>();
}

void PaneWiring::OnSelectionChanged()
{
    if (!currentControl && frame.SelectedControls() != shownSelection)
        FillPropertyPane();
}

void PaneWiring::ApplyToSelection(CMFCMyPropertyGridProperty& property)
{
    const QList<XControl*> controls = ShownSelection();
    if (controls.isEmpty())
        return;
    editingMany = controls;
    MultiEdit::Apply(controls, property);
    editingMany.clear();
    // Changed, refused or not: the rows show the values the controls have now.
    syncPending = true;
}

bool PaneWiring::ChooseImageForSelection(CMFCMyPropertyGridProperty& property)
{
    const QList<XControl*> controls = ShownSelection();
    auto* first = controls.isEmpty() ? nullptr : dynamic_cast<XPhoto*>(controls.front());
    if (!first || !property.hasButton)
        return false;
    // Taken even when the chooser was cancelled: "handled" is not "changed".
    const QString stored = ControlSupport::ChooseProjectImage(*first);
    if (!stored.isEmpty()) {
        property.AddOption(stored);
        property.SetValue(stored);
        ApplyToSelection(property);
    }
    return true;
}

void PaneWiring::SyncPropertyPane()
{
    syncPending = false;
    PropertyGridModel fresh;
    const QList<XControl*> many = shownElement || currentControl ? QList<XControl*>() : ShownSelection();
    if (!many.isEmpty() && many == frame.SelectedControls()) {
        MultiEdit::FillCommon(many, fresh);
    } else if (shownElement && shownElement == currentControl) {
        shownElement->FillProperties(fresh);
    } else {
        FillPropertyPane();
        return;
    }
    if (!grid.TakeValuesFrom(fresh))
        FillPropertyPane();
}

void PaneWiring::OnGridIdle()
{
    if (fillPending)
        FillPropertyPane();
    else if (syncPending)
        SyncPropertyPane();
}

void PaneWiring::FinishPropertyEdit()
{
    propertyPane->Grid()->FinishEdit();
}

bool PaneWiring::IsLive(const XControl* element) const
{
    if (!element)
        return false;
    for (const auto& project : frame.Projects())
        for (const XPage* page : project->pages)
            if (page == element || page->controls.contains(const_cast<XControl*>(element)))
                return true;
    return false;
}

void PaneWiring::ForgetPage(const XPage* page)
{
    bool refill = false;
    if (shownElement && (shownElement == page || !IsLive(shownElement) || shownElement->page == page)) {
        propertyPane->Grid()->AbandonEdit();
        shownElement = nullptr;
        refill = true;
    }
    if (currentControl && (currentControl == page || currentControl->page == page)) {
        currentControl = nullptr;
        refill = true;
    }
    const bool onPage = std::any_of(shownSelection.cbegin(), shownSelection.cend(),
                                    [page](XControl* c) { return page->controls.contains(c); });
    if (!shownSelection.isEmpty() && (onPage || ShownSelection().isEmpty())) {
        propertyPane->Grid()->AbandonEdit();
        shownSelection.clear();
        refill = true;
    }
    if (refill)
        FillPropertyPane();
}

void PaneWiring::ShowFinding(const XPage* page, const XControl* element)
{
    // The findings may be older than the project: look both up before using them.
    for (const auto& project : frame.Projects()) {
        for (XPage* p : project->pages) {
            if (p != page)
                continue;
            frame.ActivatePage(p, true);
            for (XControl* c : p->controls)
                if (c == element)
                    frame.SelectControl(c);
            return;
        }
    }
}

void PaneWiring::ClearCurrentControl()
{
    currentControl = nullptr;
    FillPropertyPane();
}

void PaneWiring::RefreshProperties()
{
    if (currentControl || !shownSelection.isEmpty())
        FillPropertyPane();
}

void PaneWiring::ShowProperties(XControl* element)
{
    currentControl = element;
    FillPropertyPane();
}

void PaneWiring::PropertyChanged(CMFCMyPropertyGridProperty& property)
{
    // The row belongs to the element shown, which is not always the current one: a click
    // on another control may come between the edit and its commit.
    XControl* element = shownElement;
    if (!element) {
        ApplyToSelection(property);
        return;
    }
    if (!IsLive(element))
        return;
    const quint32 id = property.data;
    if (!element->OnPropertyChanged(property))
        return;
    // Page properties are not undo steps; the mark must not depend on that.
    element->NoteModified();
    if (id == PropertyId::kName)
        UpdateTreeItem(element);
    syncPending = true;
}

bool PaneWiring::PropertyButton(CMFCMyPropertyGridProperty& property)
{
    XControl* owner = property.owner;
    if (!owner)
        return ChooseImageForSelection(property);
    // A row of an element that is gone: taken, and nothing done.
    if (owner != shownElement || !IsLive(owner))
        return true;
    const bool handled = owner->OnPropertyButton(property) != 0;
    syncPending = true;
    return handled;
}

// ---------------------------------------------------------------- tree items

void PaneWiring::InsertTreeItem(ProjectData* project, XControl* element, const QString& label, int positionKind,
                                bool expand)
{
    treePane->InsertItem(project, element, label, positionKind, expand);
}

void PaneWiring::UpdateTreeItem(XControl* element)
{
    treePane->RelabelItem(element);
}

void PaneWiring::RemoveTreeItem(XControl* element)
{
    treePane->RemoveItem(element);
}

void PaneWiring::MoveTreeItemDown(XControl* control)
{
    treePane->MoveItemDown(control);
}

void PaneWiring::MoveTreeItemUp(XControl* control)
{
    treePane->MoveItemUp(control);
}

void PaneWiring::RemoveProject(ProjectData* project)
{
    treePane->RemoveProject(project);
}

// ---------------------------------------------------------------- tree operations

void PaneWiring::ActivateControl(XPage* page, XControl* control)
{
    frame.ActivatePage(page, true);
    SelectControl(control);
    if (ProjectData* project = ProjectOf(page))
        frame.SetCurrentProject(project);
}

bool PaneWiring::IsPage(const XControl* element)
{
    return element && element->GetType() == ElementType::kPage;
}

bool PaneWiring::IsSubPage(const XControl* element)
{
    return element && element->GetType() == ElementType::kSubPage;
}

bool PaneWiring::AddCopy(XControl* source, XPage* page)
{
    XControl* copy = DuplicateElement(source, false);
    if (!copy)
        return false;
    auto* group = new TActionCommands;
    group->Add(new TControlExistCommand(copy, page, true));
    group->Execute();
    page->PushCommands(group);
    frame.RepaintPage(page);
    return true;
}

bool PaneWiring::DropItem(XControl* source, XControl* target)
{
    if (!source || !target || source == target)
        return false;
    ProjectData* project = ProjectOf(source);
    if (!project || project != ProjectOf(target))
        return false;
    const int sourceType = source->GetType();
    if (IsPageType(sourceType)) {
        if (sourceType == ElementType::kPage && target->GetType() == ElementType::kPage)
            return project->MovePageAfter(static_cast<XPage*>(source), static_cast<XPage*>(target));
        return false;
    }
    XPage* sourcePage = source->page;
    XPage* targetPage = target->page;
    if (!sourcePage || !targetPage)
        return false;
    if (targetPage == sourcePage) {
        if (target == sourcePage)
            return false; // onto its own page
        sourcePage->MoveControlAfter(source, target);
        frame.RepaintPage(sourcePage);
        return true;
    }
    // Onto another page the control is copied; the tree item stays where it was.
    AddCopy(source, targetPage);
    return false;
}

void PaneWiring::DeleteItem(XControl* element)
{
    if (!element)
        return;
    ProjectData* project = ProjectOf(element);
    if (IsPageType(element->GetType())) {
        auto* page = static_cast<XPage*>(element);
        frame.ClosePageView(page);
        RemoveTreeItem(page);
        frame.ForgetPageEverywhere(page);
        if (project) {
            project->DeletePage(page);
            // Containers that showed it and rows that named it show none now.
            for (XPage* p : project->pages)
                frame.RepaintPage(p);
        }
        RefreshProperties();
        frame.ScheduleCommandUpdate();
        return;
    }
    XPage* page = element->page;
    if (!page)
        return;
    auto* group = new TActionCommands;
    group->Add(new TControlExistCommand(element, page, false));
    group->Execute();
    page->PushCommands(group);
    frame.RepaintPage(page);
}

void PaneWiring::DuplicateItem(XControl* element)
{
    if (!element)
        return;
    if (IsPageType(element->GetType())) {
        auto* copy = static_cast<XPage*>(DuplicateElement(element, false));
        ProjectData* project = ProjectOf(copy);
        if (!copy || !project)
            return;
        InsertTreeItem(project, copy, copy->name, copy->GetType(), false);
        for (XControl* c : copy->controls)
            InsertTreeItem(project, c, c->name, c->GetType(), false);
        return;
    }
    if (element->page)
        AddCopy(element, element->page);
}
