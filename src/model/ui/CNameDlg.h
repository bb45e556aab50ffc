#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// One-line name entry: pages and sub-pages, interlock groups, the text brush.
class CNameDlg : public QDialog {
    Q_OBJECT
public:
    CNameDlg(const QString& caption, const QString& label, const QString& proposedName,
             QWidget* parent = nullptr);

    QString GetName() const { return name; }
    QLineEdit* NameEdit() const { return nameEdit; }

    void accept() override;

private:
    QLineEdit* nameEdit;
    QString name;
};

// Runs the dialog for a NameDialogRequest (the "name" dialog of the UI seam).
int RunNameDialog(void* request);
