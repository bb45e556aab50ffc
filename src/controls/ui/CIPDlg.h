#pragma once

#include <QDialog>

class CIpAddressEdit;
class QPushButton;

// Asks for one IPv4 address under the caller's title. OK refuses what is not an
// address (message 378) and puts the address the dialog started with back.
class CIPDlg : public QDialog {
    Q_OBJECT
public:
    CIPDlg(const QString& title, quint32 address, QWidget* parent = nullptr);

    quint32 Address() const { return address; }
    CIpAddressEdit* AddressBox() const { return box; }
    QPushButton* OkButton() const { return okButton; }
    QPushButton* CancelButton() const { return cancelButton; }

private:
    void OnOk();

    quint32 address;
    CIpAddressEdit* box;
    QPushButton* okButton;
    QPushButton* cancelButton;
};
