#include "DesignViewLogic.h"

#include "ControlLocks.h"
#include "LayoutSettings.h"
#include "MarvolentaViewMainDelegate.h"
#include "ViewZoom.h"
#include "model/TActionCommand.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <Qt>

namespace {

constexpr int kFirstControlType = 2;
constexpr int kLastControlType = 37;

}

namespace ViewCommand {

QKeySequence ShortcutOf(int command)
{
    switch (command) {
    case kCopy: return QKeySequence(Qt::CTRL | Qt::Key_C);
    case kPaste: return QKeySequence(Qt::CTRL | Qt::Key_V);
    case kCut: return QKeySequence(Qt::CTRL | Qt::Key_X);
    case kDuplicate: return QKeySequence(Qt::CTRL | Qt::Key_D);
    case kSelectAll: return QKeySequence(Qt::CTRL | Qt::Key_A);
    case kDelete: return QKeySequence(Qt::Key_Delete);
    default: return {};
    }
}

}

bool BrushAppliesTo(int mode, const XControl& control, MarvolentaViewMainDelegate& delegate)
{
    const int type = control.GetType();
    switch (mode) {
    case ToolMode::kSendCodeBrush: return TypeRegistry::BrushApplies(type, BrushSet::SendCode);
    case ToolMode::kColourBrush: return TypeRegistry::BrushApplies(type, BrushSet::Colour);
    case ToolMode::kFontBrush: return TypeRegistry::BrushApplies(type, BrushSet::Font);
    case ToolMode::kTextBrush: return TypeRegistry::BrushApplies(type, BrushSet::Text);
    case ToolMode::kInterlockBrush:
        return TypeRegistry::BrushApplies(type, BrushSet::Interlock) && control.page
            && control.page == delegate.GetInterlockPage();
    case ToolMode::kAddressBrush: return TypeRegistry::BrushApplies(type, BrushSet::Address);
    case ToolMode::kFormatBrush: {
        const XControl* source = delegate.GetFormatSource();
        return source && source->GetType() == type;
    }
    case ToolMode::kStreamBrush: return TypeRegistry::BrushApplies(type, BrushSet::Stream);
    default: return false;
    }
}

DesignViewLogic::DesignViewLogic(XPage* page, MarvolentaViewMainDelegate* delegate)
    : page(page), delegate(delegate)
{
}

bool DesignViewLogic::OnPage(const XControl* c) const
{
    return c && page && page->controls.contains(const_cast<XControl*>(c));
}

XControl* DesignViewLogic::GetTrackedControl() const
{
    return OnPage(trackedControl) ? trackedControl : nullptr;
}

XControl* DesignViewLogic::GetFocusControl() const
{
    return OnPage(focusControl) ? focusControl : nullptr;
}

XControl* DesignViewLogic::GetContextControl() const
{
    return OnPage(contextControl) ? contextControl : nullptr;
}

void DesignViewLogic::Repaint()
{
    if (repaint)
        repaint();
    if (delegate && page)
        delegate->SelectionChanged(page);
}

const LayoutSettings* DesignViewLogic::Layout() const
{
    return delegate && page ? delegate->GetLayoutSettings(page) : nullptr;
}

int DesignViewLogic::SnapTolerance() const
{
    return std::max(1, delegate->ViewPointToPage(ViewCommand::kSnapScreenPixels, 0).x());
}

// ---------------------------------------------------------------- pointer

void DesignViewLogic::Hover(QPoint point)
{
    hoverPoint = point;
    if (!page || !delegate)
        return;
    const int mode = delegate->GetToolMode();
    if (mode == ToolMode::kSelect) {
        // While a drag runs, the kind found before the button went down decides what moves.
        if (capturing)
            return;
        handleCode = 0;
        XControl* hit = page->ControlAt(point, true);
        if (!hit) {
            hitKind = HitKind::Nothing;
            return;
        }
        const int handle = hit->selected ? hit->HitTestHandle(point) : 0;
        if (handle != 0 && page->SelectedCount() == 1) {
            hitKind = HitKind::Handle;
            handleCode = handle;
        } else {
            hitKind = HitKind::Body;
        }
    } else if (ToolMode::IsBrush(mode)) {
        hitKind = HitKind::Brush;
        handleCode = 0;
    } else {
        hitKind = HitKind::Create;
        handleCode = 0;
    }
}

