#include "CVersionRecordDlg.h"

#include "VersionNotes.h"
#include "base/Translation.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CVersionRecordDlg::CVersionRecordDlg(QWidget* parent)
    : QDialog(parent)
    , notes(BuildVersionNotes(Translation::LanguageIndex()))
    , box(new QPlainTextEdit(this))
    , okButton(new QPushButton(this))
{
    setWindowTitle(Translate("918", QStringLiteral("版本历史记录")));
    okButton->setText(Translate("66", QStringLiteral("OK")));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QString shown = notes;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box->setPlainText(shown);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box, 1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(okButton);
    row->addStretch(1);
    layout->addLayout(row);
    resize(560, 360);
}
