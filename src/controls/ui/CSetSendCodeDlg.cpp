#include "CSetSendCodeDlg.h"

#include "base/Translation.h"
#include "base/UiSeam.h"
#include "controls/SetSendCodeDelegate.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kMaxCode = 4000;
}

CSetSendCodeDlg::CSetSendCodeDlg(SetSendCodeDelegate* delegate, QWidget* parent)
    : QDialog(parent), delegate(delegate), edit(new QLineEdit(this)), button(new QPushButton(this))
{
    setWindowTitle(Translate("181"));
    auto* label = new QLabel(Translate("182"), this);
    label->setBuddy(edit);
    edit->setMaxLength(6);
    edit->setMinimumWidth(120);

    const bool on = delegate && delegate->GetNumberingState() == kNumberingOn;
    edit->setText(QString::number(delegate ? delegate->GetStartCode() : 1));
    edit->setEnabled(!on); // while numbering, the box shows the counter
    button->setText(Translate(on ? "184" : "183"));
    button->setDefault(true);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edit, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(button, 0, Qt::AlignRight);
    connect(button, &QPushButton::clicked, this, &CSetSendCodeDlg::OnAction);
    if (!on)
        edit->selectAll();
}

void CSetSendCodeDlg::OnAction()
{
    if (!delegate) {
        reject();
        return;
    }
    if (delegate->GetNumberingState() == kNumberingOn) {
        delegate->SetNumberingState(kNumberingOff);
        accept();
        return;
    }
    bool ok = false;
    const int code = edit->text().trimmed().toInt(&ok);
    if (!ok || code < 0 || code > kMaxCode) {
        ShowMessageText(TranslateFormat("113", RangeArgs(0, kMaxCode)), QStringLiteral("70"));
        edit->setFocus();
        edit->selectAll();
        return;
    }
    delegate->SetStartCode(code);
    delegate->SetNumberingState(kNumberingOn);
    accept();
}
