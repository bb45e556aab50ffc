#include "CInterlockDialog.h"

#include "base/Translation.h"
#include "base/UiSeam.h"
#include "controls/InterlockDlgMainDelegate.h"
#include "model/NameDialogRequest.h"
#include "model/XPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QString kNone = QStringLiteral("NONE");
const QString kCaption = QStringLiteral("70");
}

CInterlockDialog::CInterlockDialog(XPage* page, InterlockDlgMainDelegate* delegate, QWidget* parent)
    : QDialog(parent), page(page), delegate(delegate), list(new QTableWidget(0, 1, this)),
      addButton(new QPushButton(Translate("172"), this)), editButton(new QPushButton(Translate("173"), this)),
      deleteButton(new QPushButton(Translate("174"), this)), setButton(new QPushButton(Translate("175"), this))
{
    setWindowTitle(Translate("171"));
    list->setHorizontalHeaderLabels({Translate("165")});
    list->horizontalHeader()->setStretchLastSection(true);
    list->verticalHeader()->hide();
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(true);
    list->setMinimumSize(260, 220);

    auto* close = new QPushButton(Translate("962"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {addButton, editButton, deleteButton, setButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addLayout(buttons);

    connect(addButton, &QPushButton::clicked, this, &CInterlockDialog::OnAdd);
    connect(editButton, &QPushButton::clicked, this, &CInterlockDialog::OnEdit);
    connect(deleteButton, &QPushButton::clicked, this, &CInterlockDialog::OnDelete);
    connect(setButton, &QPushButton::clicked, this, &CInterlockDialog::OnSetInterlock);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(list, &QTableWidget::cellDoubleClicked, this, [this] { OnEdit(); });
    Fill();
}

void CInterlockDialog::Fill()
{
    list->setRowCount(0);
    if (!page)
        return;
    for (const QString& name : page->GroupNames()) {
        const int row = list->rowCount();
        list->insertRow(row);
        list->setItem(row, 0, new QTableWidgetItem(name));
    }
}

QString CInterlockDialog::SelectedGroup(const QString& textKey) const
{
    const QList<QTableWidgetItem*> items = list->selectedItems();
    if (items.isEmpty()) {
        ShowMessage(textKey, kCaption);
        return {};
    }
    return items.first()->text();
}

QString CInterlockDialog::AskName(const QString& captionKey, const QString& proposal) const
{
    NameDialogRequest request;
    request.caption = Translate(captionKey);
    request.label = Translate("165");
    request.name = proposal;
    if (Ui().RunDialog(QStringLiteral("name"), &request) != 1)
        return {};
    return request.name.trimmed();
}

void CInterlockDialog::OnAdd()
{
    if (!page)
        return;
    const QString name = AskName(QStringLiteral("166"), QString());
    if (name.isEmpty())
        return;
    // "NONE" stands for no group in every button: it can never name one.
    if (name == kNone || page->FindGroup(name)) {
        ShowMessage(QStringLiteral("167"), kCaption);
        return;
    }
    page->AddGroup(name);
    page->NoteModified(); // the groups are saved with the page
    const int row = list->rowCount();
    list->insertRow(row);
    list->setItem(row, 0, new QTableWidgetItem(name));
    list->selectRow(row);
}

void CInterlockDialog::OnEdit()
{
    if (!page)
        return;
    const QString old = SelectedGroup(QStringLiteral("168"));
    if (old.isEmpty())
        return;
    const QString name = AskName(QStringLiteral("169"), old);
    if (name.isEmpty() || name == kNone || name == old)
        return;
    if (page->FindGroup(name)) {
        ShowMessage(QStringLiteral("167"), kCaption);
        return;
    }
    if (QString* group = page->FindGroup(old)) {
        *group = name; // in place: every member button follows
        page->NoteModified();
    }
    list->selectedItems().first()->setText(name);
}

void CInterlockDialog::OnDelete()
{
    if (!page)
        return;
    const QString name = SelectedGroup(QStringLiteral("386"));
    if (name.isEmpty())
        return;
    if (page->RemoveGroup(name))
        page->NoteModified();
    list->removeRow(list->selectedItems().first()->row());
}

void CInterlockDialog::OnSetInterlock()
{
    const QString name = SelectedGroup(QStringLiteral("170"));
    if (name.isEmpty())
        return;
    if (delegate) {
        delegate->SetInterlockBrush(page, name);
        delegate->SetDesignMode(kInterlockMode);
    }
    accept();
}
