#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
struct VideoChannel;

// Edits one channel of a video combo box: its name and its preview, HD and UHD stream
// addresses. OK writes the trimmed values back only when the preview and HD addresses
// are given and valid and the UHD address is either empty or valid; Cancel changes
// nothing.
class CRTSPInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CRTSPInfoDlg(VideoChannel& channel, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return nameEdit; }
    QLineEdit* PreviewEdit() const { return previewEdit; }
    QLineEdit* HdEdit() const { return hdEdit; }
    QLineEdit* UhdEdit() const { return uhdEdit; }
    QPushButton* OkButton() const { return okButton; }
    QPushButton* CancelButton() const { return cancelButton; }

private:
    void OnOk();

    VideoChannel& channel;
    QLineEdit* nameEdit;
    QLineEdit* previewEdit;
    QLineEdit* hdEdit;
    QLineEdit* uhdEdit;
    QPushButton* okButton;
    QPushButton* cancelButton;
};
