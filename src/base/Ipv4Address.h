#pragma once

#include <QString>
#include <QtGlobal>

// Whether text is a dotted IPv4 address as the C library's inet_addr reads it (which
// refuses 255.255.255.255).
bool IsValidIpv4Address(const QString& text);
// The address as inet_addr reads it, most significant byte first; false (and address
// untouched) for a text IsValidIpv4Address refuses.
bool ParseIpv4Address(const QString& text, quint32& address);
// "%d.%d.%d.%d", most significant byte first.
QString FormatIpv4Address(quint32 address);
