#include "TActionCommand.h"

#include "ControlMainDelegate.h"
#include "XControl.h"
#include "XPage.h"

void TActionCommands::Execute()
{
    for (auto& c : commands)
        c->Execute();
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
    XControl* current = control->Clone(true);
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
        } else {
            md->ShowProperties(control);
            control->selected = true;
        }
        if (snapshot && snapshot->name != control->name)
            md->UpdateTreeItem(control);
    }
}

TControlExistCommand::TControlExistCommand(XControl* control, XPage* page, bool pendingAdd)
    : pendingAdd(pendingAdd), control(control), page(page)
{
}

TControlExistCommand::~TControlExistCommand()
{
    if (pendingAdd)
        delete control;
}

void TControlExistCommand::Execute()
{
    if (pendingAdd)
        page->AddControl(control);
    else
        page->RemoveControl(control);
    pendingAdd = !pendingAdd;
}

void TControlMoveCommand::Execute()
{
    for (MOVECONTROL& e : entries) {
        const IntRect previous = e.control->Bounds();
        e.control->SetBounds(e.rect);
        e.rect = previous;
        ControlMainDelegate* md = e.control->mainDelegate;
        if (md && md->GetPropertyElement() == e.control)
            md->RefillProperties();
        else
            e.control->selected = false;
    }
}
