#include "MultiEdit.h"

#include "model/ElementTypes.h"
#include "model/PageWindow.h"
#include "model/PropertyGridModel.h"
#include "model/PropertyRows.h"
#include "model/TActionCommand.h"
#include "model/XControl.h"
#include "model/XPage.h"

#include <memory>
#include <vector>

namespace MultiEdit {

namespace {

bool SameRow(const CMFCMyPropertyGridProperty& a, const CMFCMyPropertyGridProperty& b)
{
    return a.kind == b.kind && a.options == b.options && a.allowEdit == b.allowEdit;
}

// A row that can be edited for several controls at once.
bool Offered(const CMFCMyPropertyGridProperty& row)
{
    if (row.data == PropertyId::kName)
        return false;
    // Without its dialog, a list still chooses; a text or number behind a dialog does not.
    return !row.hasButton || row.kind == PropertyKind::Options;
}

} // namespace

void FillCommon(const QList<XControl*>& controls, PropertyGridModel& grid)
{
    grid.RemoveAll();
    if (controls.size() < 2)
        return;
    std::vector<PropertyGridModel> fills(static_cast<size_t>(controls.size()));
    for (int i = 0; i < controls.size(); ++i)
        controls[i]->FillProperties(fills[static_cast<size_t>(i)]);
    for (const auto& group : fills.front().Groups()) {
        CMFCMyPropertyGridProperty* common = nullptr;
        for (const auto& row : group->SubItems()) {
            if (!Offered(*row))
                continue;
            QVariant value = row->GetValue();
            bool enabled = row->enabled;
            bool everywhere = true;
            for (size_t i = 1; i < fills.size() && everywhere; ++i) {
                const CMFCMyPropertyGridProperty* same = fills[i].FindByData(row->data);
                everywhere = same && SameRow(*row, *same);
                if (!everywhere)
                    break;
                if (same->GetValue() != row->GetValue())
                    value = QVariant(); // shown empty
                enabled = enabled && same->enabled;
            }
            if (!everywhere)
                continue;
            if (!common)
                common = grid.AddGroup(group->caption);
            auto* added = common->AddSubItem(
                std::make_unique<CMFCMyPropertyGridProperty>(row->kind, row->caption, value, row->description, row->data));
            added->options = row->options;
            added->allowEdit = row->allowEdit;
            added->enabled = enabled;
            // An image row's chooser takes one file for all of them.
            added->hasButton = row->hasButton && RowEdit::Find(*controls.front(), row->data, PropertyRowKind::Image);
            added->buttonCaption = row->buttonCaption;
            added->placeholder = row->placeholder;
        }
    }
}

RowEdit::Result Apply(const QList<XControl*>& controls, const CMFCMyPropertyGridProperty& edited)
{
    XPage* page = controls.isEmpty() ? nullptr : controls.front()->page;
    if (!page)
        return RowEdit::Result::Unchanged;
    auto step = std::make_unique<TActionCommands>();
    for (XControl* c : controls) {
        if (RowEdit::Try(*c, edited.kind, edited.data, edited.GetValue(), *step) == RowEdit::Result::Refused) {
            // Each command swaps its control with the state before: the first edits undone.
            step->Execute();
            if (page->window)
                page->window->InvalidatePage();
            return RowEdit::Result::Refused;
        }
    }
    if (step->IsEmpty())
        return RowEdit::Result::Unchanged;
    page->PushCommands(step.release());
    return RowEdit::Result::Changed;
}

}