void DesignViewLogic::LeftButtonDown(QPoint point, const ViewKeys& keys)
{
    trackedControl = nullptr;
    moved = false;
    if (!page || !delegate)
        return;
    // The kind is taken at the button's own point: the last hover may be stale when a key
    // changed the selection since.
    capturing = false;
    Hover(point);
    anchor = point;
    currentPoint = point;
    const int mode = delegate->GetToolMode();
    if (mode == ToolMode::kSelect) {
        if (XControl* hit = page->ControlAt(point, true)) {
            SelectByClick(hit, keys);
        } else {
            // A click on the empty page (or a locked control) always clears the selection,
            // even when the page is already the current element; with Shift a band adds
            // to it instead.
            if (!keys.shift) {
                page->DeselectAll();
                if (delegate->GetCurrentControl() != page)
                    delegate->SelectControl(page);
                focusControl = nullptr;
            }
            band.Begin(*page, point, keys.shift);
            Repaint();
        }
    } else if (ToolMode::IsBrush(mode)) {
        ApplyBrush(mode, point, keys);
    }
    capturing = true;
}

void DesignViewLogic::SelectByClick(XControl* hit, const ViewKeys& keys)
{
    if (keys.ctrl) {
        if (!hit->selected)
            page->SelectOnly(hit);
        const int copies = page->DuplicateSelection();
        if (copies > 1)
            focusControl = page->FirstSelected();
        if (copies > 0) {
            // The drag that follows moves the copies, also when it began on a handle.
            hitKind = HitKind::Body;
            handleCode = 0;
        }
    } else if (keys.shift) {
        hit->selected = !hit->selected;
    } else if (!hit->selected) {
        page->SelectOnly(hit);
    }

    const int count = page->SelectedCount();
    if (count == 1) {
        XControl* only = page->FirstSelected();
        trackedControl = only;
        focusControl = only;
        if (delegate->GetCurrentControl() == only)
            Repaint();
        else
            delegate->SelectControl(only);
    } else {
        if (count == 0)
            focusControl = nullptr;
        delegate->ClearCurrentControl();
        Repaint();
    }
    page->BeginMove();
}

void DesignViewLogic::LeftButtonMove(QPoint point, const ViewKeys& keys)
{
    if (!capturing || !page || !delegate)
        return;
    Hover(point);
    const int mode = delegate->GetToolMode();
    if (mode == ToolMode::kSelect) {
        const int dx = point.x() - anchor.x();
        const int dy = point.y() - anchor.y();
        anchor = point;
        if (band.IsActive()) {
            if (dx != 0 || dy != 0) {
                band.Update(point);
                Repaint();
            }
            return;
        }
        if (page->SelectedCount() == 0)
            return;
        // A pointer that moves less than one page pixel (zoomed out) moves nothing, and a
        // click must not become an undo step.
        if (dx == 0 && dy == 0)
            return;
        if (!moved)
            BeginDrag();
        moved = true;
        // V keeps x, H keeps y (V wins when both are held).
        const bool allowX = !keys.keyV;
        const bool allowY = keys.keyV || !keys.keyH;
        drag.Step(QPoint(allowX ? dx : 0, allowY ? dy : 0), allowX, allowY, keys.alt);
        Repaint();
    } else if (mode >= kFirstControlType && mode <= kLastControlType) {
        currentPoint = point;
        SnapEngine& snap = drag.Engine();
        if (!trackedControl && point != anchor) {
            // The lines to snap to are taken before the new control joins the page.
            if (const LayoutSettings* layout = Layout())
                snap.Begin(*page, *layout, SnapTolerance(), nullptr);
            if (XControl* created = delegate->CreateControl(mode)) {
                page->AddControl(created);
                trackedControl = created;
            }
        }
        if (XControl* tracked = GetTrackedControl()) {
            QPoint start = anchor;
            QPoint end = currentPoint;
            if (keys.alt || !snap.IsActive()) {
                snap.ClearGuides();
            } else {
                start += snap.SnapPoint(start, true, true);
                end += snap.SnapPoint(end, true, true); // the guides of the corner being dragged
            }
            tracked->x1 = start.x();
            tracked->y1 = start.y();
            tracked->x2 = end.x();
            tracked->y2 = end.y();
            Repaint();
        }
    }
}

