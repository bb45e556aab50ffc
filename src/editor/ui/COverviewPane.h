#pragma once

#include "editor/ImageThumbnails.h"

#include <QDockWidget>

class OverviewTableModel;
class ProjectData;
class ProjectOverview;
class QLabel;
class QModelIndex;
class QPushButton;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;

// The project at a glance, docked beside the check results: send codes, navigation,
// interlock groups and images, one tab each. A double click on a line asks for its page
// to be opened and its element selected, by page and element name.
class COverviewPane : public QDockWidget {
    Q_OBJECT
public:
    enum Table { kSendCodes, kJumps, kUnreached, kGroups, kImages, kTableCount };

    explicit COverviewPane(QWidget* parent = nullptr);

    // Shows the given parts (ProjectOverview::Part flags) of what the overview read; lines
    // that did not change stay as they are.
    void Show(const ProjectOverview& overview, const ProjectData& project, unsigned parts);
    void Clear();
    // Headers and tab titles in the current language; the lines follow with the next Show.
    void Relabel();

    QTabWidget* Tabs() const { return tabs; }
    QTableView* View(Table table) const { return views[table]; }
    OverviewTableModel* Model(Table table) const { return models[table]; }
    QPushButton* ExportButton() const { return exportButton; }

Q_SIGNALS:
    void ElementActivated(const QString& page, const QString& element);
    void ExportCodesRequested();

private:
    QTableView* MakeView(Table table, bool sortable);
    void OnActivated(Table table, const QModelIndex& index);
    void FitColumns(Table table);

    QTabWidget* tabs;
    QLabel* codeSummary;
    QLabel* unreachedTitle;
    QPushButton* exportButton;
    QTableView* views[kTableCount] = {};
    OverviewTableModel* models[kTableCount] = {};
    QSortFilterProxyModel* proxies[kTableCount] = {};
    ImageThumbnails thumbnails;
    bool sized[kTableCount] = {};
};
