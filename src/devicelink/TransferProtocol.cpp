#include "TransferProtocol.h"

#include <cstring>

namespace TransferProtocol {

namespace {

const unsigned char kHeader[kHeaderSize] = {0x54, 0x46, 0x36, 0x7A, 0xAA, 0x51, 0x00, 0x00, 0x00,
                                            0x00, 0x00, 0x11, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00};

void PutBig32(unsigned char* p, quint32 v)
{
    p[0] = static_cast<unsigned char>(v >> 24);
    p[1] = static_cast<unsigned char>(v >> 16);
    p[2] = static_cast<unsigned char>(v >> 8);
    p[3] = static_cast<unsigned char>(v);
}

void FillHeader(unsigned char* packet, int payloadLength, quint32 sequence)
{
    std::memcpy(packet, kHeader, kHeaderSize);
    packet[14] = static_cast<unsigned char>(payloadLength & 0xFF);
    packet[15] = static_cast<unsigned char>((payloadLength >> 8) & 0xFF);
    PutBig32(packet + kHeaderSize, sequence);
}

} // namespace

const unsigned char* HeaderTemplate()
{
    return kHeader;
}

qint64 DataPacketCount(qint64 packageLength)
{
    return packageLength / kChunkSize + (packageLength % kChunkSize ? 1 : 0);
}

QString DeviceTitle(const QString& title)
{
    if (title.size() <= kMaxTitleUnits)
        return title;
    int units = kMaxTitleUnits;
    if (title[units - 1].isHighSurrogate())
        --units;
    return title.left(units);
}

QByteArray BuildAnnouncement(qint64 dataPackets, const QString& title)
{
    const QString cut = DeviceTitle(title);
    const int m = static_cast<int>(cut.size()) * 2;
    QByteArray packet(38 + m, '\0');
    unsigned char* p = reinterpret_cast<unsigned char*>(packet.data());
    FillHeader(p, m + 20, dataPackets == 0 ? kLastPacketFlag : 0);
    PutBig32(p + 22, static_cast<quint32>(dataPackets + 1));
    // 26 ... 35 reserved, zero
    p[36] = static_cast<unsigned char>((m >> 8) & 0xFF);
    p[37] = static_cast<unsigned char>(m & 0xFF);
    for (int i = 0; i < cut.size(); ++i) {
        const char16_t u = cut[i].unicode();
        p[38 + 2 * i] = static_cast<unsigned char>(u & 0xFF);
        p[39 + 2 * i] = static_cast<unsigned char>(u >> 8);
    }
    return packet;
}

int FillDataHeader(unsigned char* packet, quint32 index, bool last, int dataLength)
{
    FillHeader(packet, dataLength + 4, last ? (index | kLastPacketFlag) : index);
    return 22 + dataLength;
}

} // namespace TransferProtocol
