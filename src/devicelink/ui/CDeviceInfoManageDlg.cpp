#include "CDeviceInfoManageDlg.h"

#include "CMyListCtrl.h"

#include "base/Translation.h"
#include "base/UiSeam.h"
#include "devicelink/StreamAddress.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* MakeButton(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* MakeEdit(const QString& name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

CDeviceInfoManageDlg::CDeviceInfoManageDlg(DeviceInfoManageDelegate* owner, QWidget* parent)
    : QDialog(parent), owner(owner)
{
    setObjectName(QStringLiteral("CDeviceInfoManageDlg"));
    setWindowTitle(Translate("339"));

    listBox = new QGroupBox(Translate("340"), this);
    list = new CMyListCtrl(listBox);
    list->setObjectName(QStringLiteral("deviceList"));
    list->SetColumnCaptions({QStringLiteral("ID"), Translate("341"), Translate("342"), Translate("343"),
                             Translate("344")});
    addButton = MakeButton(Translate("346"), QStringLiteral("addButton"), this);
    editButton = MakeButton(Translate("347"), QStringLiteral("editButton"), this);
    deleteButton = MakeButton(Translate("348"), QStringLiteral("deleteButton"), this);
    upButton = MakeButton(Translate("991"), QStringLiteral("upButton"), this);
    downButton = MakeButton(Translate("992"), QStringLiteral("downButton"), this);
    cancelButton = MakeButton(Translate("67"), QStringLiteral("cancelButton"), this);

    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(addButton);
    listButtons->addWidget(editButton);
    listButtons->addWidget(deleteButton);
    listButtons->addSpacing(12);
    listButtons->addWidget(upButton);
    listButtons->addWidget(downButton);
    listButtons->addStretch(1);
    listButtons->addWidget(cancelButton);
    auto* listLayout = new QVBoxLayout(listBox);
    listLayout->addWidget(list, 1);
    listLayout->addLayout(listButtons);

    editBox = new QGroupBox(Translate("338"), this);
    idEdit = MakeEdit(QStringLiteral("idEdit"), editBox);
    nameEdit = MakeEdit(QStringLiteral("nameEdit"), editBox);
    previewEdit = MakeEdit(QStringLiteral("previewEdit"), editBox);
    hdEdit = MakeEdit(QStringLiteral("hdEdit"), editBox);
    uhdEdit = MakeEdit(QStringLiteral("uhdEdit"), editBox);
    saveButton = MakeButton(Translate("345"), QStringLiteral("saveButton"), editBox);
    auto* form = new QFormLayout(editBox);
    form->addRow(QStringLiteral("ID:"), idEdit);
    form->addRow(Translate("341") + QStringLiteral(":"), nameEdit);
    form->addRow(Translate("342") + QStringLiteral(":"), previewEdit);
    form->addRow(Translate("343") + QStringLiteral(":"), hdEdit);
    form->addRow(Translate("344") + QStringLiteral(":"), uhdEdit);
    form->addRow(QString(), saveButton);
    editBox->setMinimumWidth(300);
    // The list keeps its width whether or not the edit area is shown.
    QSizePolicy policy = editBox->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    editBox->setSizePolicy(policy);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(listBox, 1);
    layout->addWidget(editBox);
    resize(880, 365);

    for (const DeviceInfoItem* item : List())
        list->AppendRow(*item);

    connect(addButton, &QPushButton::clicked, this, &CDeviceInfoManageDlg::OnAdd);
    connect(editButton, &QPushButton::clicked, this, &CDeviceInfoManageDlg::OnEdit);
    connect(saveButton, &QPushButton::clicked, this, &CDeviceInfoManageDlg::OnSave);
    connect(deleteButton, &QPushButton::clicked, this, &CDeviceInfoManageDlg::OnDelete);
    connect(upButton, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(downButton, &QPushButton::clicked, this, [this] { Move(1); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(list, &QTableWidget::itemSelectionChanged, this, &CDeviceInfoManageDlg::UpdateEnablings);
    connect(list, &QTableWidget::itemChanged, this, &CDeviceInfoManageDlg::UpdateEnablings);
    connect(list, &QTableWidget::cellDoubleClicked, this, [this](int, int) { OnEdit(); });

    UpdateEnablings();
    ShowEditArea(false);
}

void CDeviceInfoManageDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!columnsSpread) {
        columnsSpread = true;
        list->SpreadColumns();
    }
}

bool CDeviceInfoManageDlg::IsEditAreaShown() const
{
    return !editBox->isHidden();
}

void CDeviceInfoManageDlg::ShowEditArea(bool show)
{
    editBox->setVisible(show);
}

void CDeviceInfoManageDlg::SetEditsEnabled(bool enabled)
{
    for (QWidget* w : {static_cast<QWidget*>(idEdit), static_cast<QWidget*>(nameEdit),
                       static_cast<QWidget*>(previewEdit), static_cast<QWidget*>(hdEdit),
                       static_cast<QWidget*>(uhdEdit), static_cast<QWidget*>(saveButton)})
        w->setEnabled(enabled);
}

void CDeviceInfoManageDlg::UpdateEnablings()
{
    const int row = list->SelectedRow();
    editButton->setEnabled(row >= 0);
    upButton->setEnabled(row > 0);
    downButton->setEnabled(row >= 0 && row < list->rowCount() - 1);
    deleteButton->setEnabled(list->CheckedCount() > 0);
}

int CDeviceInfoManageDlg::IndexOfId(const QString& id)
{
    const DeviceInfoList& items = List();
    for (int i = 0; i < items.size(); ++i) {
        if (items[i]->id == id)
            return i;
    }
    return -1;
}

bool CDeviceInfoManageDlg::HasName(const QString& name)
{
    for (const DeviceInfoItem* item : List()) {
        if (item->name == name)
            return true;
    }
    return false;
}

void CDeviceInfoManageDlg::OnAdd()
{
    mode = Mode::Add;
    idEdit->clear();
    nameEdit->clear();
    previewEdit->setText(QStringLiteral("rtsp://"));
    hdEdit->setText(QStringLiteral("rtsp://"));
    uhdEdit->clear();
    SetEditsEnabled(true);
    ShowEditArea(true);
    idEdit->setFocus();
}

void CDeviceInfoManageDlg::OnEdit()
{
    const int row = list->SelectedRow();
    if (row < 0)
        return;
    previousId = list->Text(row, 0);
    previousName = list->Text(row, 1);
    idEdit->setText(previousId);
    nameEdit->setText(previousName);
    previewEdit->setText(list->Text(row, 2));
    hdEdit->setText(list->Text(row, 3));
    uhdEdit->setText(list->Text(row, 4));
    SetEditsEnabled(true);
    ShowEditArea(true);
    mode = Mode::Edit;
}

void CDeviceInfoManageDlg::OnSave()
{
    DeviceInfoItem entered;
    entered.id = idEdit->text().trimmed();
    entered.name = nameEdit->text().trimmed();
    entered.previewAddress = previewEdit->text().trimmed();
    entered.hdAddress = hdEdit->text().trimmed();
    entered.uhdAddress = uhdEdit->text().trimmed();

    if (entered.id.isEmpty()) {
        idEdit->setFocus();
        return;
    }
    if (entered.name.isEmpty()) {
        nameEdit->setFocus();
        return;
    }
    if (entered.previewAddress.isEmpty()) {
        previewEdit->setFocus();
        return;
    }
    if (!IsValidStreamAddress(entered.previewAddress)) {
        ShowMessage(QStringLiteral("349"), QStringLiteral("70"));
        previewEdit->setFocus();
        return;
    }
    if (entered.hdAddress.isEmpty()) {
        hdEdit->setFocus();
        return;
    }
    if (!IsValidStreamAddress(entered.hdAddress)) {
        ShowMessage(QStringLiteral("350"), QStringLiteral("70"));
        hdEdit->setFocus();
        return;
    }
    if (!entered.uhdAddress.isEmpty() && !IsValidStreamAddress(entered.uhdAddress)) {
        ShowMessage(QStringLiteral("351"), QStringLiteral("70"));
        return;
    }

    if (mode == Mode::Add) {
        if (HasId(entered.id)) {
            ShowMessage(QStringLiteral("352"), QStringLiteral("70"));
            return;
        }
        if (HasName(entered.name)) {
            ShowMessage(QStringLiteral("353"), QStringLiteral("70"));
            return;
        }
        List().append(new DeviceInfoItem(entered));
        const int row = list->AppendRow(entered);
        list->scrollToItem(list->item(row, 0));
        UpdateEnablings();
        ShowMessage(QStringLiteral("354"), QStringLiteral("70"));
        return;
    }
    if (mode != Mode::Edit)
        return;
    if (entered.id != previousId && HasId(entered.id)) {
        ShowMessage(QStringLiteral("352"), QStringLiteral("70"));
        return;
    }
    if (entered.name != previousName && HasName(entered.name)) {
        ShowMessage(QStringLiteral("353"), QStringLiteral("70"));
        return;
    }
    const int index = IndexOfId(previousId);
    if (index >= 0) {
        *List()[index] = entered;
        // Rows mirror the list, so the item's row is found by its place in the list even
        // when rows were moved while the edit area was open.
        list->WriteRow(index, entered);
    }
    ShowEditArea(false);
    mode = Mode::None;
    ShowMessage(QStringLiteral("355"), QStringLiteral("70"));
}

void CDeviceInfoManageDlg::OnDelete()
{
    for (int row = list->rowCount() - 1; row >= 0; --row) {
        if (!list->IsChecked(row))
            continue;
        const int index = IndexOfId(list->Text(row, 0));
        if (index >= 0)
            delete List().takeAt(index);
        list->removeRow(row);
    }
    ShowEditArea(false);
    mode = Mode::None;
    UpdateEnablings();
}

void CDeviceInfoManageDlg::Move(int step)
{
    const int row = list->SelectedRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list->rowCount() || target >= List().size())
        return;
    list->setUpdatesEnabled(false);
    List().swapItemsAt(row, target);
    // A check mark belongs to its device, so it moves along with it.
    const bool rowChecked = list->IsChecked(row);
    const bool targetChecked = list->IsChecked(target);
    {
        const QSignalBlocker blocker(list);
        list->WriteRow(row, *List()[row]);
        list->WriteRow(target, *List()[target]);
        list->SetChecked(row, targetChecked);
        list->SetChecked(target, rowChecked);
    }
    list->SelectRow(target);
    list->setFocus();
    UpdateEnablings();
    list->setUpdatesEnabled(true);
}
