#include "TransmissionEngine.h"

#include "base/AppPaths.h"
#include "base/IniFile.h"
#include "base/Ipv4Address.h"
#include "base/Translation.h"

#include <QDir>
#include <QHostAddress>
#include <QTcpSocket>

#include <sys/socket.h>

#include <cstring>
#include <limits>

namespace {

const QString kInfo = QStringLiteral("Info");
const QString kTransmissionIP = QStringLiteral("TransmissionIP");

} // namespace

TransmissionEngine::TransmissionEngine(QObject* parent) : QObject(parent)
{
    connectTimer.setSingleShot(true);
    pauseTimer.setSingleShot(true);
    connect(&connectTimer, &QTimer::timeout, this, [this] { EndTransfer(QStringLiteral("197")); });
    connect(&pauseTimer, &QTimer::timeout, this, &TransmissionEngine::OnConnectedPauseOver);
    connect(&watchdog, &QTimer::timeout, this, &TransmissionEngine::OnWatchdog);
}

TransmissionEngine::~TransmissionEngine()
{
    StopRoutine();
    if (packingThread.joinable())
        packingThread.join();
    if (builtPackage && !packagePath.isEmpty())
        QFile::remove(packagePath);
}

QString TransmissionEngine::LoadRememberedAddress()
{
    return Profile::ReadString(AppPaths::GetSettingsPath(), kInfo, kTransmissionIP);
}

bool TransmissionEngine::RememberAddress(const QString& address)
{
    return Profile::WriteString(AppPaths::GetSettingsPath(), kInfo, kTransmissionIP, address);
}

void TransmissionEngine::ShowStatus(const QString& key, const QStringList& args)
{
    statusKey = key;
    statusText = TranslateFormat(key, args);
    Q_EMIT StatusChanged(statusText);
}

void TransmissionEngine::ShowText(const QString& text)
{
    statusText = text;
    Q_EMIT StatusChanged(statusText);
}

void TransmissionEngine::Begin(const QString& address, const QString& projectTitle)
{
    targetAddress = address;
    // The device keeps at most 129 UTF-16 units of the title; the package's top folder
    // carries the same cut title so that both always agree.
    title = TransferProtocol::DeviceTitle(projectTitle);
    announced = false;
    running = true;
    ++generation;
    Q_EMIT RunningChanged(true);
}

void TransmissionEngine::Start(const QString& address, const QString& projectFolder,
                               const QString& projectTitle)
{
    if (running)
        return;
    if (packingThread.joinable())
        packingThread.join();
    Begin(address, projectTitle);
    packagePath = packagePathSetting.isEmpty() ? AppPaths::GetTempZipPath() : packagePathSetting;
    builtPackage = true;
    ShowStatus(QStringLiteral("188"));

    const int gen = generation;
    const QString path = packagePath;
    const QString folder = projectFolder;
    const QString top = title;
    const PackOptions options = packOptions;
    dataFileName = ProjectDataFileName(QDir::cleanPath(projectFolder));
    packingThread = std::thread([this, gen, path, folder, top, options] {
        const ProjectPackResult result = BuildProjectPackage(path, folder, top, running, options);
        // Posted, never sent: the user-interface thread may be waiting for this thread.
        QMetaObject::invokeMethod(this, [this, gen, result] { OnPackageBuilt(gen, result); }, Qt::QueuedConnection);
    });
}

void TransmissionEngine::StartWithPackage(const QString& address, const QString& path,
                                          const QString& projectTitle)
{
    if (running)
        return;
    if (packingThread.joinable())
        packingThread.join();
    Begin(address, projectTitle);
    packagePath = path;
    builtPackage = false;
    const int gen = generation;
    QMetaObject::invokeMethod(this, [this, gen] { OnPackageBuilt(gen, ProjectPackResult::Written); },
                              Qt::QueuedConnection);
}

