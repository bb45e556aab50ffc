#include "DeviceDiscovery.h"

#include "base/AnsiCodePage.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QUdpSocket>

#include <cstring>

namespace DeviceDiscovery {

namespace {

const char kProbeMagic[4] = {'M', 'V', 'D', 'Q'};
constexpr unsigned char kProbeVersion = 1;

void PutBig32(unsigned char* p, quint32 v)
{
    p[0] = static_cast<unsigned char>(v >> 24);
    p[1] = static_cast<unsigned char>(v >> 16);
    p[2] = static_cast<unsigned char>(v >> 8);
    p[3] = static_cast<unsigned char>(v);
}

quint32 GetBig32(const unsigned char* p)
{
    return (static_cast<quint32>(p[0]) << 24) | (static_cast<quint32>(p[1]) << 16) |
           (static_cast<quint32>(p[2]) << 8) | p[3];
}

} // namespace

QByteArray BuildProbe(quint32 nonce)
{
    QByteArray probe(kProbeSize, '\0');
    unsigned char* p = reinterpret_cast<unsigned char*>(probe.data());
    std::memcpy(p, kProbeMagic, 4);
    p[4] = kProbeVersion;
    PutBig32(p + 8, nonce);
    return probe;
}

bool ParseProbe(const QByteArray& datagram, quint32& nonce)
{
    if (datagram.size() != kProbeSize || std::memcmp(datagram.constData(), kProbeMagic, 4) != 0)
        return false;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(datagram.constData());
    if (p[4] != kProbeVersion)
        return false;
    nonce = GetBig32(p + 8);
    return true;
}

tagDeviceInfo MakeDeviceInfo(const QByteArray& idAnsi, quint32 ipv4, quint32 nonce, quint16 transferPort)
{
    tagDeviceInfo info;
    std::memset(&info, 0, sizeof(info));
    info.marker[0] = 'M';
    info.marker[1] = 'D';
    std::memcpy(info.id, idAnsi.constData(), static_cast<size_t>(std::min<qsizetype>(idAnsi.size(), 19)));
    PutBig32(info.ip, ipv4);
    PutBig32(info.nonce, nonce);
    info.port[0] = static_cast<unsigned char>(transferPort >> 8);
    info.port[1] = static_cast<unsigned char>(transferPort);
    return info;
}

bool ParseDeviceInfo(const QByteArray& datagram, quint32 nonce, tagDeviceInfo& info)
{
    if (datagram.size() != static_cast<qsizetype>(sizeof(tagDeviceInfo)))
        return false;
    std::memcpy(&info, datagram.constData(), sizeof(info));
    return info.marker[0] == 'M' && info.marker[1] == 'D' && GetBig32(info.nonce) == nonce;
}

QString AddressText(const tagDeviceInfo& info)
{
    return QStringLiteral("%1.%2.%3.%4").arg(info.ip[0]).arg(info.ip[1]).arg(info.ip[2]).arg(info.ip[3]);
}

quint32 AddressValue(const tagDeviceInfo& info)
{
    return GetBig32(info.ip);
}

QString IdText(const tagDeviceInfo& info)
{
    const void* end = std::memchr(info.id, 0, sizeof(info.id));
    const int length = end ? static_cast<int>(static_cast<const unsigned char*>(end) - info.id)
                           : static_cast<int>(sizeof(info.id));
    return AnsiCodePage::Decode(QByteArray(reinterpret_cast<const char*>(info.id), length));
}

QList<Target> BroadcastTargets(quint16 port)
{
    QList<Target> result;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : interfaces) {
        const auto flags = iface.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            !(flags & QNetworkInterface::CanBroadcast) || (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol || entry.broadcast().isNull())
                continue;
            bool known = false;
            for (const Target& t : result)
                known = known || t.address == entry.broadcast();
            if (!known)
                result.append({entry.broadcast(), port});
        }
    }
    return result;
}

} // namespace DeviceDiscovery

bool lib_decideDeviceInfoIdExist(const unsigned char* id)
{
    bool visible = false;
    for (int i = 0; i < 20; ++i) {
        if (id[i] == 0)
            return visible;
        if (id[i] < 0x20 || id[i] == 0x7F)
            return false;
        if (id[i] != ' ')
            visible = true;
    }
    return false; // no terminator within the field
}

DeviceFinder::DeviceFinder(QObject* parent) : QObject(parent)
{
    finishTimer.setSingleShot(true);
    connect(&finishTimer, &QTimer::timeout, this, [this] {
        Finish(anyFound ? DeviceDiscovery::kFound : DeviceDiscovery::kNothingFound);
    });
    repeatTimer.setSingleShot(true);
    connect(&repeatTimer, &QTimer::timeout, this, &DeviceFinder::SendProbes);
}

DeviceFinder::~DeviceFinder()
{
    Cancel();
}

void DeviceFinder::SetTargets(const QList<DeviceDiscovery::Target>& list)
{
    targets = list;
    targetsSet = true;
}

bool DeviceFinder::FindDevice(DoneCallback doneCallback, FoundCallback foundCallback, void* userData)
{
    if (searching)
        return false;
    done = doneCallback;
    found = foundCallback;
    user = userData;
    searching = true;
    anyFound = false;
    anySent = false;
    nonce = QRandomGenerator::global()->generate();

    const QList<DeviceDiscovery::Target> list = targetsSet ? targets : DeviceDiscovery::BroadcastTargets();
    if (!targetsSet)
        targets = list;
    socket = new QUdpSocket(this);
    // Results are always reported after FindDevice has returned, as a search would.
    const int id = ++searchId;
    if (!socket->bind(QHostAddress(QHostAddress::AnyIPv4), 0)) {
        QTimer::singleShot(0, this, [this, id] {
            if (id == searchId)
                Finish(DeviceDiscovery::kNoSocket);
        });
        return true;
    }
    connect(socket, &QUdpSocket::readyRead, this, &DeviceFinder::OnReadyRead);
    SendProbes();
    if (!anySent) {
        QTimer::singleShot(0, this, [this, id] {
            if (id == searchId)
                Finish(DeviceDiscovery::kNoNetwork);
        });
        return true;
    }
    // Datagrams get lost; one repeat of the probe makes a missed device unlikely.
    repeatTimer.start(std::min(DeviceDiscovery::kProbeRepeatMs, searchTime / 2));
    finishTimer.start(searchTime);
    return true;
}

void DeviceFinder::SendProbes()
{
    if (!socket)
        return;
    const QByteArray probe = DeviceDiscovery::BuildProbe(nonce);
    for (const DeviceDiscovery::Target& t : targets) {
        if (socket->writeDatagram(probe, t.address, t.port) == probe.size())
            anySent = true;
    }
}

void DeviceFinder::OnReadyRead()
{
    while (socket && socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket->receiveDatagram(512);
        tagDeviceInfo info;
        if (!DeviceDiscovery::ParseDeviceInfo(datagram.data(), nonce, info))
            continue;
        anyFound = true;
        if (found)
            found(info, user);
    }
}

void DeviceFinder::Finish(int code)
{
    if (!searching)
        return;
    DoneCallback callback = done;
    void* data = user;
    Cancel();
    if (callback)
        callback(code, data);
}

void DeviceFinder::Cancel()
{
    finishTimer.stop();
    repeatTimer.stop();
    if (socket) {
        socket->disconnect(this);
        socket->close();
        socket->deleteLater();
        socket = nullptr;
    }
    searching = false;
    done = nullptr;
    found = nullptr;
    user = nullptr;
}
