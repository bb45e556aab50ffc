#pragma once

#include <QDialog>

class QPushButton;

// Product, version, maker and the way to the version history.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QPushButton* HistoryButton() const { return historyButton; }
    QPushButton* OkButton() const { return okButton; }

private:
    void OnHistory();

    QPushButton* historyButton;
    QPushButton* okButton;
};
