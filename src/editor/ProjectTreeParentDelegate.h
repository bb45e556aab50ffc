#pragma once

class ProjectData;
class QObject;
class XControl;
class XPage;

// What the project tree asks of the main frame, in slot order. Tree items stand for a
// project (only SetCurrentProject takes one) or an element: a page, sub-page or control.
class ProjectTreeParentDelegate {
public:
    virtual ~ProjectTreeParentDelegate() = default;

    virtual void ActivatePage(XPage* page, bool open) = 0;
    virtual void ActivateControl(XPage* page, XControl* control) = 0;
    virtual void SetCurrentProject(ProjectData* project) = 0;
    // True when the source's tree item is to be moved behind the target's.
    virtual bool DropItem(XControl* source, XControl* target) = 0;
    virtual bool IsPage(XControl* element) const = 0;
    virtual bool IsSubPage(XControl* element) const = 0;
    virtual XPage* GetItemPage(XControl* element) const = 0;
    virtual void DeleteItem(XControl* element) = 0;
    virtual void DuplicateItem(XControl* element) = 0;
    virtual QObject* GetMainFrame() = 0;

    // Beyond the slots above; a delegate that does without them keeps these defaults.
    // A control clicked with Ctrl or Shift joins or leaves the selection of its page.
    virtual void ToggleControl(XPage* page, XControl* control) { ActivateControl(page, control); }
    // A control is to be locked or unlocked (its lock in the tree was clicked).
    virtual void SetControlLocked(XControl* control, bool locked) {}
};
