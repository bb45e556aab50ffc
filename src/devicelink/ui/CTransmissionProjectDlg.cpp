#include "CTransmissionProjectDlg.h"

#include "base/AnsiCodePage.h"
#include "base/Ipv4Address.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "controls/ui/CIpAddressEdit.h"
#include "devicelink/Packaging.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton* MakeButton(const QString& key, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(Translate(key), parent);
    button->setObjectName(name);
    // No default button: Enter must not start or stop anything.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// An address by the editor's address rule that names one host: not the "any" address
// (the rule already refuses the all-ones broadcast address).
bool IsDeviceAddress(const QString& text)
{
    quint32 address = 0;
    return ParseIpv4Address(text, address) && address != 0;
}

} // namespace

CTransmissionProjectDlg::CTransmissionProjectDlg(TransmissionProjectDlgDelegate* owner,
                                                 const QString& projectFolder, const QString& projectTitle,
                                                 QWidget* parent)
    : QDialog(parent), owner(owner), projectFolder(projectFolder),
      projectTitle(projectTitle.isEmpty() ? ProjectTitleFromFolder(projectFolder) : projectTitle)
{
    setObjectName(QStringLiteral("CTransmissionProjectDlg"));
    setWindowTitle(Translate("185"));

    statusCaption = new QLabel(Translate("187"), this);
    statusText = new QLabel(this);
    statusText->setObjectName(QStringLiteral("statusText"));
    statusText->setMinimumWidth(260);
    // Failure texts say what to check; they wrap rather than lose their end.
    statusText->setWordWrap(true);
    startButton = MakeButton(QStringLiteral("267"), QStringLiteral("startButton"), this);
    stopButton = MakeButton(QStringLiteral("268"), QStringLiteral("stopButton"), this);
    findButton = MakeButton(QStringLiteral("269"), QStringLiteral("findButton"), this);
    manualButton = MakeButton(QStringLiteral("230"), QStringLiteral("manualButton"), this);
    closeButton = MakeButton(QStringLiteral("962"), QStringLiteral("closeButton"), this);

    deviceBox = new QGroupBox(Translate("215"), this);
    deviceTree = new QTreeWidget(deviceBox);
    deviceTree->setObjectName(QStringLiteral("deviceTree"));
    deviceTree->setHeaderHidden(true);
    deviceTree->setRootIsDecorated(false);
    findNote = new QLabel(Translate("231"), deviceBox);
    findNote->setObjectName(QStringLiteral("findNote"));
    findNote->setWordWrap(true);
    addressLabel = new QLabel(Translate("270"), deviceBox);
    addressLabel->setObjectName(QStringLiteral("addressLabel"));
    addressEdit = new CIpAddressEdit(deviceBox);
    addressEdit->setObjectName(QStringLiteral("addressEdit"));

    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(addressLabel);
    addressRow->addWidget(addressEdit, 1);
    auto* boxLayout = new QVBoxLayout(deviceBox);
    boxLayout->addLayout(addressRow);
    boxLayout->addWidget(deviceTree, 1);
    boxLayout->addWidget(findNote);
    boxLayout->addStretch(0);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(startButton);
    buttons->addWidget(stopButton);
    buttons->addSpacing(12);
    buttons->addWidget(findButton);
    buttons->addWidget(manualButton);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);

    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(statusCaption, 0, Qt::AlignTop);
    statusRow->addWidget(statusText, 1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(deviceBox, 0, 0);
    grid->addLayout(buttons, 0, 1);
    grid->addLayout(statusRow, 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
    resize(444, 293);

    connect(startButton, &QPushButton::clicked, this, &CTransmissionProjectDlg::OnStart);
    connect(stopButton, &QPushButton::clicked, this, &CTransmissionProjectDlg::OnStop);
    connect(findButton, &QPushButton::clicked, this, &CTransmissionProjectDlg::OnFind);
    connect(manualButton, &QPushButton::clicked, this, &CTransmissionProjectDlg::OnManual);
    connect(closeButton, &QPushButton::clicked, this, &CTransmissionProjectDlg::reject);
    connect(&engine, &TransmissionEngine::StatusChanged, statusText, &QLabel::setText);
    connect(&engine, &TransmissionEngine::RunningChanged, this, [this] { UpdateButtons(); });

    const QString remembered = TransmissionEngine::LoadRememberedAddress();
    if (!remembered.isEmpty())
        addressEdit->SetAddressText(remembered);
    ShowModeControls();
    UpdateButtons();
}

CTransmissionProjectDlg::~CTransmissionProjectDlg()
{
    finder.Cancel();
    engine.Stop();
}

void CTransmissionProjectDlg::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    case Qt::Key_Escape:
        event->accept();
        reject(); // as the close box: stops a transfer and ends the dialog
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CTransmissionProjectDlg::closeEvent(QCloseEvent* event)
{
    finder.Cancel();
    engine.Stop();
    QDialog::closeEvent(event);
}

void CTransmissionProjectDlg::reject()
{
    finder.Cancel();
    engine.Stop();
    QDialog::reject();
}

void CTransmissionProjectDlg::ShowModeControls()
{
    deviceTree->setVisible(findMode);
    findNote->setVisible(findMode);
    addressLabel->setVisible(!findMode);
    addressEdit->setVisible(!findMode);
}

void CTransmissionProjectDlg::UpdateButtons()
{
    const bool running = engine.IsRunning();
    startButton->setEnabled(!searching && !running);
    stopButton->setEnabled(!searching && running);
    findButton->setEnabled(!searching);
    manualButton->setEnabled(!searching);
    deviceTree->setEnabled(!searching);
}

void CTransmissionProjectDlg::OnStart()
{
    if (engine.IsRunning())
        return;
    QString address;
    if (findMode) {
        QTreeWidgetItem* item = deviceTree->currentItem();
        if (!item || !item->isSelected()) {
            ShowMessage(QStringLiteral("216"), QStringLiteral("70"));
            return;
        }
        const int index = item->data(0, Qt::UserRole).toInt();
        if (index < 0 || index >= static_cast<int>(foundDevices.size()))
            return;
        address = DeviceDiscovery::AddressText(foundDevices[static_cast<size_t>(index)]);
    } else {
        address = addressEdit->Text();
        if (!address.isEmpty())
            TransmissionEngine::RememberAddress(address);
        if (!IsDeviceAddress(address)) {
            ShowMessage(QStringLiteral("990"), QStringLiteral("70"));
            addressEdit->setFocus();
            return;
        }
    }
    engine.Start(address, projectFolder, projectTitle);
}

void CTransmissionProjectDlg::OnStop()
{
    engine.Stop();
    statusText->clear();
}

void CTransmissionProjectDlg::OnManual()
{
    findMode = false;
    ShowModeControls();
}

void CTransmissionProjectDlg::OnFind()
{
    findMode = true;
    ShowModeControls();
    deviceTree->clear();
    foundDevices.clear();
    searching = true;
    UpdateButtons();
    if (!finder.FindDevice(&CTransmissionProjectDlg::OnFindDeviceDone, &CTransmissionProjectDlg::OnDeviceFound, this)) {
        searching = false;
        UpdateButtons();
    }
}

void CTransmissionProjectDlg::OnDeviceFound(const tagDeviceInfo& record, void* user)
{
    auto* dialog = static_cast<CTransmissionProjectDlg*>(user);
    for (const tagDeviceInfo& known : dialog->foundDevices) {
        if (std::equal(known.ip, known.ip + 4, record.ip))
            return; // one entry per address: the first report wins
    }
    dialog->foundDevices.push_back(record);
}

void CTransmissionProjectDlg::OnFindDeviceDone(int code, void* user)
{
    static_cast<CTransmissionProjectDlg*>(user)->FindDone(code);
}

void CTransmissionProjectDlg::FindDone(int code)
{
    switch (code) {
    case DeviceDiscovery::kNothingFound:
        ShowMessage(QStringLiteral("218"), QStringLiteral("70"));
        break;
    case DeviceDiscovery::kNoSocket:
        ShowMessage(QStringLiteral("217"), QStringLiteral("70"));
        break;
    case DeviceDiscovery::kNoNetwork:
        ShowMessage(QStringLiteral("219"), QStringLiteral("70"));
        break;
    default:
        break;
    }
    std::stable_sort(foundDevices.begin(), foundDevices.end(), [](const tagDeviceInfo& a, const tagDeviceInfo& b) {
        return DeviceDiscovery::AddressValue(a) < DeviceDiscovery::AddressValue(b);
    });
    for (size_t i = 0; i < foundDevices.size(); ++i) {
        const tagDeviceInfo& record = foundDevices[i];
        QString text = DeviceDiscovery::AddressText(record);
        if (lib_decideDeviceInfoIdExist(record.id))
            text += QStringLiteral(" : ") + DeviceDiscovery::IdText(record);
        auto* item = new QTreeWidgetItem(deviceTree, QStringList(text));
        item->setData(0, Qt::UserRole, static_cast<int>(i));
    }
    searching = false;
    UpdateButtons();
}
