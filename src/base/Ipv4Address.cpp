#include "Ipv4Address.h"

#include <QStringList>

namespace {
constexpr int kParts = 4;
constexpr int kMaxPartDigits = 3;
constexpr int kMaxPart = 255;
constexpr quint32 kAllOnes = 0xFFFFFFFFu;
}

bool IsValidIpv4Address(const QString& text)
{
    quint32 unused = 0;
    return ParseIpv4Address(text, unused);
}

bool ParseIpv4Part(const QString& part, int& value)
{
    if (part.isEmpty() || part.size() > kMaxPartDigits || (part.size() > 1 && part.front() == u'0'))
        return false;
    int v = 0;
    for (const QChar c : part) {
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c.unicode() - u'0');
    }
    if (v > kMaxPart)
        return false;
    value = v;
    return true;
}

bool ParseIpv4Address(const QString& text, quint32& address)
{
    const QStringList parts = text.split(u'.');
    if (parts.size() != kParts)
        return false;
    quint32 a = 0;
    for (const QString& part : parts) {
        int value = 0;
        if (!ParseIpv4Part(part, value))
            return false;
        a = (a << 8) | static_cast<quint32>(value);
    }
    if (a == kAllOnes)
        return false;
    address = a;
    return true;
}

QString FormatIpv4Address(quint32 a)
{
    return QStringLiteral("%1.%2.%3.%4").arg((a >> 24) & 0xFF).arg((a >> 16) & 0xFF).arg((a >> 8) & 0xFF).arg(a & 0xFF);
}
