#pragma once

#include "model/PropertyGridModel.h"

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

    void InsertTreeItem(ProjectData* project, XControl* element, const QString& label, int positionKind,
                        bool expand);
    void UpdateTreeItem(XControl* element);
    void RemoveTreeItem(XControl* element);
    void MoveTreeItemDown(XControl* control);
    void MoveTreeItemUp(XControl* control);
    void RemoveProject(ProjectData* project);

    // The tree's operations on its items (see ProjectTreeParentDelegate).
    void ActivateControl(XPage* page, XControl* control);
    bool DropItem(XControl* source, XControl* target);
    void DeleteItem(XControl* element);
    void DuplicateItem(XControl* element);
    static bool IsPage(const XControl* element);
    static bool IsSubPage(const XControl* element);

private:
    void FillPropertyPane();
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
    PropertyGridModel grid;
};
