#pragma once

#include <QDialog>
#include <QStringList>

struct DisplayWallScreenDialogRequest;
class CIpAddressEdit;
class QLineEdit;
class QPushButton;

// Edits one screen of a display wall: its address, its two resolutions and, through the
// group dialog, its further addresses. Only OK writes the edited values into the request.
class CDisplayWallScreenInfoSetDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxResolution = 0xFFFF; // stored as a word

    explicit CDisplayWallScreenInfoSetDlg(DisplayWallScreenDialogRequest& request, QWidget* parent = nullptr);

    CIpAddressEdit* AddressBox() const { return addressBox; }
    QLineEdit* HorizontalEdit() const { return horizontalEdit; }
    QLineEdit* VerticalEdit() const { return verticalEdit; }
    QPushButton* GroupButton() const { return groupButton; }
    QPushButton* OkButton() const { return okButton; }
    QPushButton* CancelButton() const { return cancelButton; }

private:
    void OnGroup();
    void OnOk();
    // The resolution in an edit box: an empty box shows emptyKey, a value above a word
    // shows the range; false then. Any other text that is no number counts as 0.
    bool TakeResolution(QLineEdit* edit, const QString& emptyKey, int& value);

    DisplayWallScreenDialogRequest& request;
    QStringList group; // edited here until OK
    CIpAddressEdit* addressBox;
    QLineEdit* horizontalEdit;
    QLineEdit* verticalEdit;
    QPushButton* groupButton;
    QPushButton* okButton;
    QPushButton* cancelButton;
};
