#include "Ipv4Address.h"

#include "AnsiCodePage.h"

#include <arpa/inet.h>
#include <netinet/in.h>

bool IsValidIpv4Address(const QString& text)
{
    quint32 unused = 0;
    return ParseIpv4Address(text, unused);
}

bool ParseIpv4Address(const QString& text, quint32& address)
{
    if (text.isEmpty())
        return false;
    const QByteArray ansi = AnsiCodePage::Encode(text);
    const in_addr_t parsed = inet_addr(ansi.constData());
    if (parsed == INADDR_NONE)
        return false;
    address = ntohl(parsed);
    return true;
}

QString FormatIpv4Address(quint32 a)
{
    return QStringLiteral("%1.%2.%3.%4").arg((a >> 24) & 0xFF).arg((a >> 16) & 0xFF).arg((a >> 8) & 0xFF).arg(a & 0xFF);
}
