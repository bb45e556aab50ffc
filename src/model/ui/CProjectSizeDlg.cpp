#include "CProjectSizeDlg.h"

#include "base/Translation.h"
#include "base/UiSeam.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include "model/ScreenType.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

CProjectSizeDlg::CProjectSizeDlg(int width, int height, ProjectSizeDlgDelegate* delegate, QWidget* parent)
    : QDialog(parent)
    , delegate(delegate)
    , width(width)
    , height(height)
    , widthEdit(new QLineEdit(QString::number(width), this))
    , heightEdit(new QLineEdit(QString::number(height), this))
{
    setWindowTitle(Translate("232"));
    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,6}")), this);
    widthEdit->setValidator(digits);
    heightEdit->setValidator(digits);
    auto* form = new QFormLayout(this);
    form->addRow(Translate("233"), widthEdit);
    form->addRow(Translate("234"), heightEdit);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Translate("66", QStringLiteral("OK")), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Translate("67", QStringLiteral("Cancel")), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void CProjectSizeDlg::accept()
{
    const QString widthText = widthEdit->text();
    const QString heightText = heightEdit->text();
    if (widthText.isEmpty()) {
        ShowMessage("205", "70");
        return;
    }
    if (heightText.isEmpty()) {
        ShowMessage("206", "70");
        return;
    }
    const int w = widthText.toInt();
    const int h = heightText.toInt();
    if (!CheckProjectSize(w, h))
        return;
    width = w;
    height = h;
    QDialog::accept();
}