void DesignViewLogic::LeftButtonUp(QPoint point, const ViewKeys& keys)
{
    const bool wasCapturing = capturing;
    capturing = false;
    if (!wasCapturing || !page || !delegate)
        return;
    const int mode = delegate->GetToolMode();
    const bool showedGuides = !drag.Guides().empty();
    drag.End();
    if (mode == ToolMode::kSelect) {
        if (band.IsActive()) {
            FinishBand();
            return;
        }
        if (!moved) {
            if (showedGuides)
                Repaint();
            return;
        }
        if (XControl* tracked = GetTrackedControl()) {
            tracked->Refresh();
            delegate->SelectControl(tracked);
        }
        trackedControl = nullptr;
        if (page->SelectedCount() > 0)
            page->EndMove();
        Repaint();
    } else if (mode >= kFirstControlType && mode <= kLastControlType) {
        XControl* tracked = GetTrackedControl();
        trackedControl = nullptr;
        if (!tracked) {
            if (showedGuides)
                Repaint();
            return;
        }
        if (tracked->x1 == tracked->x2 && tracked->y1 == tracked->y2) {
            // Dragged away and back to where it started: nothing is created.
            page->RemoveControl(tracked);
            delete tracked;
            Repaint();
            return;
        }
        page->PushCommand(new TControlExistCommand(tracked, page, false));
        tracked->Refresh();
        delegate->SelectControl(tracked);
        focusControl = tracked;
        Repaint();
    }
}

void DesignViewLogic::BeginDrag()
{
    const LayoutSettings* layout = Layout();
    if (hitKind == HitKind::Body) {
        drag.Begin(*page, page->Selected(), SnappedDrag::kMoveAll, layout, SnapTolerance());
        return;
    }
    XControl* tracked = GetTrackedControl();
    if (tracked && (handleCode == SnappedDrag::kStartPoint || handleCode == SnappedDrag::kEndPoint))
        drag.Begin(*page, {tracked}, handleCode, layout, SnapTolerance());
}

QList<XControl*> DesignViewLogic::DraggedControls() const
{
    if (!capturing)
        return {};
    if (drag.IsActive())
        return drag.Controls();
    XControl* tracked = GetTrackedControl();
    if (tracked && delegate && delegate->GetToolMode() != ToolMode::kSelect)
        return {tracked};
    return {};
}

void DesignViewLogic::SettleSelection()
{
    const int count = page->SelectedCount();
    if (count == 1) {
        XControl* only = page->FirstSelected();
        focusControl = only;
        if (delegate->GetCurrentControl() != only)
            delegate->SelectControl(only);
    } else if (count > 1) {
        // The alignment commands need a focus among the selection.
        focusControl = page->FirstSelected();
        delegate->ClearCurrentControl();
    } else {
        focusControl = nullptr;
        // A control of this page that the pane shows is no longer selected.
        XControl* current = delegate->GetCurrentControl();
        if (current && current != page && current->page == page)
            delegate->SelectControl(page);
    }
    Repaint();
}

void DesignViewLogic::FinishBand()
{
    const bool dragged = band.HasMoved();
    band.End();
    if (dragged)
        SettleSelection();
}

void DesignViewLogic::DoubleClick(QPoint point)
{
    if (!page || !delegate || delegate->GetToolMode() != ToolMode::kSelect)
        return;
    XControl* hit = page->ControlAt(point, true);
    if (hit && page->SelectedCount() == 1) {
        hit->OnDoubleClick(point);
        Repaint();
    }
}

