#include "CMFCMyPropertyGridCtrl.h"

#include "PropertyEditorDelegate.h"
#include "ColourSwatch.h"
#include "base/UiSeam.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

enum Role { IdRole = Qt::UserRole, GroupRole };
constexpr int kCaptionColumnWidth = 110;
// Captions are fitted up to this share of the width; the values keep the rest.
constexpr double kMaxCaptionShare = 0.55;
const QColor kPlaceholderGrey(0xA0, 0xA0, 0xA0);


} // namespace

CMFCMyPropertyGridCtrl::CMFCMyPropertyGridCtrl(QWidget* parent)
    : QTreeWidget(parent)
    , description(new QLabel)
{
    setObjectName(QStringLiteral("PropertyGrid"));
    setColumnCount(2);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setTextElideMode(Qt::ElideRight);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    header()->setSectionResizeMode(0, QHeaderView::Interactive);
    header()->setStretchLastSection(true);
    setColumnWidth(0, kCaptionColumnWidth);
    // Once the user sizes the caption column, it keeps that size.
    connect(header(), &QHeaderView::sectionResized, this, [this](int section) {
        if (section == 0 && !fittingCaptions)
            captionsSizedByUser = true;
    });
    setItemDelegateForColumn(1, new PropertyEditorDelegate(this));

    description->setObjectName(QStringLiteral("PropertyDescription"));
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    description->setFixedHeight(kDescriptionHeight);
    description->setMargin(4);
    description->setFrameShape(QFrame::StyledPanel);
    description->setTextFormat(Qt::PlainText);

    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { OnCurrentChanged(item); });
}

CMFCMyPropertyGridCtrl::~CMFCMyPropertyGridCtrl()
{
    // An editor still open goes unapplied, and its delegate before the base classes tear
    // the editor down: the delegate's filter would otherwise see the editor's last events
    // and ask a grid that is no longer one.
    AbandonEdit();
    QAbstractItemDelegate* delegate = itemDelegateForColumn(1);
    setItemDelegateForColumn(1, nullptr);
    delete delegate;
    // The model is not touched: its owner may be gone before the widgets are.
    if (!description->parent())
        delete description;
}

void CMFCMyPropertyGridCtrl::SetModel(PropertyGridModel* m)
{
    if (model && model != m)
        model->SetObserver(nullptr);
    model = m;
    if (model)
        model->SetObserver(this);
    Rebuild();
}

void CMFCMyPropertyGridCtrl::Rebuild()
{
    // The model is refilled only while the grid is idle; an editor still open here edits
    // a row that is gone, and goes without committing.
    if (openEditor) {
        QWidget* editor = openEditor;
        openEditor = nullptr;
        QTreeWidget::closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
    const QTreeWidgetItem* was = currentItem();
    const bool hadCurrent = was && !was->data(0, GroupRole).toBool();
    const quint32 current = hadCurrent ? was->data(0, IdRole).toUInt() : 0;
    setUpdatesEnabled(false);
    clear();
    description->clear();
    if (model) {
        for (const auto& group : model->Groups()) {
            auto* item = new QTreeWidgetItem(this);
            item->setText(0, group->caption);
            item->setFirstColumnSpanned(true);
            QFont bold = item->font(0);
            bold.setBold(true);
            item->setFont(0, bold);
            item->setFlags(Qt::ItemIsEnabled);
            item->setData(0, GroupRole, true);
            for (const auto& row : group->SubItems())
                AddItems(item, *row);
            item->setExpanded(true);
        }
    }
    // The same row stays current after a refill; otherwise the first row is, so that its
    // description shows and the keyboard has a row to start from.
    QTreeWidgetItem* first = nullptr;
    QTreeWidgetItem* same = nullptr;
    for (QTreeWidgetItemIterator it(this); *it && !same; ++it) {
        if ((*it)->data(0, GroupRole).toBool())
            continue;
        if (!first)
            first = *it;
        if (hadCurrent && (*it)->data(0, IdRole).toUInt() == current)
            same = *it;
    }
    if (same || first)
        setCurrentItem(same ? same : first, 1);
    FitCaptions();
    setUpdatesEnabled(true);
}

void CMFCMyPropertyGridCtrl::FitCaptions()
{
    if (captionsSizedByUser || topLevelItemCount() == 0)
        return;
    fittingCaptions = true;
    resizeColumnToContents(0);
    const int most = static_cast<int>(viewport()->width() * kMaxCaptionShare);
    setColumnWidth(0, std::clamp(columnWidth(0), kCaptionColumnWidth, std::max(kCaptionColumnWidth, most)));
    fittingCaptions = false;
}

void CMFCMyPropertyGridCtrl::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    FitCaptions();
}

