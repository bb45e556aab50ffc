#pragma once

#include "editor/ui/CControlTreeCtrl.h"

#include <QDockWidget>
#include <QIcon>
#include <QList>

#include <functional>

class ProjectData;
class ProjectTreeParentDelegate;
class QTreeWidget;
class QTreeWidgetItem;
class XControl;

// The docked project tree: every open project with its pages, sub-pages and their
// controls. Items point at the objects they show; the tree follows the model and passes
// the user's clicks to the main frame.
class CProjectTree : public QDockWidget {
    Q_OBJECT
public:
    // The icon of a type number (TreePosition::kProject for projects); the application
    // paints them.
    using IconSource = std::function<QIcon(int typeNumber)>;

    CProjectTree(ProjectTreeParentDelegate* delegate, IconSource icons, QWidget* parent = nullptr);

    // positionKind: 100 the project itself (element null), 0 a page, 1 a sub-page, any
    // other value a control (under its page's item).
    void InsertItem(ProjectData* project, XControl* element, const QString& label, int positionKind,
                    bool expand);
    QTreeWidgetItem* FindItem(const XControl* element) const;
    QTreeWidgetItem* FindProjectItem(const ProjectData* project) const;
    void RelabelItem(XControl* element);
    // Highlights the item of the element that became current elsewhere (a click in a
    // view, a finding of the check), acting on nothing.
    void ShowCurrent(const XControl* element);
    // Highlights exactly the items of the selected controls of one page (the current
    // element's alone when there are none), acting on nothing.
    void ShowSelection(const XControl* current, const QList<XControl*>& selected);
    // The lock shown beside a control follows its flag.
    void ShowLock(const XControl* control);
    void SetLockIcon(const QIcon& icon) { tree->SetLockIcon(icon); }
    void RemoveItem(XControl* element);
    void RemoveProject(ProjectData* project);
    // Labels a project's item with its name, marked while it has unsaved changes.
    void MarkProject(const ProjectData* project, const QString& name, bool modified);
    // Moves an item (with its children) directly behind another under the target's parent.
    void MoveItemBehind(QTreeWidgetItem* item, QTreeWidgetItem* target);
    void MoveItemDown(XControl* control);
    void MoveItemUp(XControl* control);

    CControlTreeCtrl* Tree() const { return tree; }
    // The object an item stands for.
    static XControl* ElementOf(const QTreeWidgetItem* item);
    static ProjectData* ProjectOf(const QTreeWidgetItem* item);

private:
    QIcon Icon(int typeNumber) const;

    ProjectTreeParentDelegate* delegate;
    IconSource icons;
    CControlTreeCtrl* tree;
};
