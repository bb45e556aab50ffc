#include "CAboutDlg.h"

#include "AppIcons.h"
#include "CVersionRecordDlg.h"
#include "base/Translation.h"
#include "base/Versions.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent)
    , historyButton(new QPushButton(Translate("918", QStringLiteral("版本历史记录")), this))
    , okButton(new QPushButton(Translate("66", QStringLiteral("OK")), this))
{
    setWindowTitle(Translate("922"));
    auto* icon = new QLabel(this);
    icon->setPixmap(AppIcons::Application().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* product = new QLabel(QString::fromUtf8(Versions::kProductWord) + u' '
                                   + QString::fromUtf8(Versions::kBuildVersion),
                               this);
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    product->setFont(bold);
    auto* maker = new QLabel(Translate("919"), this);
    auto* rights = new QLabel(Translate("920"), this);
    auto* web = new QLabel(Translate("921"), this);
    web->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(maker);
    texts->addWidget(rights);
    texts->addWidget(web);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(historyButton);
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    okButton->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(historyButton, &QPushButton::clicked, this, &CAboutDlg::OnHistory);
}

void CAboutDlg::OnHistory()
{
    CVersionRecordDlg dlg(this);
    dlg.exec();
}
