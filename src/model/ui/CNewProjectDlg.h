#pragma once

#include "model/ScreenType.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLineEdit;
class QPushButton;

// Chooses the size of a new project (a listed screen type or a free "CUSTOM" size) and
// the project's folder.
class CNewProjectDlg : public QDialog {
    Q_OBJECT
public:
    explicit CNewProjectDlg(QWidget* parent = nullptr);

    ScreenType GetScreenType() const { return chosen; }
    QString GetFolder() const { return folder; }
    const QList<ScreenType>& ScreenTypes() const { return types; }

    QComboBox* TypeCombo() const { return typeCombo; }
    QLineEdit* WidthEdit() const { return widthEdit; }
    QLineEdit* HeightEdit() const { return heightEdit; }
    QLineEdit* PathEdit() const { return pathEdit; }
    QPushButton* BrowseButton() const { return browseButton; }

    void accept() override;

private:
    void OnTypeChanged(int index);
    void OnBrowse();

    QList<ScreenType> types;
    ScreenType chosen;
    QString folder;
    QComboBox* typeCombo;
    QLineEdit* widthEdit;
    QLineEdit* heightEdit;
    QLineEdit* pathEdit;
    QPushButton* browseButton;
};
