#include "MessageBoxDlg.h"

#include "base/Translation.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

MessageBoxDlg::MessageBoxDlg(const QString& text, const QString& caption, int buttonSet,
                             MessageIcon icon, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* top = new QHBoxLayout;
    QStyle::StandardPixmap pixmap = QStyle::SP_CustomBase;
    switch (icon) {
    case MessageIcon::Information: pixmap = QStyle::SP_MessageBoxInformation; break;
    case MessageIcon::Warning: pixmap = QStyle::SP_MessageBoxWarning; break;
    case MessageIcon::Error: pixmap = QStyle::SP_MessageBoxCritical; break;
    case MessageIcon::None: break;
    }
    if (pixmap != QStyle::SP_CustomBase) {
        auto* iconLabel = new QLabel(this);
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        iconLabel->setPixmap(style()->standardIcon(pixmap, nullptr, this).pixmap(size, size));
        iconLabel->setAlignment(Qt::AlignTop);
        top->addWidget(iconLabel);
    }
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("messageText"));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(260);
    label->setMaximumWidth(560);
    top->addWidget(label, 1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(row);

    const QString ok = Translate("66", QStringLiteral("OK"));
    const QString cancel = Translate("67", QStringLiteral("Cancel"));
    const QString yes = Translate("68", QStringLiteral("Yes"));
    const QString no = Translate("69", QStringLiteral("NO"));
    switch (buttonSet) {
    case kButtonsCancelOk:
        AddButton(36001, cancel, kIdCancel);
        AddButton(36002, ok, kIdOk);
        enterResult = kIdOk;
        escapeResult = kIdCancel;
        break;
    case kButtonsCancelNoYes:
        AddButton(36001, cancel, kIdCancel);
        AddButton(36002, no, kIdNo);
        AddButton(36003, yes, kIdYes);
        enterResult = kIdYes;
        escapeResult = kIdCancel;
        break;
    case kButtonsNoYes:
    case kButtonsNoYesDefaultNo:
        AddButton(36001, no, kIdNo);
        AddButton(36002, yes, kIdYes);
        enterResult = buttonSet == kButtonsNoYes ? kIdYes : kIdNo;
        escapeResult = kIdNo;
        break;
    default: // set 0 and any unknown set: a plain OK box
        AddButton(36001, ok, kIdOk);
        enterResult = kIdOk;
        escapeResult = kIdOk;
        break;
    }
    for (QPushButton* b : buttons) {
        if (b->property("result").toInt() == enterResult) {
            b->setDefault(true);
            b->setFocus();
        }
        row->addWidget(b);
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void MessageBoxDlg::AddButton(int id, const QString& label, int result)
{
    auto* button = new QPushButton(label, this);
    button->setFont(font());
    button->setProperty("id", id);
    button->setProperty("result", result);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    buttons.append(button);
}

void MessageBoxDlg::reject()
{
    // Escape and the window's close button give the set's escape answer.
    done(escapeResult);
}

int MessageBoxDlg::Run()
{
    return exec();
}

int MessageBoxDlg::Show(QWidget* parent, const QString& text, const QString& caption, int buttonSet,
                        MessageIcon icon)
{
    MessageBoxDlg dlg(text, caption, buttonSet, icon, parent);
    return dlg.Run();
}
