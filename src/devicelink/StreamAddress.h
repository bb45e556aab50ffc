#pragma once

#include <QString>

// Whether a video stream address can be used: "rtsp://" (any letter case), optional
// user credentials ended by "@", then a dotted IPv4 host that the C library's inet_addr
// accepts (which refuses 255.255.255.255), then optionally ":port" and "/path".
bool IsValidStreamAddress(const QString& address);

// Whether text is a dotted IPv4 address as the C library's inet_addr reads it (which
// refuses 255.255.255.255).
bool IsValidIpv4Address(const QString& text);
