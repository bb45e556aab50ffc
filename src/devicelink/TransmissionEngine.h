#pragma once

#include "Packaging.h"
#include "TransferProtocol.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <thread>

class QTcpSocket;

// Sends a project to a panel device: packs the project folder into the package on a
// worker thread (refusing a package without the project's data file), connects to the
// device, announces the package and streams it in numbered packets paced by the
// device's one-byte acknowledgements. Runs on the thread
// that owns it (the user-interface thread): socket events and timers arrive there.
//
// Every step and every end of a transfer is reported as a status text of a translation
// key; the end of a transfer also as Finished with that key ("189" on success).
class TransmissionEngine : public QObject {
    Q_OBJECT
public:
    static constexpr int kConnectTimeoutMs = 2000;
    static constexpr int kConnectedPauseMs = 500;
    static constexpr int kWatchdogPeriodMs = 500;
    static constexpr int kSilenceLimitMs = 2050;
    static constexpr int kSendBufferSize = 131072;

    explicit TransmissionEngine(QObject* parent = nullptr);
    ~TransmissionEngine() override;

    // TCP port of the device (tests use their own loopback ports).
    void SetPort(quint16 port) { devicePort = port; }
    quint16 Port() const { return devicePort; }
    // Where Start writes the package; empty = the application's temp.zip.
    void SetPackagePath(const QString& path) { packagePathSetting = path; }
    void SetPackOptions(const PackOptions& options) { packOptions = options; }

    // Packs projectFolder with projectTitle as its top folder and sends the package to
    // the dotted IPv4 address. Does nothing while a transfer runs.
    void Start(const QString& address, const QString& projectFolder, const QString& projectTitle);
    // Sends a package file that is already there; it is left in place afterwards.
    void StartWithPackage(const QString& address, const QString& packagePath, const QString& projectTitle);
    // Ends a transfer at once (Finished with an empty key), waiting for the packing
    // thread to finish its current piece. A package that is finished after Stop is
    // ignored: no connection is opened for it.
    void Stop();

    bool IsRunning() const { return running; }
    QString StatusText() const { return statusText; }
    QString LastStatusKey() const { return statusKey; }
    QString TargetAddress() const { return targetAddress; }

    // The address last typed in manual mode ("TransmissionIP" in the settings).
    static QString LoadRememberedAddress();
    static bool RememberAddress(const QString& address);

Q_SIGNALS:
    void StatusChanged(const QString& text);
    void RunningChanged(bool running);
    void Finished(const QString& statusKey);

private:
    void Begin(const QString& address, const QString& title);
    void OnPackageBuilt(int generation, ProjectPackResult result);
    void OpenConnection();
    void OnConnected();
    void OnConnectedPauseOver();
    void OnReadyRead();
    void OnDisconnected();
    void OnAcknowledgement(const unsigned char* bytes, qint64 count);
    void SendPackets(qint64 k);
    void OnWatchdog();
    void EndTransfer(const QString& key, const QStringList& args = {});
    void StopRoutine();
    void CloseSocket();
    void ShowStatus(const QString& key, const QStringList& args = {});
    void ShowText(const QString& text);

    quint16 devicePort = TransferProtocol::kDefaultPort;
    QString packagePathSetting;
    PackOptions packOptions;

    QString targetAddress;
    QString title;
    QString packagePath;
    QString dataFileName;          // the project's data file, which the package must hold
    bool builtPackage = false;     // the package is ours and is removed with the engine

    std::atomic<bool> running{false};
    std::thread packingThread;
    int generation = 0;

    QTcpSocket* socket = nullptr;
    bool socketOpen = false;
    bool connected = false;
    QTimer connectTimer;
    QTimer pauseTimer;
    QTimer watchdog;
    QElapsedTimer lastActivity;

    QFile packageFile;
    qint64 packageLength = 0;
    qint64 dataPackets = 0;
    int lastPercent = -1;
    qint64 acknowledged = 0;
    bool windowDecided = false;
    bool announced = false;        // the announcement went out: bytes now acknowledge packets
    qint64 nextPacket = 0;
    unsigned char packet[TransferProtocol::kMaxPacketSize];
    unsigned char receiveBuffer[1024];

    QString statusText;
    QString statusKey;
};
