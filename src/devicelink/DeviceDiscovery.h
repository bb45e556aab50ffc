#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>

class QUdpSocket;

// What a panel device reports about itself when it answers a search: 42 bytes. The
// editor reads only the ID (GBK text ended by a zero byte) and the IPv4 address (first
// octet first); the other fields serve the search itself.
struct tagDeviceInfo {
    unsigned char marker[2];    // 'M' 'D'
    unsigned char id[20];
    unsigned char ip[4];
    unsigned char nonce[4];     // echo of the search's nonce, big-endian
    unsigned char port[2];      // the device's transfer port, big-endian
    unsigned char reserved[10];
};
static_assert(sizeof(tagDeviceInfo) == 42, "tagDeviceInfo is a 42-byte record");

// The search: the editor sends a 12-byte probe ("MVDQ", version 1, three zero bytes, a
// 32-bit big-endian nonce) to UDP port 48689 of every target; each device answers the
// sender with one tagDeviceInfo carrying the same nonce.
namespace DeviceDiscovery {

constexpr quint16 kDiscoveryPort = 48689;
constexpr int kProbeSize = 12;
constexpr int kDefaultSearchMs = 2000;
constexpr int kProbeRepeatMs = 400;

// Result codes of a search, handed to the done callback.
enum Result {
    kFound = 0,          // at least one device answered
    kNothingFound = 1,   // the search ran, nobody answered
    kNoSocket = 2,       // no UDP socket could be opened
    kNoNetwork = 6,      // no target to ask, or no probe could be sent
};

struct Target {
    QHostAddress address;
    quint16 port = kDiscoveryPort;
};

QByteArray BuildProbe(quint32 nonce);
bool ParseProbe(const QByteArray& datagram, quint32& nonce);
// A device's answer. id is cut to 19 bytes so that the zero byte always follows it.
tagDeviceInfo MakeDeviceInfo(const QByteArray& idAnsi, quint32 ipv4, quint32 nonce, quint16 transferPort);
bool ParseDeviceInfo(const QByteArray& datagram, quint32 nonce, tagDeviceInfo& info);

QString AddressText(const tagDeviceInfo& info);   // "%d.%d.%d.%d"
quint32 AddressValue(const tagDeviceInfo& info);  // first octet in the high byte
QString IdText(const tagDeviceInfo& info);        // the ID converted from GBK

// The broadcast address of every IPv4 interface that is up and can broadcast: the
// targets of a search in the application.
QList<Target> BroadcastTargets(quint16 port = kDiscoveryPort);

}

// Whether a record's 20-byte ID field carries an ID worth showing: a zero-terminated,
// non-blank text without control characters.
bool lib_decideDeviceInfoIdExist(const unsigned char* id);

// One search at a time for devices on the network. Runs on the thread that owns it; the
// callbacks are called there, found once per answer in the order answers arrive, done
// once at the end with a DeviceDiscovery::Result. Destroying or cancelling the finder
// ends a search without any further callback.
class DeviceFinder : public QObject {
    Q_OBJECT
public:
    using DoneCallback = void (*)(int code, void* user);
    using FoundCallback = void (*)(const tagDeviceInfo& info, void* user);

    explicit DeviceFinder(QObject* parent = nullptr);
    ~DeviceFinder() override;

    // The addresses asked; by default the broadcast addresses of the machine's interfaces.
    void SetTargets(const QList<DeviceDiscovery::Target>& targets);
    void SetSearchTime(int milliseconds) { searchTime = milliseconds; }

    // Starts a search; false (and no callback) while one is running.
    bool FindDevice(DoneCallback done, FoundCallback found, void* user);
    void Cancel();
    bool IsSearching() const { return searching; }

private:
    void SendProbes();
    void OnReadyRead();
    void Finish(int code);

    QList<DeviceDiscovery::Target> targets;
    bool targetsSet = false;
    int searchTime = DeviceDiscovery::kDefaultSearchMs;
    QUdpSocket* socket = nullptr;
    QTimer finishTimer;
    QTimer repeatTimer;
    DoneCallback done = nullptr;
    FoundCallback found = nullptr;
    void* user = nullptr;
    quint32 nonce = 0;
    int searchId = 0;
    bool searching = false;
    bool anyFound = false;
    bool anySent = false;
};
