#include "CControlTreeCtrl.h"

#include "base/Translation.h"
#include "editor/ProjectTreeParentDelegate.h"
#include "model/ElementTypes.h"
#include "model/XControl.h"
#include "model/XPage.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>

namespace {

enum Role { ObjectRole = Qt::UserRole, KindRole };
enum Kind { ProjectKind = 1, ElementKind = 2 };
constexpr int kLockColumnWidth = 22;

quintptr Key(const void* p)
{
    return reinterpret_cast<quintptr>(p);
}

bool IsPageType(const XControl* e)
{
    return e && (e->GetType() == ElementType::kPage || e->GetType() == ElementType::kSubPage);
}

} // namespace

CControlTreeCtrl::CControlTreeCtrl(ProjectTreeParentDelegate* delegate, QWidget* parent)
    : QTreeWidget(parent)
    , delegate(delegate)
    , menu(new QMenu(this))
{
    setObjectName(QStringLiteral("ProjectTree"));
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setColumnCount(2);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setSectionResizeMode(kLockColumn, QHeaderView::Fixed);
    header()->resizeSection(kLockColumn, kLockColumnWidth);
    // Several items are selected when several controls of a page are; the frame decides
    // which, the tree only shows it.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    menu->addAction(QString())->setData(kDuplicateCommand);
    menu->addAction(QString())->setData(kDeleteCommand);
    menu->addAction(QString())->setData(kLockCommand);
    connect(menu, &QMenu::triggered, this, [this](QAction* action) {
        XControl* element = ElementOf(itemFromIndex(contextItem));
        if (!element || !this->delegate)
            return;
        contextItem = QPersistentModelIndex(); // the command may remove the item
        const int command = action->data().toInt();
        if (command == kDuplicateCommand)
            this->delegate->DuplicateItem(element);
        else if (command == kDeleteCommand)
            this->delegate->DeleteItem(element);
        else
            this->delegate->SetControlLocked(element, !element->locked);
    });
    RelabelMenu();
}

void CControlTreeCtrl::RelabelMenu()
{
    const QList<QAction*> actions = menu->actions();
    actions[0]->setText(Translate(QStringLiteral("222")));
    actions[1]->setText(Translate(QStringLiteral("264")));
    const XControl* element = ElementOf(itemFromIndex(contextItem));
    actions[2]->setText(Translate(element && element->locked ? QStringLiteral("2205") : QStringLiteral("2204")));
}

void CControlTreeCtrl::ShowLock(QTreeWidgetItem* item, bool locked) const
{
    if (!item)
        return;
    item->setIcon(kLockColumn, locked ? lockIcon : QIcon());
    item->setToolTip(kLockColumn, Translate(QStringLiteral("2220")));
}

QTreeWidgetItem* CControlTreeCtrl::MakeProjectItem(ProjectData* project, const QString& label)
{
    auto* item = new QTreeWidgetItem({label});
    item->setData(0, ObjectRole, Key(project));
    item->setData(0, KindRole, ProjectKind);
    return item;
}

QTreeWidgetItem* CControlTreeCtrl::MakeElementItem(XControl* element, const QString& label)
{
    auto* item = new QTreeWidgetItem({label});
    item->setData(0, ObjectRole, Key(element));
    item->setData(0, KindRole, ElementKind);
    return item;
}

XControl* CControlTreeCtrl::ElementOf(const QTreeWidgetItem* item)
{
    if (!item || item->data(0, KindRole).toInt() != ElementKind)
        return nullptr;
    return reinterpret_cast<XControl*>(item->data(0, ObjectRole).value<quintptr>());
}

ProjectData* CControlTreeCtrl::ProjectOf(const QTreeWidgetItem* item)
{
    if (!item || item->data(0, KindRole).toInt() != ProjectKind)
        return nullptr;
    return reinterpret_cast<ProjectData*>(item->data(0, ObjectRole).value<quintptr>());
}

