#include "PacketParser.h"

#include "devicelink/TransferProtocol.h"

namespace {

constexpr int kSequenceOffset = 18;
constexpr int kCountOffset = 22;
constexpr int kReservedBegin = 26;
constexpr int kReservedEnd = 36;
constexpr int kTitleLengthOffset = 36;
constexpr int kTitleOffset = 38;
constexpr int kAnnouncementFixed = 20; // payload bytes of an announcement besides its title
constexpr int kSequenceBytes = 4;

quint32 GetBig32(const unsigned char* p)
{
    return (static_cast<quint32>(p[0]) << 24) | (static_cast<quint32>(p[1]) << 16) |
           (static_cast<quint32>(p[2]) << 8) | p[3];
}

} // namespace

PacketEvent PacketParser::Violation(const QString& text)
{
    failed = true;
    PacketEvent e;
    e.kind = PacketEvent::Kind::Violation;
    e.violation = text;
    return e;
}

PacketEvent PacketParser::Next(const QByteArray& buffer, qint64& pos)
{
    using namespace TransferProtocol;
    if (failed || pos < 0 || pos > buffer.size())
        return {};
    const qint64 available = buffer.size() - pos;
    if (available < kHeaderSize + kSequenceBytes)
        return {};
    const unsigned char* p = reinterpret_cast<const unsigned char*>(buffer.constData() + pos);
    const unsigned char* expectedHeader = HeaderTemplate();
    for (int i = 0; i < kHeaderSize; ++i) {
        if (i == 14 || i == 15)
            continue;
        if (p[i] != expectedHeader[i]) {
            return Violation(QStringLiteral("packet %1: header byte %2 is 0x%3, not 0x%4")
                                 .arg(expected).arg(i).arg(p[i], 2, 16, QLatin1Char('0'))
                                 .arg(expectedHeader[i], 2, 16, QLatin1Char('0')));
        }
    }
    const int length = p[14] | (p[15] << 8);
    if (length < kSequenceBytes || kHeaderSize + length > kMaxPacketSize)
        return Violation(QStringLiteral("packet %1: payload length %2").arg(expected).arg(length));
    if (available < kHeaderSize + length)
        return {};
    const quint32 sequence = GetBig32(p + kSequenceOffset);
    PacketEvent e;
    e.index = sequence & ~kLastPacketFlag;
    e.last = (sequence & kLastPacketFlag) != 0;
    if (e.index != expected)
        return Violation(QStringLiteral("packet %1 arrived where packet %2 was due").arg(e.index).arg(expected));
    if (e.index == 0) {
        if (length < kAnnouncementFixed)
            return Violation(QStringLiteral("announcement: payload length %1 below 20").arg(length));
        const qint64 count = GetBig32(p + kCountOffset);
        for (int i = kReservedBegin; i < kReservedEnd; ++i) {
            if (p[i] != 0)
                return Violation(QStringLiteral("announcement: reserved byte %1 is not zero").arg(i));
        }
        const int m = (p[kTitleLengthOffset] << 8) | p[kTitleLengthOffset + 1];
        if (length != m + kAnnouncementFixed || m % 2 != 0) {
            return Violation(QStringLiteral("announcement: title length %1 does not fit payload length %2")
                                 .arg(m).arg(length));
        }
        if (m > kMaxTitleUnits * 2) {
            return Violation(QStringLiteral("announcement: title of %1 units, more than %2")
                                 .arg(m / 2).arg(kMaxTitleUnits));
        }
        if (count < 1)
            return Violation(QStringLiteral("announcement: packet count 0"));
        if (e.last != (count == 1))
            return Violation(QStringLiteral("announcement: last-packet flag %1").arg(e.last ? "set" : "missing"));
        dataPackets = count - 1;
        e.kind = PacketEvent::Kind::Announcement;
        e.announcedPackets = count;
        for (int i = 0; i < m / 2; ++i)
            e.title += QChar(static_cast<char16_t>(p[kTitleOffset + 2 * i] | (p[kTitleOffset + 1 + 2 * i] << 8)));
    } else {
        const int dataLength = length - kSequenceBytes;
        if (e.index > dataPackets)
            return Violation(QStringLiteral("packet %1 beyond the announced %2").arg(e.index).arg(dataPackets));
        const bool last = e.index == dataPackets;
        if (e.last != last)
            return Violation(QStringLiteral("packet %1: last-packet flag %2").arg(e.index).arg(e.last ? "set" : "missing"));
        if ((!last && dataLength != kChunkSize) || (last && (dataLength < 1 || dataLength > kChunkSize)))
            return Violation(QStringLiteral("packet %1: %2 data bytes").arg(e.index).arg(dataLength));
        e.kind = PacketEvent::Kind::Data;
        e.data = reinterpret_cast<const char*>(p + kHeaderSize + kSequenceBytes);
        e.dataLength = dataLength;
    }
    pos += kHeaderSize + length;
    ++expected;
    return e;
}
