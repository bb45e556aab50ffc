#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The release notes of the editor in the current language, newest first.
class CVersionRecordDlg : public QDialog {
    Q_OBJECT
public:
    explicit CVersionRecordDlg(QWidget* parent = nullptr);

    // The notes exactly as built (CR LF line ends); the box shows them line by line.
    QString NotesText() const { return notes; }
    QPlainTextEdit* NotesBox() const { return box; }
    QPushButton* OkButton() const { return okButton; }

private:
    QString notes;
    QPlainTextEdit* box;
    QPushButton* okButton;
};
