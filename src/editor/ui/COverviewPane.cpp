#include "COverviewPane.h"

#include "base/Translation.h"
#include "editor/OverviewTableModel.h"
#include "editor/OverviewTables.h"
#include "editor/ProjectOverview.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kThumbnailEdge = 32;
constexpr int kMaxInitialColumnWidth = 240;
constexpr int kLinePadding = 4;
// Columns are fitted to this many lines, not to tens of thousands.
constexpr int kSizingLines = 50;

QWidget* Stack(std::initializer_list<QWidget*> widgets, QWidget* stretching)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (QWidget* w : widgets)
        layout->addWidget(w, w == stretching ? 1 : 0);
    return page;
}

} // namespace

COverviewPane::COverviewPane(QWidget* parent)
    : QDockWidget(parent)
    , tabs(new QTabWidget)
    , codeSummary(new QLabel)
    , unreachedTitle(new QLabel)
    , exportButton(new QPushButton)
    , thumbnails(kThumbnailEdge)
{
    setObjectName(QStringLiteral("OverviewPane"));
    tabs->setObjectName(QStringLiteral("OverviewTabs"));
    tabs->setDocumentMode(true);
    exportButton->setObjectName(QStringLiteral("ExportCodes"));
    codeSummary->setMargin(2);
    codeSummary->setWordWrap(true); // a narrow pane wraps it rather than growing
    unreachedTitle->setMargin(2);

    MakeView(kSendCodes, true);
    MakeView(kJumps, true);
    MakeView(kUnreached, false);
    MakeView(kGroups, true);
    MakeView(kImages, true);
    views[kImages]->setIconSize({kThumbnailEdge, kThumbnailEdge});
    views[kImages]->verticalHeader()->setDefaultSectionSize(kThumbnailEdge + kLinePadding);
    models[kImages]->SetThumbnails([this](const QString& path) { return thumbnails.Get(path); });
    // By code, as the table comes; the other tables keep project order until a header is clicked.
    views[kSendCodes]->sortByColumn(OverviewTables::kCodeColumn, Qt::AscendingOrder);

    auto* codeBar = new QWidget;
    auto* codeLayout = new QHBoxLayout(codeBar);
    codeLayout->setContentsMargins(0, 0, 0, 0);
    codeLayout->addWidget(codeSummary, 1);
    codeLayout->addWidget(exportButton);
    tabs->addTab(Stack({codeBar, views[kSendCodes]}, views[kSendCodes]), QString());

    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(views[kJumps]);
    split->addWidget(Stack({unreachedTitle, views[kUnreached]}, views[kUnreached]));
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    tabs->addTab(split, QString());
    tabs->addTab(views[kGroups], QString());
    tabs->addTab(views[kImages], QString());
    setWidget(tabs);

    connect(exportButton, &QPushButton::clicked, this, &COverviewPane::ExportCodesRequested);
    connect(tabs, &QTabWidget::currentChanged, this, [this] {
        for (int t = 0; t < kTableCount; ++t)
            FitColumns(static_cast<Table>(t));
    });
    Relabel();
}

QTableView* COverviewPane::MakeView(Table table, bool sortable)
{
    auto* model = new OverviewTableModel(this);
    auto* proxy = new QSortFilterProxyModel(this);
    proxy->setSourceModel(model);
    proxy->setSortRole(Qt::EditRole);
    proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    // A table view: it lays out tens of thousands of lines without visiting each.
    auto* view = new QTableView;
    view->setObjectName(QStringLiteral("OverviewTable%1").arg(table));
    view->setModel(proxy);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setTextElideMode(Qt::ElideRight);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + kLinePadding);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    view->horizontalHeader()->setResizeContentsPrecision(kSizingLines);
    if (sortable) {
        view->setSortingEnabled(true);
        view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    }
    connect(view, &QTableView::doubleClicked, this, [this, table](const QModelIndex& index) { OnActivated(table, index); });
    models[table] = model;
    proxies[table] = proxy;
    views[table] = view;
    return view;
}

void COverviewPane::Relabel()
{
    setWindowTitle(Translate("1450"));
    tabs->setTabText(0, Translate("1451"));
    tabs->setTabText(1, Translate("1452"));
    tabs->setTabText(2, Translate("1453"));
    tabs->setTabText(3, Translate("1454"));
    exportButton->setText(Translate("1474"));
    unreachedTitle->setText(Translate("1498"));
    models[kSendCodes]->SetHeaders(OverviewTables::SendCodeHeaders());
    models[kJumps]->SetHeaders(OverviewTables::JumpHeaders());
    models[kUnreached]->SetHeaders(OverviewTables::UnreachedHeaders());
    models[kGroups]->SetHeaders(OverviewTables::GroupHeaders());
    models[kImages]->SetHeaders(OverviewTables::ImageHeaders());
}

void COverviewPane::Show(const ProjectOverview& overview, const ProjectData& project, unsigned parts)
{
    if (parts & ProjectOverview::kCodes) {
        models[kSendCodes]->SetRows(OverviewTables::SendCodeRows(overview));
        int shared = 0;
        for (const SendCodeEntry& e : overview.SendCodes())
            shared += e.sharedOnPage ? 1 : 0;
        codeSummary->setText(TranslateFormat(
            QStringLiteral("1499"), {QString::number(overview.SendCodes().size()), QString::number(shared)}));
    }
    if (parts & ProjectOverview::kJumps) {
        models[kJumps]->SetRows(OverviewTables::JumpRows(overview));
        models[kUnreached]->SetRows(OverviewTables::UnreachedRows(overview));
    }
    if (parts & ProjectOverview::kGroups)
        models[kGroups]->SetRows(OverviewTables::GroupRows(overview));
    if (parts & ProjectOverview::kImages)
        models[kImages]->SetRows(OverviewTables::ImageRows(overview, project));
    for (int t = 0; t < kTableCount; ++t)
        FitColumns(static_cast<Table>(t));
}

void COverviewPane::FitColumns(Table table)
{
    // Columns fit their first contents once, when they are first seen; after that they
    // are the user's.
    QTableView* view = views[table];
    if (sized[table] || models[table]->rowCount() == 0 || !view->isVisible())
        return;
    sized[table] = true;
    for (int c = 0; c + 1 < models[table]->columnCount(); ++c) {
        view->resizeColumnToContents(c);
        view->setColumnWidth(c, std::min(view->columnWidth(c), kMaxInitialColumnWidth));
    }
}

void COverviewPane::Clear()
{
    for (OverviewTableModel* model : models)
        model->SetRows({});
    codeSummary->clear();
}

void COverviewPane::OnActivated(Table table, const QModelIndex& index)
{
    const OverviewRow* row = models[table]->Row(proxies[table]->mapToSource(index).row());
    if (row && !row->page.isEmpty())
        Q_EMIT ElementActivated(row->page, row->element);
}
