#include "CNameDlg.h"

#include "model/NameDialogRequest.h"
#include "base/Translation.h"
#include "base/UiSeam.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CNameDlg::CNameDlg(const QString& caption, const QString& label, const QString& proposedName,
                   QWidget* parent)
    : QDialog(parent)
    , nameEdit(new QLineEdit(proposedName, this))
    , name(proposedName)
{
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(label, this);
    text->setBuddy(nameEdit);
    layout->addWidget(text);
    nameEdit->setMinimumWidth(260);
    nameEdit->selectAll();
    layout->addWidget(nameEdit);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Translate("66", QStringLiteral("OK")), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Translate("67", QStringLiteral("Cancel")), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CNameDlg::accept()
{
    const QString entered = nameEdit->text();
    if (entered.isEmpty()) {
        ShowMessage("176", "70");
        nameEdit->setFocus();
        return;
    }
    name = entered;
    QDialog::accept();
}

int RunNameDialog(void* data)
{
    auto* request = static_cast<NameDialogRequest*>(data);
    if (!request)
        return 0;
    CNameDlg dlg(request->caption, request->label, request->name, QApplication::activeWindow());
    if (dlg.exec() != QDialog::Accepted)
        return 2;
    request->name = dlg.GetName();
    return 1;
}