void CMFCMyPropertyGridCtrl::AddItems(QTreeWidgetItem* parent, const CMFCMyPropertyGridProperty& property)
{
    auto* item = new QTreeWidgetItem(parent);
    item->setText(0, property.caption);
    item->setToolTip(0, property.caption);
    item->setData(0, IdRole, property.data);
    Qt::ItemFlags flags = Qt::ItemIsSelectable;
    if (property.enabled)
        flags |= Qt::ItemIsEnabled | Qt::ItemIsEditable;
    item->setFlags(flags);
    ShowValue(item, property);
    for (const auto& child : property.SubItems())
        AddItems(item, *child);
    item->setExpanded(true);
}

QString CMFCMyPropertyGridCtrl::ValueText(const CMFCMyPropertyGridProperty& property)
{
    // No value: the row stands for several elements whose values differ.
    if (!property.GetValue().isValid())
        return {};
    switch (property.kind) {
    case PropertyKind::Color: return ColourText(property.GetColor());
    case PropertyKind::Integer: return QString::number(property.GetInt());
    case PropertyKind::Group: return {};
    default: return property.GetText();
    }
}

void CMFCMyPropertyGridCtrl::ShowValue(QTreeWidgetItem* item, const CMFCMyPropertyGridProperty& property)
{
    const QString text = ValueText(property);
    const bool swatch = property.kind == PropertyKind::Color && property.GetValue().isValid();
    item->setIcon(1, swatch ? ColourSwatch(property.GetColor()) : QIcon());
    const bool placeholder = text.isEmpty() && !property.placeholder.isEmpty();
    item->setText(1, placeholder ? property.placeholder : text);
    item->setForeground(1, placeholder ? QBrush(kPlaceholderGrey) : QBrush());
    item->setToolTip(1, text);
    QFont font = item->font(1);
    font.setBold(property.IsModified());
    item->setFont(1, font);
}

CMFCMyPropertyGridProperty* CMFCMyPropertyGridCtrl::PropertyAt(const QModelIndex& index) const
{
    const QTreeWidgetItem* item = itemFromIndex(index.siblingAtColumn(0));
    if (!item || !model || item->data(0, GroupRole).toBool())
        return nullptr;
    return model->FindByData(item->data(0, IdRole).toUInt());
}

CMFCMyPropertyGridProperty* CMFCMyPropertyGridCtrl::Find(quint32 id) const
{
    return model ? model->FindByData(id) : nullptr;
}

CMFCMyPropertyGridProperty* CMFCMyPropertyGridCtrl::CurrentProperty() const
{
    return currentItem() ? PropertyAt(indexFromItem(currentItem())) : nullptr;
}

QTreeWidgetItem* CMFCMyPropertyGridCtrl::ItemFor(quint32 id) const
{
    for (QTreeWidgetItemIterator it(const_cast<CMFCMyPropertyGridCtrl*>(this)); *it; ++it)
        if (!(*it)->data(0, GroupRole).toBool() && (*it)->data(0, IdRole).toUInt() == id)
            return *it;
    return nullptr;
}

// ---------------------------------------------------------------- edits and their queue

void CMFCMyPropertyGridCtrl::QueueValue(quint32 id, const QVariant& value)
{
    Queue({Work::Value, id, value});
}

void CMFCMyPropertyGridCtrl::QueueColourChoice(quint32 id, COLORREF start)
{
    Queue({Work::ChooseColour, id, static_cast<qulonglong>(start)});
}

void CMFCMyPropertyGridCtrl::QueueButton(quint32 id)
{
    Queue({Work::Button, id, {}});
}

void CMFCMyPropertyGridCtrl::Queue(Work work)
{
    queue.push_back(std::move(work));
    ScheduleRun();
}

void CMFCMyPropertyGridCtrl::ScheduleRun()
{
    if (runScheduled)
        return;
    runScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            runScheduled = false;
            RunQueued();
        },
        Qt::QueuedConnection);
}

