#pragma once

#include <QIcon>
#include <QPersistentModelIndex>
#include <QTreeWidget>

class ProjectData;
class ProjectTreeParentDelegate;
class QMenu;
class XControl;

// The tree of the project pane: projects, their pages and sub-pages, and the pages'
// controls. Items point at the objects they show and decide nothing: a click, a drop
// and the two context-menu commands go to the main frame through the delegate. Only
// clicks act on items; moving the selection with the keyboard opens nothing.
class CControlTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int kDuplicateCommand = 32848;
    static constexpr int kDeleteCommand = 32844;
    static constexpr int kLockCommand = 33203;
    // The narrow second column shows and toggles the lock of a control.
    static constexpr int kLockColumn = 1;

    explicit CControlTreeCtrl(ProjectTreeParentDelegate* delegate, QWidget* parent = nullptr);

    // Items: a project's, or an element's (page, sub-page or control).
    static QTreeWidgetItem* MakeProjectItem(ProjectData* project, const QString& label);
    static QTreeWidgetItem* MakeElementItem(XControl* element, const QString& label);
    static XControl* ElementOf(const QTreeWidgetItem* item);
    static ProjectData* ProjectOf(const QTreeWidgetItem* item);
    // Shows whether the item's control is locked.
    void ShowLock(QTreeWidgetItem* item, bool locked) const;
    void SetLockIcon(const QIcon& icon) { lockIcon = icon; }

    // Moves an item (with its children) directly behind another under the target's
    // parent and clears the selection; nothing when it is there already.
    void MoveItemBehind(QTreeWidgetItem* item, QTreeWidgetItem* target);

    // While a drag is under way: the item dragged and the one it would be dropped on.
    QTreeWidgetItem* DragSource() const { return dragging ? itemFromIndex(dragSource) : nullptr; }
    QTreeWidgetItem* DropTarget() const { return itemFromIndex(dropTarget); }
    // The context menu of an item (null for a project item or none), for the pointer's
    // right button and for tests; its actions carry the command identifiers.
    QMenu* ContextMenuFor(QTreeWidgetItem* item);
    void RelabelMenu();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnClicked(QTreeWidgetItem* item, Qt::KeyboardModifiers modifiers);
    void SetDropTarget(QTreeWidgetItem* item);
    void EndDrag();

    ProjectTreeParentDelegate* delegate;
    // Kept as persistent indexes: an item removed by the model meanwhile is simply gone.
    QPersistentModelIndex dragSource;
    QPersistentModelIndex dropTarget;
    QPersistentModelIndex contextItem;
    QPoint pressPoint;
    bool dragging = false;
    QMenu* menu = nullptr;
    QIcon lockIcon;
};
