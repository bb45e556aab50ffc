#include "OverviewTableModel.h"

#include <QBrush>
#include <QColor>
#include <QImage>

#include <algorithm>

namespace {

QVariant MarkBrush(OverviewRow::Mark mark)
{
    switch (mark) {
    case OverviewRow::Mark::Note: return QBrush(QColor(0xE8, 0xF0, 0xFB));
    case OverviewRow::Mark::Warning: return QBrush(QColor(0xFF, 0xF3, 0xC4));
    case OverviewRow::Mark::Error: return QBrush(QColor(0xFB, 0xD5, 0xD0));
    case OverviewRow::Mark::None: break;
    }
    return {};
}

} // namespace

OverviewTableModel::OverviewTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void OverviewTableModel::SetHeaders(const QStringList& newHeaders)
{
    if (newHeaders.size() != headers.size()) {
        beginResetModel();
        headers = newHeaders;
        endResetModel();
        return;
    }
    headers = newHeaders;
    if (!headers.isEmpty())
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, static_cast<int>(headers.size()) - 1);
}

void OverviewTableModel::SetRows(std::vector<OverviewRow> next)
{
    linesChanged = 0;
    const int oldCount = static_cast<int>(rows.size());
    const int newCount = static_cast<int>(next.size());
    int head = 0;
    while (head < oldCount && head < newCount && rows[head] == next[head])
        ++head;
    int tail = 0;
    while (tail < oldCount - head && tail < newCount - head && rows[oldCount - 1 - tail] == next[newCount - 1 - tail])
        ++tail;
    const int oldMiddle = oldCount - head - tail;
    const int newMiddle = newCount - head - tail;
    if (oldMiddle == 0 && newMiddle == 0)
        return;
    if (oldMiddle == newMiddle) {
        ChangeInPlace(next, head, oldMiddle);
        return;
    }
    std::vector<EditStep> script;
    if (oldMiddle > 0 && newMiddle > 0 && EditScript(rows.data() + head, oldMiddle, next.data() + head, newMiddle, script))
        Apply(next, head, script);
    else
        Replace(next, head, oldMiddle, newMiddle);
}

void OverviewTableModel::ChangeInPlace(std::vector<OverviewRow>& next, int from, int count)
{
    // Runs of lines that differ, each told once.
    const int columns = std::max(1, columnCount()) - 1;
    for (int i = from; i < from + count;) {
        if (rows[i] == next[i]) {
            ++i;
            continue;
        }
        int end = i;
        while (end < from + count && rows[end] != next[end]) {
            rows[end] = std::move(next[end]);
            ++end;
        }
        linesChanged += end - i;
        Q_EMIT dataChanged(index(i, 0), index(end - 1, columns));
        i = end;
    }
}

bool OverviewTableModel::EditScript(const OverviewRow* a, int n, const OverviewRow* b, int m,
                                    std::vector<EditStep>& script) const
{
    // Myers' shortest edit script; trace[d] keeps the furthest x per diagonal k in
    // -(d + 1) .. d + 1 as they were before step d.
    const int limit = std::min(n + m, kMaxEdits);
    const int offset = n + m + 1;
    std::vector<int> v(2 * static_cast<size_t>(offset) + 1, 0);
    std::vector<std::vector<int>> trace;
    bool found = false;
    for (int d = 0; d <= limit && !found; ++d) {
        trace.emplace_back(v.begin() + (offset - d - 1), v.begin() + (offset + d + 2));
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1])) ? v[offset + k + 1]
                                                                                 : v[offset + k - 1] + 1;
            int y = x - k;
            while (x < n && y < m && a[x] == b[y]) {
                ++x;
                ++y;
            }
            v[offset + k] = x;
            if (x >= n && y >= m) {
                found = true;
                break;
            }
        }
    }
    if (!found)
        return false;
    int x = n;
    int y = m;
    for (int d = static_cast<int>(trace.size()) - 1; d >= 0; --d) {
        const std::vector<int>& w = trace[d];
        auto at = [&w, d](int k) { return w[k + d + 1]; };
        const int k = x - y;
        const int previousK = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? k + 1 : k - 1;
        const int previousX = d == 0 ? 0 : at(previousK);
        const int previousY = previousX - previousK;
        while (x > previousX && y > previousY) {
            script.push_back(EditStep::Keep);
            --x;
            --y;
        }
        if (d > 0)
            script.push_back(x == previousX ? EditStep::Insert : EditStep::Remove);
        x = previousX;
        y = previousY;
    }
    std::reverse(script.begin(), script.end());
    return true;
}

