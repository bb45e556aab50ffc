#include "StreamAddress.h"

bool IsValidStreamAddress(const QString& address)
{
    if (address.size() <= 7 || address.left(7).toLower() != QStringLiteral("rtsp://"))
        return false;
    // The authority ends at the first "/"; credentials, if any, end at its first "@".
    // Searching only the authority keeps an "@" or ":" in the path from being taken for
    // part of the host.
    int authorityEnd = static_cast<int>(address.indexOf(u'/', 7));
    if (authorityEnd < 0)
        authorityEnd = static_cast<int>(address.size());
    int hostStart = 7;
    const int at = static_cast<int>(address.indexOf(u'@', 7));
    if (at >= 0 && at < authorityEnd)
        hostStart = at + 1;
    int hostEnd = static_cast<int>(address.indexOf(u':', hostStart));
    if (hostEnd < 0 || hostEnd > authorityEnd)
        hostEnd = authorityEnd;
    return IsValidIpv4Address(address.mid(hostStart, hostEnd - hostStart));
}
