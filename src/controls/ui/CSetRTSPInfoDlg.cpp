#include "CSetRTSPInfoDlg.h"

#include "CIpAddressEdit.h"
#include "base/Translation.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int kSecondGeneration = 2;
constexpr int kThirdGeneration = 3;
}

CSetRTSPInfoDlg::CSetRTSPInfoDlg(quint32 startAddress, int generation, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CSetRTSPInfoDlg"));
    setWindowTitle(Translate("419"));
    auto* addressLabel = new QLabel(Translate("420"), this);
    addressEdit = new CIpAddressEdit(this);
    addressEdit->setObjectName(QStringLiteral("startAddress"));
    addressEdit->SetAddress(startAddress);
    addressLabel->setBuddy(addressEdit);
    auto* typeLabel = new QLabel(Translate("329"), this);
    secondButton = new QRadioButton(Translate("1212"), this);
    secondButton->setObjectName(QStringLiteral("secondGeneration"));
    thirdButton = new QRadioButton(Translate("1213"), this);
    thirdButton->setObjectName(QStringLiteral("thirdGeneration"));
    auto* group = new QButtonGroup(this);
    group->addButton(secondButton);
    group->addButton(thirdButton);
    (generation == kThirdGeneration ? thirdButton : secondButton)->setChecked(true);
    okButton = new QPushButton(Translate("66"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    cancelButton = new QPushButton(Translate("67"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(addressLabel, 0, 0);
    grid->addWidget(addressEdit, 0, 1, 1, 2);
    grid->addWidget(typeLabel, 1, 0);
    grid->addWidget(secondButton, 1, 1);
    grid->addWidget(thirdButton, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(333, 153); // the template's 222 × 94 dialog units

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

quint32 CSetRTSPInfoDlg::StartAddress() const
{
    return addressEdit->Address();
}

int CSetRTSPInfoDlg::Generation() const
{
    return thirdButton->isChecked() ? kThirdGeneration : kSecondGeneration;
}
