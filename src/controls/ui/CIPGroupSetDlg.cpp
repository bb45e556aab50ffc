#include "CIPGroupSetDlg.h"

#include "base/Ipv4Address.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "devicelink/ui/CMyListCtrl.h"
#include "model/BrushDialogRequests.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kCaption = QStringLiteral("70");
constexpr quint32 kNoAddress = 0xFFFFFFFF; // what the dotted-quad parser gives for a text it refuses
}

CIPGroupSetDlg::CIPGroupSetDlg(QStringList* group, QWidget* parent)
    : QDialog(parent), group(group), list(new CMyListCtrl(1, this)),
      addButton(new QPushButton(Translate("172"), this)), editButton(new QPushButton(Translate("173"), this)),
      deleteButton(new QPushButton(Translate("174"), this))
{
    setWindowTitle(Translate("385"));
    list->setObjectName(QStringLiteral("addresses"));
    list->SetColumnCaptions({Translate("201")});
    list->horizontalHeader()->setStretchLastSection(true);
    list->horizontalHeader()->setSectionsMovable(false);
    if (group)
        for (const QString& address : *group)
            list->AppendTexts({address});

    auto* close = new QPushButton(Translate("962"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {addButton, editButton, deleteButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addLayout(buttons);
    resize(474, 231); // 316 × 142 dialog units

    connect(addButton, &QPushButton::clicked, this, &CIPGroupSetDlg::OnAdd);
    connect(editButton, &QPushButton::clicked, this, &CIPGroupSetDlg::OnEdit);
    connect(deleteButton, &QPushButton::clicked, this, &CIPGroupSetDlg::OnDelete);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(list, &QTableWidget::cellDoubleClicked, this, [this] { OnEdit(); });
}

void CIPGroupSetDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    list->SpreadColumns(); // the one column as wide as the list
}

int CIPGroupSetDlg::SelectedRow(const QString& textKey) const
{
    const int row = list->SelectedRow();
    if (row < 0 || !group || row >= group->size()) {
        ShowMessage(textKey, kCaption);
        return -1;
    }
    return row;
}

QString CIPGroupSetDlg::AskAddress(quint32 start) const
{
    AddressDialogRequest request{Translate("265"), start};
    if (Ui().RunDialog(AddressDialogRequest::Name(), &request) != kIdOk)
        return {};
    return FormatIpv4Address(request.address);
}

void CIPGroupSetDlg::OnAdd()
{
    if (!group)
        return;
    const QString address = AskAddress(kFirstAddress);
    if (address.isEmpty())
        return;
    group->append(address);
    list->SelectRow(list->AppendTexts({address}));
}

void CIPGroupSetDlg::OnEdit()
{
    const int row = SelectedRow(QStringLiteral("168"));
    if (row < 0)
        return;
    quint32 start = kNoAddress;
    ParseIpv4Address(group->at(row), start);
    const QString address = AskAddress(start);
    if (address.isEmpty())
        return;
    (*group)[row] = address;
    list->WriteTexts(row, {address});
}

void CIPGroupSetDlg::OnDelete()
{
    const int row = SelectedRow(QStringLiteral("386"));
    if (row < 0)
        return;
    group->removeAt(row);
    list->removeRow(row);
}
