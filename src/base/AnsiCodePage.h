#pragma once

#include <QByteArray>
#include <QString>

// Text in the system ANSI code page of the platform the design comes from: GBK, the
// code page of Simplified Chinese Windows. Old project strings and device IDs use it.
namespace AnsiCodePage {
QString Decode(const QByteArray& bytes);
QByteArray Encode(const QString& text);
}
