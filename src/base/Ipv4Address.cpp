#include "Ipv4Address.h"

#include "AnsiCodePage.h"

#include <arpa/inet.h>
#include <netinet/in.h>

bool IsValidIpv4Address(const QString& text)
{
    if (text.isEmpty())
        return false;
    const QByteArray ansi = AnsiCodePage::Encode(text);
    return inet_addr(ansi.constData()) != INADDR_NONE;
}
