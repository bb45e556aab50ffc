#pragma once

#include <QDialog>

class CIpAddressEdit;
class QPushButton;
class QRadioButton;

// Prepares the stream brush: the address of the first device and its generation, which
// decides how many stream addresses each clicked control gets (2 or 3).
class CSetRTSPInfoDlg : public QDialog {
    Q_OBJECT
public:
    CSetRTSPInfoDlg(quint32 startAddress, int generation, QWidget* parent = nullptr);

    quint32 StartAddress() const;
    int Generation() const;

    CIpAddressEdit* AddressEdit() const { return addressEdit; }
    QRadioButton* SecondButton() const { return secondButton; }
    QRadioButton* ThirdButton() const { return thirdButton; }
    QPushButton* OkButton() const { return okButton; }
    QPushButton* CancelButton() const { return cancelButton; }

private:
    CIpAddressEdit* addressEdit;
    QRadioButton* secondButton;
    QRadioButton* thirdButton;
    QPushButton* okButton;
    QPushButton* cancelButton;
};
