#include "CProjectCheckPane.h"

#include "base/Translation.h"

#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
enum Column { kSeverity, kPage, kElement, kMessage, kColumnCount };
enum Role { IndexRole = Qt::UserRole };
}

CProjectCheckPane::CProjectCheckPane(QWidget* parent)
    : QDockWidget(parent)
    , list(new QTreeWidget)
    , summary(new QLabel)
{
    setObjectName(QStringLiteral("ProjectCheckPane"));
    list->setObjectName(QStringLiteral("CheckFindings"));
    list->setColumnCount(kColumnCount);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAlternatingRowColors(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setTextElideMode(Qt::ElideRight);
    list->header()->setStretchLastSection(true);
    summary->setMargin(4);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(summary);
    layout->addWidget(list, 1);
    setWidget(body);

    connect(list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { OnActivated(item); });
    Relabel();
}

void CProjectCheckPane::ShowFindings(const std::vector<CheckFinding>& found)
{
    findings = found;
    Fill();
}

void CProjectCheckPane::Clear()
{
    findings.clear();
    Fill();
}

void CProjectCheckPane::Relabel()
{
    setWindowTitle(Translate(QStringLiteral("1074")));
    list->setHeaderLabels({Translate(QStringLiteral("1069")) + u'/' + Translate(QStringLiteral("1070")),
                           Translate(QStringLiteral("1071")), Translate(QStringLiteral("1072")),
                           Translate(QStringLiteral("1073"))});
    Fill();
}

void CProjectCheckPane::Fill()
{
    list->clear();
    int errors = 0;
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (size_t i = 0; i < findings.size(); ++i) {
        const CheckFinding& f = findings[i];
        errors += f.IsError() ? 1 : 0;
        auto* item = new QTreeWidgetItem(list);
        item->setIcon(kSeverity, f.IsError() ? errorIcon : warningIcon);
        item->setText(kSeverity, Translate(QString::fromLatin1(f.IsError() ? "1069" : "1070")));
        item->setText(kPage, f.pageName);
        item->setText(kElement, f.elementName);
        item->setText(kMessage, f.Text());
        item->setToolTip(kMessage, f.Text());
        item->setData(kSeverity, IndexRole, static_cast<qulonglong>(i));
    }
    const int warnings = static_cast<int>(findings.size()) - errors;
    if (findings.empty())
        summary->setText(Translate(QStringLiteral("1076")));
    else
        summary->setText(QStringLiteral("%1: %2    %3: %4")
                             .arg(Translate(QStringLiteral("1069")))
                             .arg(errors)
                             .arg(Translate(QStringLiteral("1070")))
                             .arg(warnings));
    for (int c = 0; c < kMessage; ++c)
        list->resizeColumnToContents(c);
}

void CProjectCheckPane::OnActivated(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const size_t i = item->data(kSeverity, IndexRole).toULongLong();
    if (i < findings.size() && findings[i].page)
        Q_EMIT FindingActivated(findings[i].page, findings[i].element);
}
