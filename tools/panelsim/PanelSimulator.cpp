#include "PanelSimulator.h"

#include "PacketParser.h"

#include "devicelink/DeviceDiscovery.h"
#include "devicelink/TransferProtocol.h"

#include <QFile>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryFile>
#include <QTimer>
#include <QUdpSocket>

#include <cstring>

namespace {

constexpr qint64 kKeepInMemory = 64ll << 20;
// After the system refused a connection (out of file descriptors, say), accepting starts
// again this much later, once idle connections have had time to close.
constexpr int kAcceptRetryMs = 1000;

} // namespace

class PanelSimulator::Session : public QObject {
public:
    Session(PanelSimulator* owner, QTcpSocket* socket) : QObject(owner), owner(owner), socket(socket)
    {
        socket->setParent(this);
        // A sender that connects and then says nothing would hold its descriptor for ever.
        idle.setSingleShot(true);
        connect(&idle, &QTimer::timeout, this, [this] {
            Close(QStringLiteral("closed after %1 ms without data").arg(Options().idleTimeoutMs));
        });
        if (Options().idleTimeoutMs > 0)
            idle.start(Options().idleTimeoutMs);
        connect(socket, &QTcpSocket::readyRead, this, [this] { OnReadyRead(); });
        connect(socket, &QTcpSocket::disconnected, this, [this] {
            Finish(report.complete ? QStringLiteral("complete") : QStringLiteral("closed by the sender"));
            deleteLater();
        });
        package.open();
    }

private:
    const PanelSimOptions& Options() const { return owner->options; }

    void OnReadyRead()
    {
        if (Options().idleTimeoutMs > 0 && !closing)
            idle.start(Options().idleTimeoutMs);
        buffer.append(socket->readAll());
        qint64 pos = 0;
        while (!closing && ParseOne(pos)) {
        }
        buffer.remove(0, pos);
    }

    // Takes one whole packet from the buffer at pos; false when more bytes are needed
    // or the session is over.
    bool ParseOne(qint64& pos)
    {
        using namespace TransferProtocol;
        const PacketEvent e = parser.Next(buffer, pos);
        switch (e.kind) {
        case PacketEvent::Kind::NeedMore:
            return false;
        case PacketEvent::Kind::Violation:
            Violation(e.violation);
            return false;
        case PacketEvent::Kind::Announcement:
            report.announcedPackets = e.announcedPackets;
            report.title = e.title;
            break;
        case PacketEvent::Kind::Data:
            package.write(e.data, e.dataLength);
            report.packageBytes += e.dataLength;
            break;
        }
        const qint64 index = e.index;
        const bool lastFlag = e.last;
        ++report.packetsReceived;

        if (Options().closeAfterPackets > 0 && report.packetsReceived >= Options().closeAfterPackets) {
            Close(QStringLiteral("closed by fault after %1 packets").arg(report.packetsReceived));
            return false;
        }
        const bool complete = lastFlag;
        if (Options().stopAckAfterPackets < 0 || report.packetsReceived <= Options().stopAckAfterPackets) {
            const char first = Options().windowMode ? kWindowRequest : '1';
            Acknowledge(index == 0 ? first : '1', index == 0 || complete);
        }
        if (complete)
            Complete();
        return true;
    }

    void Acknowledge(char byte, bool now)
    {
        if (report.firstAck.isEmpty())
            report.firstAck = QByteArray(1, byte);
        pendingAcks.append(QByteArray(std::max(1, Options().ackBytesPerPacket), byte));
        if (now || pendingAcks.size() >= std::max(1, Options().ackBatch))
            FlushAcks();
    }

    void FlushAcks()
    {
        if (pendingAcks.isEmpty())
            return;
        const QByteArray bytes = pendingAcks;
        pendingAcks.clear();
        if (Options().ackDelayMs > 0) {
            QTimer::singleShot(Options().ackDelayMs, this, [this, bytes] {
                if (socket->state() == QAbstractSocket::ConnectedState)
                    socket->write(bytes);
            });
        } else {
            socket->write(bytes);
            socket->flush();
        }
    }

