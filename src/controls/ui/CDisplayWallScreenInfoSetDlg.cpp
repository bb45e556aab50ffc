#include "CDisplayWallScreenInfoSetDlg.h"

#include "CIpAddressEdit.h"
#include "base/Ipv4Address.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "controls/DisplayWallDialogRequests.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("70");

QLineEdit* ResolutionEdit(QWidget* parent, int value)
{
    auto* edit = new QLineEdit(QString::number(value), parent);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), edit));
    return edit;
}

} // namespace

CDisplayWallScreenInfoSetDlg::CDisplayWallScreenInfoSetDlg(DisplayWallScreenDialogRequest& request, QWidget* parent)
    : QDialog(parent), request(request), group(request.ipGroup), addressBox(new CIpAddressEdit(this)),
      horizontalEdit(ResolutionEdit(this, request.horizontalResolution)),
      verticalEdit(ResolutionEdit(this, request.verticalResolution)),
      groupButton(new QPushButton(Translate("385"), this)), okButton(new QPushButton(Translate("66"), this)),
      cancelButton(new QPushButton(Translate("67"), this))
{
    setWindowTitle(Translate("244"));
    addressBox->SetAddressText(request.ipAddress);

    auto* fields = new QGridLayout;
    int row = 0;
    for (const auto& [key, field] : {std::pair<const char*, QWidget*>{"245", addressBox},
                                     std::pair<const char*, QWidget*>{"246", horizontalEdit},
                                     std::pair<const char*, QWidget*>{"247", verticalEdit}}) {
        auto* label = new QLabel(Translate(QString::fromLatin1(key)), this);
        label->setBuddy(field);
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
        ++row;
    }
    fields->setColumnStretch(1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch(1);
    buttons->addWidget(groupButton);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    okButton->setDefault(true);
    resize(366, 184); // 244 × 113 dialog units

    connect(groupButton, &QPushButton::clicked, this, &CDisplayWallScreenInfoSetDlg::OnGroup);
    connect(okButton, &QPushButton::clicked, this, &CDisplayWallScreenInfoSetDlg::OnOk);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CDisplayWallScreenInfoSetDlg::OnGroup()
{
    IPGroupDialogRequest groupRequest{&group};
    Ui().RunDialog(IPGroupDialogRequest::Name(), &groupRequest);
}

bool CDisplayWallScreenInfoSetDlg::TakeResolution(QLineEdit* edit, const QString& emptyKey, int& value)
{
    const QString text = edit->text().trimmed();
    if (text.isEmpty()) {
        ShowMessage(emptyKey, kCaption);
        edit->setFocus();
        return false;
    }
    const int number = text.toInt(); // a text that is no number gives 0
    if (number > kMaxResolution) {
        // The file keeps a word: more would come back as another resolution.
        ShowMessageText(TranslateFormat(QStringLiteral("960"), RangeArgs(0, kMaxResolution)), kCaption);
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    value = std::max(number, 0);
    return true;
}

void CDisplayWallScreenInfoSetDlg::OnOk()
{
    int horizontal = 0;
    int vertical = 0;
    if (!TakeResolution(horizontalEdit, QStringLiteral("248"), horizontal)
        || !TakeResolution(verticalEdit, QStringLiteral("249"), vertical))
        return;
    quint32 address = 0;
    if (!addressBox->GetAddress(address)) {
        ShowMessage(QStringLiteral("378"), kCaption);
        addressBox->SetAddressText(request.ipAddress);
        addressBox->setFocus();
        return;
    }
    request.ipAddress = FormatIpv4Address(address);
    request.horizontalResolution = horizontal;
    request.verticalResolution = vertical;
    request.ipGroup = group;
    accept();
}