void CMFCMyPropertyGridCtrl::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == openEditor)
        openEditor = nullptr;
    // Tab opens the next row's editor in here; the value left behind runs after.
    QTreeWidget::closeEditor(editor, hint);
    ScheduleRun();
}

void CMFCMyPropertyGridCtrl::EndEditor()
{
    if (QWidget* editor = openEditor) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void CMFCMyPropertyGridCtrl::FinishEdit()
{
    if (!openEditor && queue.empty())
        return;
    EndEditor();
    RunQueued();
}

void CMFCMyPropertyGridCtrl::AbandonEdit()
{
    queue.clear();
    if (QWidget* editor = openEditor) {
        openEditor = nullptr;
        QTreeWidget::closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
}

void CMFCMyPropertyGridCtrl::RunQueued()
{
    // A modal dialog of the work under way runs an event loop; what was queued meanwhile
    // waits for that work to end.
    if (running)
        return;
    running = true;
    while (!queue.empty()) {
        const Work work = std::move(queue.front());
        queue.pop_front();
        Run(work);
    }
    running = false;
    if (!IsBusy())
        Q_EMIT Idle();
}

void CMFCMyPropertyGridCtrl::Run(const Work& work)
{
    CMFCMyPropertyGridProperty* property = Find(work.id);
    if (!property || !listener)
        return;
    switch (work.kind) {
    case Work::Value: Commit(*property, work.value); break;
    case Work::ChooseColour: {
        COLORREF chosen = 0;
        if (Ui().ChooseColor(static_cast<COLORREF>(work.value.toULongLong()), chosen))
            Commit(*property, static_cast<qulonglong>(chosen & 0xFFFFFF));
        break;
    }
    case Work::Button: listener->PropertyButton(*property); break;
    case Work::DoubleClick:
        // The element may take the double click (an image chooser, a dialog); whether it
        // changed anything is its own affair.
        if ((property->owner || property->hasButton) && listener->PropertyButton(*property))
            break;
        StepOrEdit(work.id);
        break;
    }
}

void CMFCMyPropertyGridCtrl::StepOrEdit(quint32 id)
{
    CMFCMyPropertyGridProperty* property = Find(id);
    if (!property || !property->enabled)
        return;
    if (property->kind == PropertyKind::Options && !property->allowEdit && property->options.size() > 1) {
        // Like the platform grid: a double click steps to the next option.
        const int at = static_cast<int>(property->options.indexOf(property->GetText()));
        Commit(*property, property->options.value((at + 1) % property->options.size()));
        return;
    }
    if (QTreeWidgetItem* item = ItemFor(id)) {
        setCurrentItem(item, 1);
        edit(indexFromItem(item, 1));
    }
}

void CMFCMyPropertyGridCtrl::Commit(CMFCMyPropertyGridProperty& property, const QVariant& value)
{
    property.SetValueFromEditor(value);
    if (QTreeWidgetItem* item = ItemFor(property.data))
        ShowValue(item, property);
    listener->PropertyEdited(property);
}

void CMFCMyPropertyGridCtrl::PropertyValueSet(CMFCMyPropertyGridProperty* property)
{
    if (QTreeWidgetItem* item = property ? ItemFor(property->data) : nullptr)
        ShowValue(item, *property);
}

void CMFCMyPropertyGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The base class stops the edit a first click on the current row may have started.
    QTreeWidget::mouseDoubleClickEvent(event);
    const CMFCMyPropertyGridProperty* property = PropertyAt(indexAt(event->position().toPoint()));
    if (property && property->enabled)
        Queue({Work::DoubleClick, property->data, {}});
}

void CMFCMyPropertyGridCtrl::keyPressEvent(QKeyEvent* event)
{
    // Enter on a row opens its editor; in an editor it commits (the delegate's default).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && state() != EditingState
        && CurrentProperty()) {
        edit(currentIndex().siblingAtColumn(1));
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CMFCMyPropertyGridCtrl::OnCurrentChanged(QTreeWidgetItem* item)
{
    const CMFCMyPropertyGridProperty* property = item ? PropertyAt(indexFromItem(item)) : nullptr;
    description->setText(property ? property->caption + QStringLiteral("\n") + property->description : QString());
}
