#pragma once

#include <QString>
#include <QtGlobal>

// The one dotted IPv4 address rule of the editor, used wherever an address is checked
// or read: exactly four decimal parts of one to three digits, each 0 to 255, with
// nothing before, between or after them. A part with a leading zero is refused: 010 is
// octal 8 to the C library and ten to the user, so neither reading is safe. As with the
// C library's inet_addr, 255.255.255.255 is refused.
bool IsValidIpv4Address(const QString& text);
// The address most significant byte first; false (and address untouched) for a text
// the rule refuses.
bool ParseIpv4Address(const QString& text, quint32& address);
// One part of an address by the same rule (0 to 255, no leading zero).
bool ParseIpv4Part(const QString& part, int& value);
// "%d.%d.%d.%d", most significant byte first.
QString FormatIpv4Address(quint32 address);