QVector<ContextMenuItem> DesignViewLogic::RightButtonUp(QPoint point)
{
    QVector<ContextMenuItem> items;
    if (!page || !delegate)
        return items;
    // Locked controls are found here too, so that they can be unlocked where they lie.
    contextControl = page->ControlAt(point);
    const int selectedCount = page->SelectedCount();
    const int clipboardCount = delegate->GetClipboardCount();
    if (contextControl) {
        items.append({ViewCommand::kStepUp, "325"});
        items.append({ViewCommand::kStepDown, "326"});
        if (contextControl->locked)
            items.append({ViewCommand::kUnlock, "2205"});
        else
            items.append({ViewCommand::kLock, "2204"});
    }
    if (selectedCount > 0) {
        items.append({ViewCommand::kCut, "2201"});
        items.append({ViewCommand::kCopy, "225"});
        items.append({ViewCommand::kDuplicate, "2202"});
        items.append({ViewCommand::kDelete, "227"});
        items.append({ViewCommand::kActivate, "228"});
        items.append({ViewCommand::kDeactivate, "229"});
    }
    if (clipboardCount > 0)
        items.append({ViewCommand::kPaste, "226"});
    return items;
}

void DesignViewLogic::ApplyBrush(int mode, QPoint point, const ViewKeys& keys)
{
    XControl* hit = page->ControlAt(point, true);
    if (!hit || !BrushAppliesTo(mode, *hit, *delegate))
        return;
    // Without a snapshot the change could not be undone; such a change is not made.
    XControl* snapshot = delegate->CloneControl(hit, true);
    if (!snapshot)
        return;
    bool changed = false;
    switch (mode) {
    case ToolMode::kSendCodeBrush:
        changed = hit->SetValue(keys.keyD ? 0 : delegate->NextSendCode());
        break;
    case ToolMode::kColourBrush: changed = hit->SetTextColor(delegate->GetBrushColour()); break;
    case ToolMode::kFontBrush: changed = hit->SetFont(delegate->GetBrushFont()); break;
    case ToolMode::kTextBrush: changed = hit->SetText(delegate->GetBrushText()); break;
    case ToolMode::kInterlockBrush:
        changed = hit->SetInterlockGroup(keys.keyD ? QStringLiteral("NONE") : delegate->GetInterlockName());
        break;
    case ToolMode::kAddressBrush:
        // Only a click on one of the wall's screens takes an address from the counter.
        changed = hit->HasScreenAt(point) && hit->SetScreenAddressAt(point, delegate->NextBrushAddress());
        break;
    case ToolMode::kFormatBrush:
        hit->CopyAppearance(*delegate->GetFormatSource());
        changed = true;
        break;
    case ToolMode::kStreamBrush: changed = hit->SetLinkText(delegate->NextBrushStreamUrl()); break;
    default: break;
    }
    if (changed) {
        Repaint();
        page->PushCommand(new TControlChangeCommand(snapshot, hit));
    } else {
        delete snapshot;
    }
    delegate->SelectControl(hit);
}

// ---------------------------------------------------------------- commands and keys

void DesignViewLogic::Delete()
{
    if (page->DeleteSelection()) {
        Repaint();
        delegate->ClearCurrentControl();
    }
    focusControl = nullptr;
}

void DesignViewLogic::Duplicate()
{
    const LayoutSettings* layout = Layout();
    const int offset = layout ? layout->gridSpacing : LayoutSettings::kDefaultGridSpacing;
    if (page->DuplicateSelection() == 0)
        return;
    // The copies are the selection now. Undo and redo of the duplication take and bring
    // back these very objects, so the offset needs no step of its own.
    page->MoveSelected(offset, offset);
    SettleSelection();
}

void DesignViewLogic::Lock(bool locked)
{
    XControl* context = GetContextControl();
    if (!context)
        return;
    const QList<XControl*> controls = locked && context->selected ? page->Selected() : QList<XControl*>{context};
    if (!ControlLocks::Apply(controls, locked))
        return;
    delegate->LocksChanged(page);
    if (locked)
        SettleSelection(); // locked controls have left the selection
    else
        Repaint();
}

