#pragma once

#include "model/PropertyGridModel.h"

#include <QList>
#include <QString>

class CMainFrame;
class CMFCMyPropertyGridProperty;
class ProjectData;
class CProjectTree;
class CProjectCheckPane;
class CPropertyView;
class XControl;
class XPage;

// The main frame's two docked panes and what joins them to the pages: the current
// element whose properties the pane shows, selection, the tree items that mirror
// projects, pages and controls, and the tree's own operations (drop, delete, duplicate).
class PaneWiring {
public:
    explicit PaneWiring(CMainFrame& frame);

    // Creates both panes and docks them on the frame.
    void CreatePanes();
    // The tree's and the property pane's widths of a first start.
    void SizePanes();
    CProjectTree* TreePane() const { return treePane; }
    CPropertyView* PropPane() const { return propertyPane; }
    CProjectCheckPane* CheckPane() const { return checkPane; }
    void RelabelPanes() const;
    // Lets go of the current element before the projects go.
    void Reset();

    XControl* CurrentControl() const { return currentControl; }
    void SelectControl(XControl* control);
    void ClearCurrentControl();
    void RefreshProperties();
    void ShowProperties(XControl* element);
    void PropertyChanged(CMFCMyPropertyGridProperty& property);
    bool PropertyButton(CMFCMyPropertyGridProperty& property);
    // Commits a value still being edited in the property pane, and what it left queued.
    void FinishPropertyEdit();

    void InsertTreeItem(ProjectData* project, XControl* element, const QString& label, int positionKind,
                        bool expand);
    void UpdateTreeItem(XControl* element);
    void RemoveTreeItem(XControl* element);
    void MoveTreeItemDown(XControl* control);
    void MoveTreeItemUp(XControl* control);
    void RemoveProject(ProjectData* project);
    // A page is about to be deleted or closed with its project: no queued edit may reach
    // it or its controls, and the pane lets go of them.
    void ForgetPage(const XPage* page);

    // The tree's operations on its items (see ProjectTreeParentDelegate).
    void ActivateControl(XPage* page, XControl* control);
    bool DropItem(XControl* source, XControl* target);
    void DeleteItem(XControl* element);
    void DuplicateItem(XControl* element);
    static bool IsPage(const XControl* element);
    static bool IsSubPage(const XControl* element);

private:
    // Fills the pane from the current control once the grid is idle (see the grid's
    // lifetime rule); until then the rows of the element shown stay as they are.
    void FillPropertyPane();
    // After an edit or a dialog: rows whose values the element changed show them (a
    // kind set with a group, a size set by an image) without losing the bold marks.
    void SyncPropertyPane();
    void OnGridIdle();
    // The pane shows what the selected controls have in common while no single element is
    // current; a change of the selection shows it anew.
    void OnSelectionChanged();
    // The live controls whose common rows are shown, all on one page; empty when none are.
    QList<XControl*> ShownSelection() const;
    void ApplyToSelection(CMFCMyPropertyGridProperty& property);
    // The image chooser of a row shared by the selected controls: one file for all.
    bool ChooseImageForSelection(CMFCMyPropertyGridProperty& property);
    // Whether the element is still a page of an open project or a control on one.
    bool IsLive(const XControl* element) const;
    // A finding was double-clicked: its page opens and its element is selected, if
    // both are still there.
    void ShowFinding(const XPage* page, const XControl* element);
    // Adds a copy (without identity) of a control to a page as one undo step.
    bool AddCopy(XControl* source, XPage* page);

    CMainFrame& frame;
    CProjectTree* treePane = nullptr;
    CPropertyView* propertyPane = nullptr;
    CProjectCheckPane* checkPane = nullptr;
    XControl* currentControl = nullptr;
    XControl* shownElement = nullptr; // whose rows the grid shows; may lag behind the current one
    QList<XControl*> shownSelection;  // or the controls whose common rows it shows
    QList<XControl*> editingMany;     // the controls an edit of common rows is being applied to
    bool fillPending = false;
    bool syncPending = false;
    PropertyGridModel grid;
};
