#include "CIPDlg.h"

#include "CIpAddressEdit.h"
#include "base/Translation.h"
#include "base/UiSeam.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CIPDlg::CIPDlg(const QString& title, quint32 address, QWidget* parent)
    : QDialog(parent), address(address), box(new CIpAddressEdit(this)),
      okButton(new QPushButton(Translate("66"), this)), cancelButton(new QPushButton(Translate("67"), this))
{
    setWindowTitle(title);
    box->setObjectName(QStringLiteral("address"));
    box->SetAddress(address);
    okButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(buttons);
    resize(333, 91); // 222 × 56 dialog units

    connect(okButton, &QPushButton::clicked, this, &CIPDlg::OnOk);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    box->SelectAll();
}

void CIPDlg::OnOk()
{
    quint32 typed = 0;
    if (!box->GetAddress(typed)) {
        ShowMessage(QStringLiteral("378"), QStringLiteral("70"));
        box->SetAddress(address);
        box->setFocus();
        return;
    }
    address = typed;
    accept();
}