    void Complete()
    {
        package.flush();
        const qint64 dataPackets = parser.DataPackets();
        const qint64 expectedBytes = dataPackets == 0 ? 0 : (dataPackets - 1) * TransferProtocol::kChunkSize;
        report.complete = report.packageBytes > expectedBytes || dataPackets == 0;
        QByteArray bytes;
        if (report.packageBytes <= kKeepInMemory) {
            QFile copy(package.fileName());
            if (copy.open(QIODevice::ReadOnly))
                bytes = copy.readAll();
        }
        if (!Options().keepPackage.isEmpty()) {
            QFile::remove(Options().keepPackage);
            QFile::copy(package.fileName(), Options().keepPackage);
        }
        if (!Options().outputFolder.isEmpty()) {
            report.unpacked = true;
            report.unpack = UnpackPackage(package.fileName(), Options().outputFolder, Options().unpackLimits);
        }
        report.end = QStringLiteral("complete");
        Report(bytes);
    }

    void Violation(const QString& text)
    {
        if (report.violation.isEmpty())
            report.violation = text;
        Close(QStringLiteral("closed after a format violation"));
    }

    void Close(const QString& end)
    {
        closing = true;
        idle.stop();
        Finish(end);
        socket->abort();
        deleteLater();
    }

    void Finish(const QString& end)
    {
        if (reported)
            return;
        report.end = end;
        Report({});
    }

    void Report(const QByteArray& bytes)
    {
        reported = true;
        owner->SessionEnded(this, report, bytes);
    }

    PanelSimulator* owner;
    QTcpSocket* socket;
    QByteArray buffer;
    QTemporaryFile package;
    QByteArray pendingAcks;
    TransferReport report;
    PacketParser parser;
    QTimer idle;
    bool closing = false;
    bool reported = false;
};

PanelSimulator::PanelSimulator(const PanelSimOptions& options, QObject* parent)
    : QObject(parent), options(options)
{
}

PanelSimulator::~PanelSimulator() = default;

bool PanelSimulator::Start(QString* error)
{
    server = new QTcpServer(this);
    if (!server->listen(options.address, options.tcpPort)) {
        if (error)
            *error = QStringLiteral("TCP %1:%2: %3").arg(options.address.toString()).arg(options.tcpPort)
                         .arg(server->errorString());
        return false;
    }
    connect(server, &QTcpServer::newConnection, this, &PanelSimulator::OnNewConnection);
    connect(server, &QTcpServer::acceptError, this, &PanelSimulator::OnAcceptError);
    if (options.discovery) {
        udp = new QUdpSocket(this);
        if (!udp->bind(options.address, options.udpPort)) {
            if (error)
                *error = QStringLiteral("UDP %1:%2: %3").arg(options.address.toString()).arg(options.udpPort)
                             .arg(udp->errorString());
            return false;
        }
        connect(udp, &QUdpSocket::readyRead, this, &PanelSimulator::OnProbe);
    }
    return true;
}

quint16 PanelSimulator::TcpPort() const
{
    return server ? server->serverPort() : 0;
}

quint16 PanelSimulator::UdpPort() const
{
    return udp ? udp->localPort() : 0;
}

void PanelSimulator::OnNewConnection()
{
    while (QTcpSocket* socket = server->nextPendingConnection()) {
        Q_EMIT Log(QStringLiteral("connection from %1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort()));
        new Session(this, socket);
    }
}

void PanelSimulator::OnAcceptError()
{
    // The server pauses accepting after such an error; it would never accept again.
    Q_EMIT Log(QStringLiteral("a connection could not be accepted: %1").arg(server->errorString()));
    QTimer::singleShot(kAcceptRetryMs, this, [this] { server->resumeAccepting(); });
}

void PanelSimulator::OnProbe()
{
    while (udp->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = udp->receiveDatagram(512);
        quint32 nonce = 0;
        if (!DeviceDiscovery::ParseProbe(datagram.data(), nonce))
            continue;
        QHostAddress reported = options.reportAddress;
        if (reported.isNull())
            reported = options.address.protocol() == QAbstractSocket::IPv4Protocol && options.address != QHostAddress::AnyIPv4
                ? options.address : QHostAddress(QHostAddress::LocalHost);
        const tagDeviceInfo info = DeviceDiscovery::MakeDeviceInfo(options.deviceId, reported.toIPv4Address(),
                                                                   nonce, TcpPort());
        udp->writeDatagram(reinterpret_cast<const char*>(&info), sizeof(info), datagram.senderAddress(),
                           static_cast<quint16>(datagram.senderPort()));
        ++probesAnswered;
        Q_EMIT Log(QStringLiteral("search from %1:%2 answered").arg(datagram.senderAddress().toString())
                       .arg(datagram.senderPort()));
    }
}

void PanelSimulator::SessionEnded(Session*, const TransferReport& report, const QByteArray& package)
{
    reports.append(report);
    if (report.complete)
        lastPackage = package;
    Q_EMIT TransferFinished(report);
}
