#include "CMyListCtrl.h"

#include <QHeaderView>
#include <QPalette>

#include <algorithm>

namespace {

constexpr int kColumns = CMyListCtrl::kDeviceColumns;

} // namespace

CMyListCtrl::CMyListCtrl(QWidget* parent) : CMyListCtrl(kColumns, parent) {}

CMyListCtrl::CMyListCtrl(int columns, QWidget* parent) : QTableWidget(0, std::max(columns, 1), parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);

    QPalette p = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Highlight, QColor(0x33, 0x99, 0xFF));
        p.setColor(group, QPalette::HighlightedText, Qt::white);
        p.setColor(group, QPalette::Base, Qt::white);
        p.setColor(group, QPalette::Text, Qt::black);
    }
    setPalette(p);
}

void CMyListCtrl::SetColumnCaptions(const QStringList& captions)
{
    setHorizontalHeaderLabels(captions);
}

void CMyListCtrl::SpreadColumns()
{
    const int width = viewport()->width() / columnCount() - 1;
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, std::max(width, 20));
}

int CMyListCtrl::AppendTexts(const QStringList& texts)
{
    const int row = rowCount();
    insertRow(row);
    WriteTexts(row, texts);
    return row;
}

void CMyListCtrl::WriteTexts(int row, const QStringList& texts)
{
    for (int c = 0; c < columnCount(); ++c) {
        QTableWidgetItem* cell = item(row, c);
        if (!cell) {
            cell = new QTableWidgetItem;
            cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            setItem(row, c, cell);
        }
        cell->setText(texts.value(c));
    }
}

int CMyListCtrl::AppendRow(const DeviceInfoItem& item)
{
    const int row = rowCount();
    insertRow(row);
    WriteRow(row, item);
    return row;
}

void CMyListCtrl::WriteRow(int row, const DeviceInfoItem& item)
{
    const QString texts[kColumns] = {item.id, item.name, item.previewAddress, item.hdAddress, item.uhdAddress};
    for (int c = 0; c < kColumns; ++c) {
        QTableWidgetItem* cell = this->item(row, c);
        if (!cell) {
            cell = new QTableWidgetItem;
            Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
            if (c == 0) {
                flags |= Qt::ItemIsUserCheckable;
                cell->setCheckState(Qt::Unchecked);
            }
            cell->setFlags(flags);
            setItem(row, c, cell);
        }
        cell->setText(texts[c]);
    }
}

QString CMyListCtrl::Text(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

bool CMyListCtrl::IsChecked(int row) const
{
    const QTableWidgetItem* cell = item(row, 0);
    return cell && cell->checkState() == Qt::Checked;
}

void CMyListCtrl::SetChecked(int row, bool checked)
{
    if (QTableWidgetItem* cell = item(row, 0))
        cell->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

int CMyListCtrl::SelectedRow() const
{
    const QList<QTableWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->row();
}

void CMyListCtrl::SelectRow(int row)
{
    clearSelection();
    if (row < 0 || row >= rowCount())
        return;
    setCurrentCell(row, 0);
    selectRow(row);
    scrollToItem(item(row, 0));
}

int CMyListCtrl::CheckedCount() const
{
    int count = 0;
    for (int r = 0; r < rowCount(); ++r)
        count += IsChecked(r) ? 1 : 0;
    return count;
}
