#include "PropertyPane.h"

#include "base/Colorref.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWidget>

namespace {
enum Role { PropertyRole = Qt::UserRole };

QIcon Swatch(COLORREF c)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(ToQColor(c));
    QPainter p(&pixmap);
    p.setPen(Qt::darkGray);
    p.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

CMFCMyPropertyGridProperty* PropertyOf(const QTreeWidgetItem* item)
{
    return item ? reinterpret_cast<CMFCMyPropertyGridProperty*>(item->data(0, PropertyRole).value<quintptr>())
                : nullptr;
}
}

PropertyPane::PropertyPane(QWidget* parent)
    : QDockWidget(parent)
    , grid(new QTreeWidget)
    , description(new QLabel)
{
    setObjectName(QStringLiteral("PropertyPane"));
    grid->setObjectName(QStringLiteral("PropertyGrid"));
    grid->setColumnCount(2);
    grid->setHeaderHidden(true);
    grid->setRootIsDecorated(true);
    grid->setUniformRowHeights(true);
    grid->setAlternatingRowColors(true);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    grid->header()->setStretchLastSection(true);
    grid->setColumnWidth(0, 110);
    grid->setTextElideMode(Qt::ElideRight);

    description->setWordWrap(true);
    description->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    description->setMinimumHeight(64);
    description->setMargin(4);
    description->setFrameShape(QFrame::StyledPanel);
    description->setTextFormat(Qt::PlainText);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(grid, 1);
    layout->addWidget(description);
    setWidget(body);

    connect(grid, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { OnCurrentChanged(item); });
}

void PropertyPane::Clear()
{
    grid->clear();
    description->clear();
}

void PropertyPane::ShowModel(const PropertyGridModel& model)
{
    grid->setUpdatesEnabled(false);
    Clear();
    for (const auto& group : model.Groups()) {
        auto* item = new QTreeWidgetItem(grid);
        item->setText(0, group->caption);
        item->setFirstColumnSpanned(true);
        QFont bold = item->font(0);
        bold.setBold(true);
        item->setFont(0, bold);
        item->setFlags(Qt::ItemIsEnabled);
        item->setData(0, PropertyRole, reinterpret_cast<quintptr>(group.get()));
        for (const auto& row : group->SubItems())
            AddRows(item, *row);
        item->setExpanded(true);
    }
    grid->setUpdatesEnabled(true);
}

void PropertyPane::AddRows(QTreeWidgetItem* parent, const CMFCMyPropertyGridProperty& property)
{
    auto* item = new QTreeWidgetItem(parent);
    item->setText(0, property.caption);
    item->setData(0, PropertyRole, reinterpret_cast<quintptr>(&property));
    item->setToolTip(0, property.caption);
    item->setFlags(property.enabled ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::ItemIsSelectable);
    ShowValue(item, property);
    for (const auto& child : property.SubItems())
        AddRows(item, *child);
    item->setExpanded(true);
}

void PropertyPane::ShowValue(QTreeWidgetItem* item, const CMFCMyPropertyGridProperty& property)
{
    QString text;
    item->setIcon(1, QIcon());
    switch (property.kind) {
    case PropertyKind::Color: {
        const COLORREF c = property.GetColor();
        item->setIcon(1, Swatch(c));
        text = QStringLiteral("%1, %2, %3").arg(RedOf(c)).arg(GreenOf(c)).arg(BlueOf(c));
        break;
    }
    case PropertyKind::Integer:
        text = QString::number(property.GetInt());
        break;
    default:
        text = property.GetText();
        break;
    }
    const bool placeholder = text.isEmpty() && !property.placeholder.isEmpty();
    item->setText(1, placeholder ? property.placeholder : text);
    item->setForeground(1, placeholder ? QBrush(QColor(0xA0, 0xA0, 0xA0)) : QBrush());
    item->setToolTip(1, text);
    QFont font = item->font(1);
    font.setBold(property.IsModified());
    item->setFont(1, font);
}

void PropertyPane::PropertyValueSet(CMFCMyPropertyGridProperty* property)
{
    QTreeWidgetItemIterator it(grid);
    for (; *it; ++it) {
        if (PropertyOf(*it) == property) {
            ShowValue(*it, *property);
            return;
        }
    }
}

void PropertyPane::OnCurrentChanged(QTreeWidgetItem* item)
{
    const CMFCMyPropertyGridProperty* property = PropertyOf(item);
    description->setText(property ? property->caption + QStringLiteral("\n") + property->description : QString());
}

QStringList PropertyPane::RowTexts() const
{
    QStringList rows;
    QTreeWidgetItemIterator it(grid);
    for (; *it; ++it)
        rows << ((*it)->text(1).isEmpty() ? (*it)->text(0) : (*it)->text(0) + QStringLiteral(": ") + (*it)->text(1));
    return rows;
}