void DesignViewLogic::OnCommand(int commandId)
{
    if (!page || !delegate)
        return;
    switch (commandId) {
    case ViewCommand::kCopy:
        if (page->SelectedCount() > 0)
            delegate->CopyToClipboard(page);
        break;
    case ViewCommand::kPaste: delegate->PasteFromClipboard(page); break;
    case ViewCommand::kDelete: Delete(); break;
    case ViewCommand::kCut:
        if (page->SelectedCount() > 0) {
            delegate->CopyToClipboard(page);
            Delete();
        }
        break;
    case ViewCommand::kDuplicate: Duplicate(); break;
    case ViewCommand::kSelectAll: SelectAll(false); break;
    case ViewCommand::kLock: Lock(true); break;
    case ViewCommand::kUnlock: Lock(false); break;
    case ViewCommand::kActivate:
    case ViewCommand::kDeactivate:
        if (page->SetSelectionActive(commandId == ViewCommand::kActivate ? 1 : 0))
            Repaint();
        break;
    case ViewCommand::kStepUp:
        if (XControl* c = GetContextControl(); c && page->RaiseControl(c)) {
            delegate->MoveTreeItemDown(c);
            Repaint();
        }
        break;
    case ViewCommand::kStepDown:
        if (XControl* c = GetContextControl(); c && page->LowerControl(c)) {
            delegate->MoveTreeItemUp(c);
            Repaint();
        }
        break;
    default: break;
    }
}

void DesignViewLogic::SelectAll(bool focusTypeOnly)
{
    int type = -1;
    if (focusTypeOnly) {
        XControl* focus = GetFocusControl();
        if (!focus)
            return;
        type = focus->GetType();
    }
    // Locked controls are chosen only in the tree.
    for (XControl* c : page->controls)
        c->selected = !c->locked && (type < 0 || c->GetType() == type);
    if (page->SelectedCount() > 1)
        delegate->ClearCurrentControl();
    Repaint();
}

bool DesignViewLogic::HandleKey(int key, const ViewKeys& keys)
{
    if (!page || !delegate)
        return false;
    switch (key) {
    case Qt::Key_Escape:
        if (!keys.leftButton) {
            delegate->SetToolMode(ToolMode::kSelect);
            hitKind = HitKind::Nothing;
            handleCode = 0;
        }
        return true;
    case Qt::Key_Left: Nudge(keys.ctrl ? -1 : -10, false); return true;
    case Qt::Key_Up: Nudge(keys.ctrl ? -1 : -10, true); return true;
    case Qt::Key_Right: Nudge(keys.ctrl ? 1 : 10, false); return true;
    case Qt::Key_Down: Nudge(keys.ctrl ? 1 : 10, true); return true;
    case Qt::Key_Delete: OnCommand(ViewCommand::kDelete); return true;
    case Qt::Key_A:
        if (!keys.ctrl)
            return false;
        SelectAll(keys.shift);
        return true;
    case Qt::Key_X:
        if (!keys.ctrl)
            return false;
        OnCommand(ViewCommand::kCut);
        return true;
    case Qt::Key_D:
        if (!keys.ctrl)
            return false;
        OnCommand(ViewCommand::kDuplicate);
        return true;
    case Qt::Key_C:
        if (!keys.ctrl)
            return false;
        OnCommand(ViewCommand::kCopy);
        return true;
    case Qt::Key_V:
        if (!keys.ctrl)
            return false;
        OnCommand(ViewCommand::kPaste);
        return true;
    case Qt::Key_Z:
        if (!keys.ctrl)
            return false;
        if (page->CanUndo()) {
            page->Undo();
            Repaint();
        }
        return true;
    case Qt::Key_Y:
        if (!keys.ctrl)
            return false;
        if (page->CanRedo()) {
            page->Redo();
            Repaint();
        }
        return true;
    default: return false;
    }
}

void DesignViewLogic::Nudge(int step, bool vertical)
{
    if (!page || !delegate)
        return;
    page->BeginMove();
    const int count = page->SelectedCount();
    page->MoveSelectedBy(step, vertical);
    if (count > 0) {
        page->EndMove();
        Repaint();
        delegate->RefreshProperties();
    }
}

bool DesignViewLogic::Wheel(int delta, unsigned tick, bool inside)
{
    if (!inside || !delegate)
        return false;
    // Unsigned difference: correct across the wrap of the tick counter.
    if (wheelSeen && tick - lastWheelTick <= ViewZoom::kWheelInterval)
        return false;
    wheelSeen = true;
    lastWheelTick = tick;
    delegate->ZoomStep(delta);
    return true;
}