void OverviewTableModel::Apply(std::vector<OverviewRow>& next, int from, const std::vector<EditStep>& script)
{
    int at = from; // in the lines as they are now
    int source = from; // in next
    for (size_t i = 0; i < script.size();) {
        if (script[i] == EditStep::Keep) {
            ++at;
            ++source;
            ++i;
            continue;
        }
        size_t removes = 0;
        while (i + removes < script.size() && script[i + removes] == EditStep::Remove)
            ++removes;
        size_t inserts = 0;
        while (i + removes + inserts < script.size() && script[i + removes + inserts] == EditStep::Insert)
            ++inserts;
        // Lines replaced one for one are changed, the rest removed or inserted.
        const int changed = static_cast<int>(std::min(removes, inserts));
        for (int c = 0; c < changed; ++c)
            rows[at + c] = std::move(next[source + c]);
        if (changed > 0)
            Q_EMIT dataChanged(index(at, 0), index(at + changed - 1, std::max(1, columnCount()) - 1));
        at += changed;
        source += changed;
        const int removed = static_cast<int>(removes) - changed;
        const int inserted = static_cast<int>(inserts) - changed;
        RemoveLines(at, removed);
        InsertLines(at, next, source, inserted);
        at += inserted;
        source += inserted;
        linesChanged += changed + removed + inserted;
        i += removes + inserts;
    }
}

void OverviewTableModel::Replace(std::vector<OverviewRow>& next, int from, int oldMiddle, int newMiddle)
{
    RemoveLines(from, oldMiddle);
    InsertLines(from, next, from, newMiddle);
    linesChanged = oldMiddle + newMiddle;
}

void OverviewTableModel::RemoveLines(int at, int count)
{
    if (count <= 0)
        return;
    beginRemoveRows({}, at, at + count - 1);
    rows.erase(rows.begin() + at, rows.begin() + at + count);
    endRemoveRows();
}

void OverviewTableModel::InsertLines(int at, std::vector<OverviewRow>& next, int from, int count)
{
    if (count <= 0)
        return;
    beginInsertRows({}, at, at + count - 1);
    rows.insert(rows.begin() + at, std::make_move_iterator(next.begin() + from),
                std::make_move_iterator(next.begin() + from + count));
    endInsertRows();
}

const OverviewRow* OverviewTableModel::Row(int row) const
{
    return row >= 0 && static_cast<size_t>(row) < rows.size() ? &rows[static_cast<size_t>(row)] : nullptr;
}

int OverviewTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int OverviewTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headers.size());
}

QVariant OverviewTableModel::data(const QModelIndex& index, int role) const
{
    const OverviewRow* row = Row(index.row());
    if (!row || index.column() < 0)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return row->cells.value(index.column());
    case Qt::ToolTipRole: return row->tip.isEmpty() ? row->cells.value(index.column()) : QVariant(row->tip);
    case Qt::BackgroundRole: return MarkBrush(row->mark);
    case Qt::DecorationRole:
        if (index.column() == 0 && !row->image.isEmpty() && thumbnails) {
            const QImage thumbnail = thumbnails(row->image);
            if (!thumbnail.isNull())
                return thumbnail;
        }
        return {};
    default: return {};
    }
}

QVariant OverviewTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return headers.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
