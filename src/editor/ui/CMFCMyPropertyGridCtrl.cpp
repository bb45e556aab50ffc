#include "CMFCMyPropertyGridCtrl.h"

#include "PropertyEditorDelegate.h"
#include "ColourSwatch.h"
#include "model/XControl.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace {

enum Role { IdRole = Qt::UserRole, GroupRole };
constexpr int kCaptionColumnWidth = 110;
// Captions are fitted up to this share of the width; the values keep the rest.
constexpr double kMaxCaptionShare = 0.55;
const QColor kPlaceholderGrey(0xA0, 0xA0, 0xA0);


// Finds a row by data value among the rows of one group, depth first.
CMFCMyPropertyGridProperty* FindIn(const CMFCMyPropertyGridProperty& parent, quint32 id)
{
    for (const auto& child : parent.SubItems()) {
        if (child->kind != PropertyKind::Group && child->data == id)
            return child.get();
        if (CMFCMyPropertyGridProperty* found = FindIn(*child, id))
            return found;
    }
    return nullptr;
}

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
    if (committing > 0) {
        // The edit under way may have refilled the model; the items follow once it is done.
        if (!rebuildPending) {
            rebuildPending = true;
            QTimer::singleShot(0, this, [this] {
                rebuildPending = false;
                Rebuild();
            });
        }
        return;
    }
    const quint32 current = CurrentProperty() ? CurrentProperty()->data : 0;
    const bool hadCurrent = CurrentProperty() != nullptr;
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
    item->setIcon(1, property.kind == PropertyKind::Color ? ColourSwatch(property.GetColor()) : QIcon());
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
    const quint32 id = item->data(0, IdRole).toUInt();
    for (const auto& group : model->Groups())
        if (CMFCMyPropertyGridProperty* found = FindIn(*group, id))
            return found;
    return nullptr;
}

CMFCMyPropertyGridProperty* CMFCMyPropertyGridCtrl::CurrentProperty() const
{
    return currentItem() ? PropertyAt(indexFromItem(currentItem())) : nullptr;
}

QTreeWidgetItem* CMFCMyPropertyGridCtrl::ItemFor(const CMFCMyPropertyGridProperty* property) const
{
    if (!property)
        return nullptr;
    for (QTreeWidgetItemIterator it(const_cast<CMFCMyPropertyGridCtrl*>(this)); *it; ++it)
        if (!(*it)->data(0, GroupRole).toBool() && (*it)->data(0, IdRole).toUInt() == property->data)
            return *it;
    return nullptr;
}

void CMFCMyPropertyGridCtrl::CommitEdit(CMFCMyPropertyGridProperty& property, const QVariant& value)
{
    property.SetValueFromEditor(value);
    if (QTreeWidgetItem* item = ItemFor(&property))
        ShowValue(item, property);
    ++committing;
    Q_EMIT PropertyEdited(&property);
    --committing;
}

void CMFCMyPropertyGridCtrl::PressButton(CMFCMyPropertyGridProperty& property)
{
    if (!property.owner)
        return;
    ++committing;
    property.owner->OnPropertyButton(property);
    --committing;
}

void CMFCMyPropertyGridCtrl::PropertyValueSet(CMFCMyPropertyGridProperty* property)
{
    if (QTreeWidgetItem* item = ItemFor(property))
        ShowValue(item, *property);
}

void CMFCMyPropertyGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    CMFCMyPropertyGridProperty* property = PropertyAt(index);
    if (!property || !property->enabled) {
        QTreeWidget::mouseDoubleClickEvent(event);
        return;
    }
    // The owner may take the double click (an image chooser, a dialog).
    if (property->owner) {
        ++committing;
        const int handled = property->owner->OnPropertyButton(*property);
        --committing;
        if (handled)
            return;
    }
    if (property->kind == PropertyKind::Options && !property->allowEdit && property->options.size() > 1) {
        // Like the platform grid: a double click steps to the next option.
        const int at = static_cast<int>(property->options.indexOf(property->GetText()));
        CommitEdit(*property, property->options.value((at + 1) % property->options.size()));
        return;
    }
    edit(index.siblingAtColumn(1));
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
