#pragma once

#include "base/Ipv4Address.h"

#include <QString>

// Whether a video stream address can be used: "rtsp://" (any letter case), optional
// user credentials ended by "@", then a dotted IPv4 host that the C library's inet_addr
// accepts (which refuses 255.255.255.255), then optionally ":port" and "/path".
bool IsValidStreamAddress(const QString& address);
