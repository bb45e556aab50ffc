#pragma once

#include <QByteArray>
#include <QString>

// The wire format of a project transfer to a panel device. Every packet is an 18-byte
// header, a 32-bit big-endian sequence number and a body; packet 0 announces the
// transfer, packets 1 ... n carry the package in chunks of 1,002 bytes. The device
// answers each packet with one byte.
namespace TransferProtocol {

constexpr quint16 kDefaultPort = 48688;
constexpr int kChunkSize = 1002;
constexpr int kHeaderSize = 18;          // up to and including the length field's padding
constexpr int kMaxPacketSize = 1024;     // a full data packet
constexpr quint32 kLastPacketFlag = 0x80000000u;
constexpr int kMaxTitleUnits = 129;      // UTF-16 code units the device keeps of the title
constexpr int kWindowSize = 100;         // packets in flight for a device that asks for it
constexpr char kWindowRequest = '2';     // first acknowledgement byte asking for the window

// The constant bytes at offsets 0 to 17, with the payload length at 14 and 15 zero.
const unsigned char* HeaderTemplate();

// Number of data packets for a package of the given length (the chunks, rounded up).
qint64 DataPacketCount(qint64 packageLength);

// The title as the device can take it: at most kMaxTitleUnits UTF-16 code units, never
// ending inside a surrogate pair.
QString DeviceTitle(const QString& title);

// Packet 0 of a transfer of dataPackets data packets (dataPackets = 0 makes it the last).
QByteArray BuildAnnouncement(qint64 dataPackets, const QString& title);
// Writes the header of packet index holding dataLength package bytes into packet (at
// least 22 bytes) and returns the packet length (22 + dataLength).
int FillDataHeader(unsigned char* packet, quint32 index, bool last, int dataLength);

}
