#pragma once

#include "devicelink/DeviceDiscovery.h"
#include "devicelink/TransmissionEngine.h"
#include "devicelink/TransmissionProjectDlgDelegate.h"

#include <QDialog>

#include <vector>

class QGroupBox;
class QLabel;
class CIpAddressEdit;
class QPushButton;
class QTreeWidget;

// Sends the project folder on disk to a panel device. The device is typed in (manual
// mode, the address remembered for next time) or picked from the devices a search found
// (find mode). Enter does nothing here, so that a stray key never starts or stops a
// transfer; Escape, the Close button and the close box stop a transfer and end the dialog.
class CTransmissionProjectDlg : public QDialog {
    Q_OBJECT
public:
    // owner: the window that opened the dialog; projectFolder: the project's folder;
    // projectTitle: the name the device shows (empty = taken from the folder name).
    CTransmissionProjectDlg(TransmissionProjectDlgDelegate* owner, const QString& projectFolder,
                            const QString& projectTitle, QWidget* parent = nullptr);
    ~CTransmissionProjectDlg() override;

    // The parts under the dialog, for trials against other ports and addresses.
    TransmissionEngine& Engine() { return engine; }
    DeviceFinder& Finder() { return finder; }

    bool IsFindMode() const { return findMode; }
    const std::vector<tagDeviceInfo>& FoundDevices() const { return foundDevices; }
    QString ProjectTitle() const { return projectTitle; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void OnStart();
    void OnStop();
    void OnFind();
    void OnManual();
    static void OnFindDeviceDone(int code, void* user);
    static void OnDeviceFound(const tagDeviceInfo& record, void* user);
    void FindDone(int code);
    void ShowModeControls();
    void UpdateButtons();

    TransmissionProjectDlgDelegate* owner;
    QString projectFolder;
    QString projectTitle;
    std::vector<tagDeviceInfo> foundDevices;
    bool findMode = false;
    bool searching = false;

    TransmissionEngine engine;
    DeviceFinder finder;

    QLabel* statusCaption;
    QLabel* statusText;
    QPushButton* startButton;
    QPushButton* stopButton;
    QPushButton* findButton;
    QPushButton* manualButton;
    QPushButton* closeButton;
    QGroupBox* deviceBox;
    QTreeWidget* deviceTree;
    QLabel* findNote;
    QLabel* addressLabel;
    CIpAddressEdit* addressEdit;
};
