#include "CProjectTree.h"

#include "editor/MarvolentaViewMainDelegate.h"
#include "editor/ProjectTreeParentDelegate.h"
#include "model/XControl.h"
#include "model/XPage.h"


#include <QItemSelectionModel>
#include <QSet>
#include <QTreeWidget>

CProjectTree::CProjectTree(ProjectTreeParentDelegate* delegate, IconSource icons, QWidget* parent)
    : QDockWidget(parent)
    , delegate(delegate)
    , icons(std::move(icons))
    , tree(new CControlTreeCtrl(delegate, this))
{
    setObjectName(QStringLiteral("ProjectTreePane"));
    setWidget(tree);
}

QIcon CProjectTree::Icon(int typeNumber) const
{
    return icons ? icons(typeNumber) : QIcon();
}

XControl* CProjectTree::ElementOf(const QTreeWidgetItem* item)
{
    return CControlTreeCtrl::ElementOf(item);
}

ProjectData* CProjectTree::ProjectOf(const QTreeWidgetItem* item)
{
    return CControlTreeCtrl::ProjectOf(item);
}

QTreeWidgetItem* CProjectTree::FindProjectItem(const ProjectData* project) const
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = tree->topLevelItem(i);
        if (ProjectOf(item) == project)
            return item;
    }
    return nullptr;
}

QTreeWidgetItem* CProjectTree::FindItem(const XControl* element) const
{
    if (!element)
        return nullptr;
    // Projects, then their pages, then the pages' controls.
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* project = tree->topLevelItem(i);
        for (int j = 0; j < project->childCount(); ++j) {
            QTreeWidgetItem* page = project->child(j);
            if (ElementOf(page) == element)
                return page;
        }
    }
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* project = tree->topLevelItem(i);
        for (int j = 0; j < project->childCount(); ++j) {
            QTreeWidgetItem* page = project->child(j);
            for (int k = 0; k < page->childCount(); ++k)
                if (ElementOf(page->child(k)) == element)
                    return page->child(k);
        }
    }
    return nullptr;
}

void CProjectTree::InsertItem(ProjectData* project, XControl* element, const QString& label,
                                 int positionKind, bool expand)
{

    if (positionKind == TreePosition::kProject) {
        if (FindProjectItem(project))
            return;
        QTreeWidgetItem* item = CControlTreeCtrl::MakeProjectItem(project, label);
        item->setIcon(0, Icon(TreePosition::kProject));
        tree->addTopLevelItem(item);
        item->setExpanded(true);
        return;
    }

    QTreeWidgetItem* projectItem = FindProjectItem(project);
    if (!projectItem || !element)
        return;
    QTreeWidgetItem* item = CControlTreeCtrl::MakeElementItem(element, label);
    item->setIcon(0, Icon(element->GetType()));

    QTreeWidgetItem* parentItem = projectItem;
    if (positionKind == 0) {
        // Pages stay before sub-pages: behind the last page item.
        int at = 0;
        for (int i = 0; i < projectItem->childCount(); ++i) {
            XControl* e = ElementOf(projectItem->child(i));
            if (e && e->GetType() == ElementType::kPage)
                at = i + 1;
        }
        projectItem->insertChild(at, item);
    } else if (positionKind == 1) {
        projectItem->addChild(item);
    } else {
        parentItem = FindItem(element->page);
        if (!parentItem || parentItem->parent() != projectItem) {
            delete item;
            return;
        }
        parentItem->addChild(item);
        tree->ShowLock(item, element->locked);
    }
    projectItem->setExpanded(true);
    if (expand)
        parentItem->setExpanded(true);
}

void CProjectTree::RelabelItem(XControl* element)
{
    if (QTreeWidgetItem* item = FindItem(element))
        item->setText(0, element->name);
}

void CProjectTree::ShowCurrent(const XControl* element)
{
    QTreeWidgetItem* item = FindItem(element);
    if (!item || tree->currentItem() == item)
        return;
    tree->setCurrentItem(item);
    tree->scrollToItem(item);
}

void CProjectTree::ShowSelection(const XControl* current, const QList<XControl*>& selected)
{
    if (selected.isEmpty()) {
        ShowCurrent(current);
        return;
    }
    QTreeWidgetItem* pageItem = FindItem(selected.front()->page);
    if (!pageItem)
        return;
    // One pass over the page's items, however many controls are selected.
    const QSet<const XControl*> wanted(selected.cbegin(), selected.cend());
    QItemSelection selection;
    QTreeWidgetItem* currentItem = nullptr;
    for (int i = 0; i < pageItem->childCount(); ++i) {
        QTreeWidgetItem* child = pageItem->child(i);
        const XControl* element = ElementOf(child);
        if (!element || !wanted.contains(element))
            continue;
        const QModelIndex index = tree->indexFromItem(child);
        selection.select(index, index);
        if (!currentItem || element == current)
            currentItem = child;
    }
    QItemSelectionModel* model = tree->selectionModel();
    model->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (currentItem) {
        model->setCurrentIndex(tree->indexFromItem(currentItem), QItemSelectionModel::NoUpdate);
        tree->scrollToItem(currentItem);
    }
}

void CProjectTree::ShowLock(const XControl* control)
{
    tree->ShowLock(FindItem(control), control && control->locked);
}

void CProjectTree::RemoveItem(XControl* element)
{
    delete FindItem(element);
}

void CProjectTree::RemoveProject(ProjectData* project)
{
    delete FindProjectItem(project);
}

void CProjectTree::MarkProject(const ProjectData* project, const QString& name, bool modified)
{
    QTreeWidgetItem* item = FindProjectItem(project);
    const QString label = modified ? name + QStringLiteral(" *") : name;
    if (item && item->text(0) != label)
        item->setText(0, label);
}

void CProjectTree::MoveItemBehind(QTreeWidgetItem* item, QTreeWidgetItem* target)
{
    tree->MoveItemBehind(item, target);
}

void CProjectTree::MoveItemDown(XControl* control)
{
    QTreeWidgetItem* item = FindItem(control);
    if (!item || !item->parent())
        return;
    QTreeWidgetItem* parent = item->parent();
    QTreeWidgetItem* next = parent->child(parent->indexOfChild(item) + 1);
    if (next)
        MoveItemBehind(item, next);
}

void CProjectTree::MoveItemUp(XControl* control)
{
    QTreeWidgetItem* item = FindItem(control);
    if (!item || !item->parent())
        return;
    QTreeWidgetItem* parent = item->parent();
    const int index = parent->indexOfChild(item);
    if (index > 0)
        MoveItemBehind(parent->child(index - 1), item);
}