void TransmissionEngine::OnPackageBuilt(int gen, ProjectPackResult result)
{
    // A package finished after Stop (or for an earlier Start) belongs to no transfer.
    if (gen != generation || !running)
        return;
    if (packingThread.joinable())
        packingThread.join();
    switch (result) {
    case ProjectPackResult::Written:
        OpenConnection();
        break;
    case ProjectPackResult::NotWritten:
        EndTransfer(QStringLiteral("190"));
        break;
    case ProjectPackResult::NoDataFile:
        EndTransfer(QStringLiteral("1407"), {dataFileName});
        break;
    }
}

void TransmissionEngine::OpenConnection()
{
    socketOpen = false;
    connected = false;
    socket = new QTcpSocket(this);
    // Binding creates the socket, so that its options can be set before connecting.
    if (!socket->bind(QHostAddress(QHostAddress::AnyIPv4), 0)) {
        EndTransfer(QStringLiteral("305"));
        return;
    }
    const int fd = static_cast<int>(socket->socketDescriptor());
    const int one = 1;
    if (fd < 0 || setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one)) != 0) {
        EndTransfer(QStringLiteral("305"));
        return;
    }
    socketOpen = true;
    ShowStatus(QStringLiteral("195"));

    connect(socket, &QTcpSocket::connected, this, &TransmissionEngine::OnConnected);
    connect(socket, &QTcpSocket::readyRead, this, &TransmissionEngine::OnReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, &TransmissionEngine::OnDisconnected);
    // A full window of 100 packets must fit into the send buffer. Linux reports twice
    // the size that was set, so the check asks for at least that size.
    socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, kSendBufferSize);
    const QVariant confirmed = socket->socketOption(QAbstractSocket::SendBufferSizeSocketOption);
    if (!confirmed.isValid() || confirmed.toLongLong() < kSendBufferSize) {
        EndTransfer(QStringLiteral("305"));
        return;
    }
    // The editor's one address rule: a target it refuses (a zero-padded part, text after
    // the address, 255.255.255.255) is never contacted, and the connect timer ends the
    // attempt as an unanswered connection.
    quint32 address = 0;
    if (ParseIpv4Address(targetAddress, address))
        socket->connectToHost(QHostAddress(address), devicePort);
    connectTimer.start(kConnectTimeoutMs);
}

void TransmissionEngine::OnConnected()
{
    if (!running)
        return;
    connectTimer.stop();
    connected = true;
    ShowStatus(QStringLiteral("196"));
    // The device is given a moment after the connection before the announcement; the
    // pause is a timer so that the window stays responsive.
    pauseTimer.start(kConnectedPauseMs);
}

void TransmissionEngine::OnConnectedPauseOver()
{
    if (!running)
        return;
    ShowStatus(QStringLiteral("307"));
    packageFile.setFileName(packagePath);
    if (!packageFile.open(QIODevice::ReadOnly)) {
        EndTransfer(QStringLiteral("194"));
        return;
    }
    packageLength = packageFile.size();
    // Lengths are 32-bit signed on the device side.
    if (packageLength > std::numeric_limits<qint32>::max()) {
        EndTransfer(QStringLiteral("194"));
        return;
    }
    dataPackets = TransferProtocol::DataPacketCount(packageLength);
    lastPercent = -1;
    nextPacket = 0;
    acknowledged = 0;
    windowDecided = false;
    lastActivity.start();
    watchdog.start(kWatchdogPeriodMs);
    announced = true;
    SendPackets(1);
}

