#pragma once

#include "PackageUnpacker.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>

class QTcpServer;
class QUdpSocket;

// A panel device without hardware: receives project transfers over TCP, checks every
// packet against the transfer format, reassembles and unpacks the package, answers
// device searches over UDP, and misbehaves on request so that the editor's handling of
// faulty devices can be tried. Runs on the thread that owns it.
struct PanelSimOptions {
    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    quint16 tcpPort = 48688;          // 0 = any free port
    quint16 udpPort = 48689;          // 0 = any free port
    bool discovery = true;            // answer device searches
    bool windowMode = true;           // first answer "2" (window) or "1" (stop-and-wait)
    QByteArray deviceId = "PANELSIM"; // GBK text reported to searches
    QHostAddress reportAddress;       // address reported to searches; null = the listening one
    QString outputFolder;             // unpack each package here; empty = do not unpack
    QString keepPackage;              // keep a copy of the last package here; empty = none
    int idleTimeoutMs = 30000;        // close a connection that sends nothing this long
    UnpackLimits unpackLimits;

    // Faults (negative = off).
    int closeAfterPackets = -1;       // close the connection on receiving packet number N (1 = the announcement)
    int stopAckAfterPackets = -1;     // acknowledge only the first N packets
    int ackDelayMs = 0;               // hold every acknowledgement this long
    int ackBatch = 1;                 // send data acknowledgements N bytes at once
    int ackBytesPerPacket = 1;        // bytes sent for each packet (more than 1 over-acknowledges)
};

struct TransferReport {
    bool complete = false;          // the last packet arrived and the package has its announced size
    QString violation;              // first deviation from the transfer format, empty when none
    QString end;                    // how the connection ended
    qint64 packetsReceived = 0;
    qint64 announcedPackets = 0;    // n + 1, from the announcement
    QString title;
    qint64 packageBytes = 0;
    QByteArray firstAck;            // the first acknowledgement byte sent
    bool unpacked = false;
    UnpackResult unpack;
};

class PanelSimulator : public QObject {
    Q_OBJECT
public:
    explicit PanelSimulator(const PanelSimOptions& options, QObject* parent = nullptr);
    ~PanelSimulator() override;

    // Opens the listening sockets; false with a reason when a port cannot be had.
    bool Start(QString* error = nullptr);
    quint16 TcpPort() const;
    quint16 UdpPort() const;
    const PanelSimOptions& Options() const { return options; }

    QList<TransferReport> Reports() const { return reports; }
    int ProbesAnswered() const { return probesAnswered; }
    // The bytes of the last package received (kept only up to 64 MiB, for checks).
    QByteArray LastPackage() const { return lastPackage; }

Q_SIGNALS:
    void TransferFinished(const TransferReport& report);
    void Log(const QString& line);

private:
    class Session;
    friend class Session;
    void OnNewConnection();
    void OnAcceptError();
    void OnProbe();
    void SessionEnded(Session* session, const TransferReport& report, const QByteArray& package);

    PanelSimOptions options;
    QTcpServer* server = nullptr;
    QUdpSocket* udp = nullptr;
    QList<TransferReport> reports;
    QByteArray lastPackage;
    int probesAnswered = 0;
};
