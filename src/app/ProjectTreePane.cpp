#include "ProjectTreePane.h"

#include "AppIcons.h"
#include "editor/MarvolentaViewMainDelegate.h"
#include "editor/ProjectTreeParentDelegate.h"
#include "model/XControl.h"
#include "model/XPage.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace {
enum Role { ObjectRole = Qt::UserRole, KindRole };
enum Kind { ProjectKind = 1, ElementKind = 2 };

quintptr Key(const void* p)
{
    return reinterpret_cast<quintptr>(p);
}
}

ProjectTreePane::ProjectTreePane(ProjectTreeParentDelegate* delegate, QWidget* parent)
    : QDockWidget(parent)
    , delegate(delegate)
    , tree(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("ProjectTreePane"));
    tree->setObjectName(QStringLiteral("ProjectTree"));
    tree->setHeaderHidden(true);
    tree->setRootIsDecorated(true);
    tree->setUniformRowHeights(true);
    tree->setIconSize(QSize(16, 16));
    tree->setColumnCount(1);
    setWidget(tree);
    connect(tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { OnItemClicked(item); });
}

XControl* ProjectTreePane::ElementOf(const QTreeWidgetItem* item)
{
    if (!item || item->data(0, KindRole).toInt() != ElementKind)
        return nullptr;
    return reinterpret_cast<XControl*>(item->data(0, ObjectRole).value<quintptr>());
}

ProjectData* ProjectTreePane::ProjectOf(const QTreeWidgetItem* item)
{
    if (!item || item->data(0, KindRole).toInt() != ProjectKind)
        return nullptr;
    return reinterpret_cast<ProjectData*>(item->data(0, ObjectRole).value<quintptr>());
}

QTreeWidgetItem* ProjectTreePane::FindProjectItem(const ProjectData* project) const
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = tree->topLevelItem(i);
        if (item->data(0, ObjectRole).value<quintptr>() == Key(project))
            return item;
    }
    return nullptr;
}

QTreeWidgetItem* ProjectTreePane::FindItem(const XControl* element) const
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

void ProjectTreePane::InsertItem(ProjectData* project, XControl* element, const QString& label,
                                 int positionKind, bool expand)
{
    auto makeItem = [&](int image) {
        auto* item = new QTreeWidgetItem({label});
        item->setIcon(0, AppIcons::ForType(image));
        return item;
    };

    if (positionKind == TreePosition::kProject) {
        if (FindProjectItem(project))
            return;
        QTreeWidgetItem* item = makeItem(TreePosition::kProject);
        item->setData(0, ObjectRole, Key(project));
        item->setData(0, KindRole, ProjectKind);
        tree->addTopLevelItem(item);
        item->setExpanded(true);
        return;
    }

    QTreeWidgetItem* projectItem = FindProjectItem(project);
    if (!projectItem || !element)
        return;
    QTreeWidgetItem* item = makeItem(element->GetType());
    item->setData(0, ObjectRole, Key(element));
    item->setData(0, KindRole, ElementKind);

    QTreeWidgetItem* parentItem = projectItem;
    if (positionKind == 0) {
        // Pages stay before sub-pages: behind the last page item.
        int at = 0;
        for (int i = 0; i < projectItem->childCount(); ++i) {
            XControl* e = ElementOf(projectItem->child(i));
            if (e && e->GetType() == 0)
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
    }
    projectItem->setExpanded(true);
    if (expand)
        parentItem->setExpanded(true);
}

void ProjectTreePane::RelabelItem(XControl* element)
{
    if (QTreeWidgetItem* item = FindItem(element))
        item->setText(0, element->name);
}

void ProjectTreePane::RemoveItem(XControl* element)
{
    delete FindItem(element);
}

void ProjectTreePane::RemoveProject(ProjectData* project)
{
    delete FindProjectItem(project);
}

void ProjectTreePane::MoveItemBehind(QTreeWidgetItem* item, QTreeWidgetItem* target)
{
    if (!item || !target || item == target)
        return;
    QTreeWidgetItem* parent = target->parent();
    if (!parent)
        return;
    if (item->parent() == parent && parent->indexOfChild(item) == parent->indexOfChild(target) + 1)
        return;
    const bool expanded = item->isExpanded();
    QTreeWidgetItem* oldParent = item->parent();
    if (oldParent)
        oldParent->removeChild(item);
    parent->insertChild(parent->indexOfChild(target) + 1, item);
    item->setExpanded(expanded);
    tree->clearSelection();
}

void ProjectTreePane::MoveItemDown(XControl* control)
{
    QTreeWidgetItem* item = FindItem(control);
    if (!item || !item->parent())
        return;
    QTreeWidgetItem* parent = item->parent();
    QTreeWidgetItem* next = parent->child(parent->indexOfChild(item) + 1);
    if (next)
        MoveItemBehind(item, next);
}

void ProjectTreePane::MoveItemUp(XControl* control)
{
    QTreeWidgetItem* item = FindItem(control);
    if (!item || !item->parent())
        return;
    QTreeWidgetItem* parent = item->parent();
    const int index = parent->indexOfChild(item);
    if (index > 0)
        MoveItemBehind(parent->child(index - 1), item);
}

void ProjectTreePane::OnItemClicked(QTreeWidgetItem* item)
{
    if (!delegate || !item)
        return;
    if (ProjectData* project = ProjectOf(item)) {
        delegate->SetCurrentProject(project);
        return;
    }
    XControl* element = ElementOf(item);
    if (!element)
        return;
    const int type = element->GetType();
    if (type == 0 || type == 1) {
        delegate->ActivatePage(static_cast<XPage*>(element), true);
        return;
    }
    auto* page = static_cast<XPage*>(ElementOf(item->parent()));
    if (page)
        delegate->ActivateControl(page, element);
}