void TransmissionEngine::SendPackets(qint64 k)
{
    using namespace TransferProtocol;
    for (qint64 sent = 0; running && sent < k; ++sent) {
        if (nextPacket > dataPackets)
            return;
        const bool last = nextPacket == dataPackets;
        QByteArray announcement;
        const char* bytes = nullptr;
        int size = 0;
        if (nextPacket == 0) {
            announcement = BuildAnnouncement(dataPackets, title);
            bytes = announcement.constData();
            size = static_cast<int>(announcement.size());
        } else {
            const qint64 offset = (nextPacket - 1) * kChunkSize;
            const int length = static_cast<int>(std::min<qint64>(kChunkSize, packageLength - offset));
            // The read position advances chunk by chunk; a file that shrank under us
            // can no longer be sent whole.
            if (packageFile.read(reinterpret_cast<char*>(packet) + 22, length) != length) {
                EndTransfer(QStringLiteral("194"));
                return;
            }
            size = FillDataHeader(packet, static_cast<quint32>(nextPacket), last, length);
            bytes = reinterpret_cast<const char*>(packet);
        }
        if (socketOpen && socket)
            socket->write(bytes, size);
        ++nextPacket;
    }
}

void TransmissionEngine::OnReadyRead()
{
    // Bytes a device sends before the announcement acknowledge nothing: counted, they
    // could add up to every packet of a transfer that has not begun.
    if (socket && !announced) {
        socket->readAll();
        return;
    }
    while (socket && socket->bytesAvailable() > 0) {
        const qint64 b = socket->read(reinterpret_cast<char*>(receiveBuffer), sizeof(receiveBuffer));
        if (b <= 0)
            return; // a receive error changes nothing; the watchdog decides
        OnAcknowledgement(receiveBuffer, b);
    }
}

void TransmissionEngine::OnAcknowledgement(const unsigned char* bytes, qint64 b)
{
    acknowledged += b;
    lastActivity.start();
    // Against n, not n + 1: the announcement's acknowledgement already counts, so the
    // last acknowledgements would compute more than 100; the line never shows more.
    const int percent = dataPackets > 0
        ? static_cast<int>(std::min(100.0, static_cast<double>(acknowledged) / static_cast<double>(dataPackets) * 100.0))
        : 100;
    if (percent != lastPercent) {
        lastPercent = percent;
        ShowText(QStringLiteral(" %1%").arg(percent));
    }
    if (!running)
        return;
    // Complete only with every packet sent and acknowledged: a device that acknowledges
    // more than it was sent never reaches success.
    if (acknowledged == dataPackets + 1 && nextPacket > dataPackets) {
        EndTransfer(QStringLiteral("189"));
        return;
    }
    qint64 k = 0;
    if (!windowDecided) {
        windowDecided = true;
        k = bytes[0] == static_cast<unsigned char>(TransferProtocol::kWindowRequest)
                ? TransferProtocol::kWindowSize : 1;
    } else {
        k = b;
    }
    SendPackets(k);
}

void TransmissionEngine::OnDisconnected()
{
    if (!running || !connected)
        return;
    // Acknowledgements that came in with the close still count.
    OnReadyRead();
    if (running)
        EndTransfer(QStringLiteral("306"));
}

void TransmissionEngine::OnWatchdog()
{
    if (lastActivity.isValid() && lastActivity.elapsed() > kSilenceLimitMs)
        EndTransfer(QStringLiteral("199"));
}

void TransmissionEngine::CloseSocket()
{
    socketOpen = false;
    connected = false;
    if (!socket)
        return;
    socket->disconnect(this);
    socket->disconnectFromHost();
    if (socket->state() != QAbstractSocket::UnconnectedState)
        socket->abort();
    socket->deleteLater();
    socket = nullptr;
}

void TransmissionEngine::StopRoutine()
{
    const bool wasRunning = running.exchange(false);
    connectTimer.stop();
    pauseTimer.stop();
    watchdog.stop();
    CloseSocket();
    if (packingThread.joinable())
        packingThread.join();
    if (packageFile.isOpen())
        packageFile.close();
    if (wasRunning)
        Q_EMIT RunningChanged(false);
}

void TransmissionEngine::EndTransfer(const QString& key, const QStringList& args)
{
    StopRoutine();
    ShowStatus(key, args);
    Q_EMIT Finished(key);
}

void TransmissionEngine::Stop()
{
    const bool wasRunning = running;
    StopRoutine();
    if (wasRunning)
        Q_EMIT Finished(QString());
}
