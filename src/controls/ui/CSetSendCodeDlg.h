#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class SetSendCodeDelegate;

// Starts and stops send-code numbering: while it is on, every button, slider, font
// button or volume bar clicked in the design view takes the next code. The numbering
// state and the counter belong to the main frame, reached through the delegate.
class CSetSendCodeDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNumberingOff = 101;
    static constexpr int kNumberingOn = 102;

    explicit CSetSendCodeDlg(SetSendCodeDelegate* delegate, QWidget* parent = nullptr);

    QLineEdit* StartCodeEdit() const { return edit; }
    QPushButton* ActionButton() const { return button; }

private:
    void OnAction();

    SetSendCodeDelegate* delegate;
    QLineEdit* edit;
    QPushButton* button;
};
