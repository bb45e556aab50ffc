#pragma once

#include <QByteArray>
#include <QString>

// The simulator's check of the transfer format, apart from any socket: takes whole
// packets from a receive buffer one at a time and says what each one was. Once it has
// reported a violation the session is over and it reports nothing else.
struct PacketEvent {
    enum class Kind { NeedMore, Announcement, Data, Violation };
    Kind kind = Kind::NeedMore;
    qint64 index = 0;
    bool last = false;           // the packet carried the last-packet flag
    qint64 announcedPackets = 0; // announcement: n + 1
    QString title;               // announcement
    const char* data = nullptr;  // data: the package bytes, inside the buffer
    int dataLength = 0;
    QString violation;
};

class PacketParser {
public:
    // Looks at the packet starting at pos; for a whole, valid packet pos moves past it.
    PacketEvent Next(const QByteArray& buffer, qint64& pos);

    qint64 Expected() const { return expected; }
    // Data packets announced, -1 before the announcement.
    qint64 DataPackets() const { return dataPackets; }

private:
    PacketEvent Violation(const QString& text);

    qint64 expected = 0;
    qint64 dataPackets = -1;
    bool failed = false;
};
