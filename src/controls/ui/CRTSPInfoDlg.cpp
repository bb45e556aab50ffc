#include "CRTSPInfoDlg.h"

#include "base/Translation.h"
#include "base/UiSeam.h"
#include "controls/VideoChannel.h"
#include "devicelink/StreamAddress.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* MakeEdit(const QString& name, const QString& text, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    return edit;
}

QString Label(const char* key)
{
    return Translate(QString::fromLatin1(key)) + QStringLiteral(":");
}

} // namespace

CRTSPInfoDlg::CRTSPInfoDlg(VideoChannel& channel, QWidget* parent) : QDialog(parent), channel(channel)
{
    setObjectName(QStringLiteral("CRTSPInfoDlg"));
    setWindowTitle(Translate("338"));
    nameEdit = MakeEdit(QStringLiteral("nameEdit"), channel.name, this);
    previewEdit = MakeEdit(QStringLiteral("previewEdit"), channel.previewAddress, this);
    hdEdit = MakeEdit(QStringLiteral("hdEdit"), channel.hdAddress, this);
    uhdEdit = MakeEdit(QStringLiteral("uhdEdit"), channel.uhdAddress, this);
    okButton = new QPushButton(Translate("66"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    cancelButton = new QPushButton(Translate("67"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(Label("341"), nameEdit);
    form->addRow(Label("342"), previewEdit);
    form->addRow(Label("343"), hdEdit);
    form->addRow(Label("344"), uhdEdit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(366, 229); // the template's 244 × 141 dialog units

    connect(okButton, &QPushButton::clicked, this, &CRTSPInfoDlg::OnOk);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CRTSPInfoDlg::OnOk()
{
    const QString name = nameEdit->text().trimmed();
    const QString preview = previewEdit->text().trimmed();
    const QString hd = hdEdit->text().trimmed();
    const QString uhd = uhdEdit->text().trimmed();
    // The checks of the device list's Save: a missing address only takes the focus.
    if (preview.isEmpty()) {
        previewEdit->setFocus();
        return;
    }
    if (!IsValidStreamAddress(preview)) {
        ShowMessage(QStringLiteral("349"), QStringLiteral("70"));
        previewEdit->setFocus();
        return;
    }
    if (hd.isEmpty()) {
        hdEdit->setFocus();
        return;
    }
    if (!IsValidStreamAddress(hd)) {
        ShowMessage(QStringLiteral("350"), QStringLiteral("70"));
        hdEdit->setFocus();
        return;
    }
    if (!uhd.isEmpty() && !IsValidStreamAddress(uhd)) {
        ShowMessage(QStringLiteral("351"), QStringLiteral("70"));
        return;
    }
    channel.name = name;
    channel.previewAddress = preview;
    channel.hdAddress = hd;
    channel.uhdAddress = uhd;
    accept();
}
