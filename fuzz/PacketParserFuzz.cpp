// The simulator's transfer-format check on any byte stream a sender could write, fed in
// pieces as a socket delivers them.

#include "FuzzSupport.h"

#include "panelsim/PacketParser.h"

#include <QByteArray>

namespace {
// The first byte sets how many bytes each read delivers, so that packets split across
// reads are tried too.
constexpr int kMaxPiece = 64;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int piece = 1 + data[0] % kMaxPiece;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const qint64 total = static_cast<qint64>(size) - 1;
    PacketParser parser;
    QByteArray buffer;
    qint64 packageBytes = 0;
    for (qint64 offset = 0; offset < total; offset += piece) {
        buffer.append(bytes + offset, static_cast<int>(std::min<qint64>(piece, total - offset)));
        qint64 pos = 0;
        for (;;) {
            const PacketEvent e = parser.Next(buffer, pos);
            if (e.kind == PacketEvent::Kind::NeedMore)
                break;
            if (e.kind == PacketEvent::Kind::Violation)
                return 0;
            if (e.kind == PacketEvent::Kind::Data) {
                // The data lies inside the packet just taken.
                if (e.data < buffer.constData() || e.data + e.dataLength > buffer.constData() + pos)
                    __builtin_trap();
                packageBytes += e.dataLength;
            }
        }
        buffer.remove(0, pos);
    }
    return packageBytes < 0 ? 1 : 0;
}
