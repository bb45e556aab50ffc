#pragma once

#include "base/Ipv4Address.h"

#include <QString>

// Whether a video stream address can be used: "rtsp://" (any letter case), optional
// user credentials ended by "@", then a dotted IPv4 host by the editor's address rule
// (Ipv4Address.h), then optionally ":port" and "/path".
bool IsValidStreamAddress(const QString& address);
