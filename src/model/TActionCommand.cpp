#include "TActionCommand.h"

#include "ControlMainDelegate.h"
#include "XControl.h"
#include "XPage.h"

#include <utility>

void TActionCommands::Execute()
{
    for (auto& c : commands)
        c->Execute();
}

void TActionCommands::ForEachHeldControl(const std::function<void(XControl*)>& fn) const
{
    for (const auto& c : commands)
        c->ForEachHeldControl(fn);
}

namespace {

// A full copy with name and selected flag, made where the main window makes copies.
// Pages are copied by the project (which appends the copy to its pages), so they are
// never copied that way here.
XControl* CopyWithIdentity(XControl* control)
{
    if (control->mainDelegate && control->page != control)
        return control->mainDelegate->DuplicateElement(control, true);
    return control->Clone(true);
}

}

TControlChangeCommand::TControlChangeCommand(XControl* snapshot, XControl* control)
    : snapshot(snapshot), control(control)
{
}

TControlChangeCommand::~TControlChangeCommand()
{
    delete snapshot;
}

void TControlChangeCommand::Execute()
{
    if (!snapshot)
        return;
    XControl* current = CopyWithIdentity(control);
    if (!current)
        return;
    control->CopyFrom(*snapshot, true);
    control->RefreshReferences();
    delete snapshot;
    snapshot = current;

    if (ControlMainDelegate* md = control->mainDelegate) {
        if (XControl* shown = md->GetPropertyElement()) {
            if (shown == control)
                md->RefillProperties();
            else
                control->selected = false;
        } else if (control->selected && control->page && control->page->SelectedCount() > 1) {
            // The pane shows what the selected controls have in common (an edit of them
            // all): they stay selected and the rows follow.
            md->RefillProperties();
        } else {
            md->ShowProperties(control);
            control->selected = true;
        }
        if (snapshot->name != control->name)
            md->UpdateTreeItem(control);
    }
}

void TControlChangeCommand::ForEachHeldControl(const std::function<void(XControl*)>& fn) const
{
    if (snapshot)
        fn(snapshot);
}

TControlExistCommand::TControlExistCommand(XControl* control, XPage* page, bool pendingAdd,
                                           const QString& preferredName)
    : pendingAdd(pendingAdd), hasOwnName(!pendingAdd), control(control), page(page), preferredName(preferredName)
{
}

TControlExistCommand::~TControlExistCommand()
{
    // A control that is on the page belongs to the page, whatever the flag says.
    if (pendingAdd && !(page && page->controls.contains(control)))
        delete control;
}

void TControlExistCommand::Execute()
{
    // Only a control whose state matches the command is moved; anything else would leave
    // it owned twice or by nobody.
    const bool onPage = page->controls.contains(control);
    if (pendingAdd) {
        if (onPage)
            return;
        // A control coming back (undo of a removal, redo of an addition) keeps its own name
        // while it is free; a first addition takes the preferred one.
        page->AddControl(control, hasOwnName ? control->name : preferredName);
        hasOwnName = true;
    } else {
        if (!onPage)
            return;
        page->RemoveControl(control);
    }
    pendingAdd = !pendingAdd;
}

void TControlExistCommand::ForEachHeldControl(const std::function<void(XControl*)>& fn) const
{
    if (pendingAdd)
        fn(control);
}

void TControlMoveCommand::Execute()
{
    for (MOVECONTROL& e : entries) {
        XControl* c = e.control;
        std::swap(c->x1, e.x1);
        std::swap(c->y1, e.y1);
        std::swap(c->x2, e.x2);
        std::swap(c->y2, e.y2);
        ControlMainDelegate* md = c->mainDelegate;
        if (md && md->GetPropertyElement() == c)
            md->RefillProperties();
        else
            c->selected = false;
    }
}