void CControlTreeCtrl::MoveItemBehind(QTreeWidgetItem* item, QTreeWidgetItem* target)
{
    if (!item || !target || item == target)
        return;
    QTreeWidgetItem* parent = target->parent();
    if (!parent)
        return;
    if (item->parent() == parent && parent->indexOfChild(item) == parent->indexOfChild(target) + 1)
        return;
    const bool expanded = item->isExpanded();
    if (QTreeWidgetItem* oldParent = item->parent())
        oldParent->removeChild(item);
    parent->insertChild(parent->indexOfChild(target) + 1, item);
    item->setExpanded(expanded);
    clearSelection();
}

void CControlTreeCtrl::OnClicked(QTreeWidgetItem* item, Qt::KeyboardModifiers modifiers)
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
    if (IsPageType(element)) {
        delegate->ActivatePage(static_cast<XPage*>(element), true);
        return;
    }
    auto* page = static_cast<XPage*>(ElementOf(item->parent()));
    if (!page)
        return;
    if (modifiers & (Qt::ControlModifier | Qt::ShiftModifier))
        delegate->ToggleControl(page, element);
    else
        delegate->ActivateControl(page, element);
}

void CControlTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    QTreeWidgetItem* item = itemAt(at);
    XControl* clicked = ElementOf(item);
    // A click on the lock column of a control toggles its lock and does nothing else.
    if (event->button() == Qt::LeftButton && clicked && item->parent() && ElementOf(item->parent())
        && columnAt(at.x()) == kLockColumn) {
        dragSource = QPersistentModelIndex();
        if (delegate)
            delegate->SetControlLocked(clicked, !clicked->locked);
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    pressPoint = at;
    // Projects and sub-pages stay where they are.
    XControl* element = ElementOf(item);
    const bool draggable = element && element->GetType() != ElementType::kSubPage;
    dragSource = draggable ? QPersistentModelIndex(indexFromItem(item)) : QPersistentModelIndex();
    dragging = false;
    if (item) {
        if (!(event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)))
            setCurrentItem(item);
        OnClicked(item, event->modifiers());
    }
}

void CControlTreeCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragSource.isValid() || !(event->buttons() & Qt::LeftButton)) {
        QTreeWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    if (!dragging && (at - pressPoint).manhattanLength() < QApplication::startDragDistance())
        return;
    if (!dragging) {
        dragging = true;
        setCursor(Qt::DragMoveCursor);
    }
    QTreeWidgetItem* under = itemAt(at);
    SetDropTarget(under && !ProjectOf(under) ? under : nullptr);
}

void CControlTreeCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (!dragging) {
        dragSource = QPersistentModelIndex();
        QTreeWidget::mouseReleaseEvent(event);
        return;
    }
    QTreeWidgetItem* source = itemFromIndex(dragSource);
    QTreeWidgetItem* target = itemFromIndex(dropTarget);
    EndDrag();
    if (!delegate || !source || !target || target == source)
        return;
    if (delegate->DropItem(ElementOf(source), ElementOf(target)))
        MoveItemBehind(source, target);
}

void CControlTreeCtrl::SetDropTarget(QTreeWidgetItem* item)
{
    QTreeWidgetItem* old = itemFromIndex(dropTarget);
    if (old == item)
        return;
    if (old)
        old->setBackground(0, QBrush());
    dropTarget = item ? QPersistentModelIndex(indexFromItem(item)) : QPersistentModelIndex();
    if (item)
        item->setBackground(0, palette().highlight().color().lighter(150));
}

void CControlTreeCtrl::EndDrag()
{
    SetDropTarget(nullptr);
    unsetCursor();
    dragging = false;
    dragSource = QPersistentModelIndex();
}

QMenu* CControlTreeCtrl::ContextMenuFor(QTreeWidgetItem* item)
{
    if (!ElementOf(item))
        return nullptr;
    setCurrentItem(item);
    contextItem = QPersistentModelIndex(indexFromItem(item));
    RelabelMenu();
    // Pages and sub-pages are not locked.
    const XControl* element = ElementOf(item);
    menu->actions()[2]->setVisible(element && element->GetType() != ElementType::kPage
                                   && element->GetType() != ElementType::kSubPage);
    return menu;
}

void CControlTreeCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    if (QMenu* m = ContextMenuFor(itemAt(event->pos())))
        m->popup(event->globalPos());
}
