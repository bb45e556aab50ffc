#include "CNewProjectDlg.h"

#include "model/NewProjectFolder.h"
#include "model/ScreenTypeList.h"
#include "model/TypeRegistry.h"
#include "base/AppPaths.h"
#include "base/Translation.h"
#include "base/UiSeam.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include "model/ScreenType.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

CNewProjectDlg::CNewProjectDlg(QWidget* parent)
    : QDialog(parent)
    , types(LoadScreenTypes(AppPaths::GetScreenTypePath()))
    , typeCombo(new QComboBox(this))
    , widthEdit(new QLineEdit(QString::number(1), this))
    , heightEdit(new QLineEdit(QString::number(1), this))
    , pathEdit(new QLineEdit(this))
    , browseButton(new QPushButton(QStringLiteral("..."), this))
{
    types.append({TypeRegistry::kCustomKey, 1024, 768});
    setWindowTitle(Translate("177"));

    // Digits only: the sizes are read as decimal integers.
    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,6}")), this);
    widthEdit->setValidator(digits);
    heightEdit->setValidator(digits);
    pathEdit->setMinimumWidth(320);
    browseButton->setFixedWidth(36);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(Translate("178"), this), 0, 0);
    grid->addWidget(typeCombo, 0, 1, 1, 2);
    grid->addWidget(new QLabel(Translate("272"), this), 1, 0);
    grid->addWidget(widthEdit, 1, 1, 1, 2);
    grid->addWidget(new QLabel(Translate("273"), this), 2, 0);
    grid->addWidget(heightEdit, 2, 1, 1, 2);
    grid->addWidget(new QLabel(Translate("180"), this), 3, 0);
    grid->addWidget(pathEdit, 3, 1);
    grid->addWidget(browseButton, 3, 2);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Translate("66", QStringLiteral("OK")), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Translate("67", QStringLiteral("Cancel")), QDialogButtonBox::RejectRole);
    grid->addWidget(buttons, 4, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browseButton, &QPushButton::clicked, this, &CNewProjectDlg::OnBrowse);

    for (const ScreenType& t : types)
        typeCombo->addItem(t.name);
    connect(typeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &CNewProjectDlg::OnTypeChanged);
    typeCombo->setCurrentIndex(0);
    OnTypeChanged(0);
}

void CNewProjectDlg::OnTypeChanged(int index)
{
    if (index < 0 || index >= types.size())
        return;
    const ScreenType& t = types[index];
    widthEdit->setText(QString::number(t.width));
    heightEdit->setText(QString::number(t.height));
    const bool custom = t.name == TypeRegistry::kCustomKey;
    widthEdit->setEnabled(custom);
    heightEdit->setEnabled(custom);
}

void CNewProjectDlg::OnBrowse()
{
    const QString path = Ui().ChooseSaveFile(Translate("211"), QStringLiteral("Demo"), QString());
    if (!path.isEmpty())
        pathEdit->setText(QDir::toNativeSeparators(path));
}

void CNewProjectDlg::accept()
{
    const QString widthText = widthEdit->text();
    const QString heightText = heightEdit->text();
    const QString pathText = pathEdit->text().trimmed();
    if (widthText.isEmpty()) {
        ShowMessage("205", "70");
        return;
    }
    if (heightText.isEmpty()) {
        ShowMessage("206", "70");
        return;
    }
    if (pathText.isEmpty()) {
        ShowMessage("207", "70");
        return;
    }
    const QString cleaned = NewProjectFolder::Resolve(pathText);
    if (cleaned.isEmpty()) {
        ShowMessageText(TranslateFormat("1402", {pathText}), "70");
        return;
    }
    const int width = widthText.toInt();
    const int height = heightText.toInt();
    if (!CheckProjectSize(width, height))
        return;
    // A new project writes an empty data file: never over a project without asking.
    const QString existing = NewProjectFolder::ExistingDataFile(cleaned);
    if (!existing.isEmpty()
        && ShowMessageText(TranslateFormat("1400", {existing}), "70", kButtonsNoYesDefaultNo) != kIdYes)
        return;
    if (!QFileInfo(cleaned).isDir() && !QDir().mkpath(cleaned)) {
        ShowMessage("208", "70");
        return;
    }
    chosen = {typeCombo->currentText(), width, height};
    folder = cleaned;
    QDialog::accept();
}
