#pragma once

#include "devicelink/DeviceInfoManageDelegate.h"

#include <QDialog>

class CMyListCtrl;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Edits the video device list of a scrolling video preview in place: add, edit, delete
// checked rows and move rows, every change taking effect on the owner's list at once.
// Every device needs an ID and a name, unique within the list, and valid preview and HD
// stream addresses; the UHD address may be left empty.
class CDeviceInfoManageDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDeviceInfoManageDlg(DeviceInfoManageDelegate* owner, QWidget* parent = nullptr);

    enum class Mode { None, Add, Edit };
    Mode EditMode() const { return mode; }
    bool IsEditAreaShown() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateEnablings();
    void ShowEditArea(bool show);
    void SetEditsEnabled(bool enabled);
    void OnAdd();
    void OnEdit();
    void OnSave();
    void OnDelete();
    void Move(int step);
    DeviceInfoList& List() { return owner->GetDeviceList(); }
    int IndexOfId(const QString& id);
    bool HasId(const QString& id) { return IndexOfId(id) >= 0; }
    bool HasName(const QString& name);

    DeviceInfoManageDelegate* owner;
    Mode mode = Mode::None;
    QString previousId;
    QString previousName;
    bool columnsSpread = false;

    CMyListCtrl* list;
    QGroupBox* listBox;
    QGroupBox* editBox;
    QLineEdit* idEdit;
    QLineEdit* nameEdit;
    QLineEdit* previewEdit;
    QLineEdit* hdEdit;
    QLineEdit* uhdEdit;
    QPushButton* saveButton;
    QPushButton* addButton;
    QPushButton* editButton;
    QPushButton* deleteButton;
    QPushButton* upButton;
    QPushButton* downButton;
    QPushButton* cancelButton;
};
