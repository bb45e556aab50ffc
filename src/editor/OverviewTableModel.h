#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

class QImage;

// One line of an overview table: its cells, where a double click leads (looked up again
// by page and element name), a thumbnail, a tool tip and how it is marked.
struct OverviewRow {
    enum class Mark { None, Note, Warning, Error };

    QVariantList cells;
    QString page;    // empty: leads nowhere
    QString element; // empty: the page itself
    QString image;   // path of the thumbnail of the first cell, if any
    QString tip;
    Mark mark = Mark::None;

    bool operator==(const OverviewRow& o) const
    {
        return cells == o.cells && page == o.page && element == o.element && image == o.image && tip == o.tip
            && mark == o.mark;
    }
    bool operator!=(const OverviewRow& o) const { return !(*this == o); }
};

// A table of overview rows for the views. New rows are compared with the old ones and
// the views are told only of the lines that differ (changed in place, removed or
// inserted, by a shortest edit script), so a view keeps its scroll position, selection
// and sorting over an edit elsewhere.
class OverviewTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit OverviewTableModel(QObject* parent = nullptr);

    void SetHeaders(const QStringList& headers);
    void SetRows(std::vector<OverviewRow> rows);
    const OverviewRow* Row(int row) const;
    const std::vector<OverviewRow>& Rows() const { return rows; }
    // Lines the last SetRows reported as changed, removed or inserted.
    int LinesChangedLastTime() const { return linesChanged; }
    // Thumbnails of the rows' images, by path.
    void SetThumbnails(std::function<QImage(const QString&)> source) { thumbnails = std::move(source); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    enum class EditStep { Keep, Remove, Insert };
    // Beyond this many removed and inserted lines the differing part is replaced whole.
    static constexpr int kMaxEdits = 500;

    void ChangeInPlace(std::vector<OverviewRow>& next, int from, int count);
    bool EditScript(const OverviewRow* a, int n, const OverviewRow* b, int m, std::vector<EditStep>& script) const;
    void Apply(std::vector<OverviewRow>& next, int from, const std::vector<EditStep>& script);
    void Replace(std::vector<OverviewRow>& next, int from, int oldMiddle, int newMiddle);
    void RemoveLines(int at, int count);
    // Moves count lines of next, from its line from on, in at line at.
    void InsertLines(int at, std::vector<OverviewRow>& next, int from, int count);

    QStringList headers;
    std::vector<OverviewRow> rows;
    std::function<QImage(const QString&)> thumbnails;
    int linesChanged = 0;
};
