#pragma once

#include <QString>

// Whether text is a dotted IPv4 address as the C library's inet_addr reads it (which
// refuses 255.255.255.255).
bool IsValidIpv4Address(const QString& text);
