#include "PanelSimulator.h"

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

quint32 GetBig32(const unsigned char* p)
{
    return (static_cast<quint32>(p[0]) << 24) | (static_cast<quint32>(p[1]) << 16) |
           (static_cast<quint32>(p[2]) << 8) | p[3];
}

} // namespace

class PanelSimulator::Session : public QObject {
public:
    Session(PanelSimulator* owner, QTcpSocket* socket) : QObject(owner), owner(owner), socket(socket)
    {
        socket->setParent(this);
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
        const qint64 available = buffer.size() - pos;
        if (available < kHeaderSize + 4)
            return false;
        const unsigned char* p = reinterpret_cast<const unsigned char*>(buffer.constData() + pos);
        const unsigned char* expectedHeader = HeaderTemplate();
        for (int i = 0; i < kHeaderSize; ++i) {
            if (i == 14 || i == 15)
                continue;
            if (p[i] != expectedHeader[i]) {
                Violation(QStringLiteral("packet %1: header byte %2 is 0x%3, not 0x%4")
                              .arg(expected).arg(i).arg(p[i], 2, 16, QLatin1Char('0'))
                              .arg(expectedHeader[i], 2, 16, QLatin1Char('0')));
                return false;
            }
        }
        const int length = p[14] | (p[15] << 8);
        if (length < 4 || kHeaderSize + length > kMaxPacketSize) {
            Violation(QStringLiteral("packet %1: payload length %2").arg(expected).arg(length));
            return false;
        }
        if (available < kHeaderSize + length)
            return false;
        const quint32 sequence = GetBig32(p + 18);
        const qint64 index = sequence & ~kLastPacketFlag;
        const bool lastFlag = (sequence & kLastPacketFlag) != 0;
        if (index != expected) {
            Violation(QStringLiteral("packet %1 arrived where packet %2 was due").arg(index).arg(expected));
            return false;
        }
        if (index == 0) {
            if (length < 20) {
                Violation(QStringLiteral("announcement: payload length %1 below 20").arg(length));
                return false;
            }
            const qint64 count = GetBig32(p + 22);
            for (int i = 26; i < 36; ++i) {
                if (p[i] != 0) {
                    Violation(QStringLiteral("announcement: reserved byte %1 is not zero").arg(i));
                    return false;
                }
            }
            const int m = (p[36] << 8) | p[37];
            if (length != m + 20 || m % 2 != 0) {
                Violation(QStringLiteral("announcement: title length %1 does not fit payload length %2")
                              .arg(m).arg(length));
                return false;
            }
            if (m > kMaxTitleUnits * 2) {
                Violation(QStringLiteral("announcement: title of %1 units, more than %2")
                              .arg(m / 2).arg(kMaxTitleUnits));
                return false;
            }
            if (count < 1) {
                Violation(QStringLiteral("announcement: packet count 0"));
                return false;
            }
            dataPackets = count - 1;
            if (lastFlag != (dataPackets == 0)) {
                Violation(QStringLiteral("announcement: last-packet flag %1").arg(lastFlag ? "set" : "missing"));
                return false;
            }
            report.announcedPackets = count;
            QString title;
            for (int i = 0; i < m / 2; ++i)
                title += QChar(static_cast<char16_t>(p[38 + 2 * i] | (p[39 + 2 * i] << 8)));
            report.title = title;
        } else {
            const int dataLength = length - 4;
            if (index > dataPackets) {
                Violation(QStringLiteral("packet %1 beyond the announced %2").arg(index).arg(dataPackets));
                return false;
            }
            const bool last = index == dataPackets;
            if (lastFlag != last) {
                Violation(QStringLiteral("packet %1: last-packet flag %2").arg(index).arg(lastFlag ? "set" : "missing"));
                return false;
            }
            if ((!last && dataLength != kChunkSize) || (last && (dataLength < 1 || dataLength > kChunkSize))) {
                Violation(QStringLiteral("packet %1: %2 data bytes").arg(index).arg(dataLength));
                return false;
            }
            package.write(reinterpret_cast<const char*>(p + 22), dataLength);
            report.packageBytes += dataLength;
        }
        pos += kHeaderSize + length;
        ++expected;
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
            report.unpack = UnpackPackage(package.fileName(), Options().outputFolder);
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
        Finish(end);
        socket->abort();
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
    qint64 expected = 0;
    qint64 dataPackets = -1;
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
