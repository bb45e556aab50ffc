#pragma once

#include <QByteArray>
#include <QString>

// Texts a sender chose (entry names, titles) as they may be printed on one line: control
// characters, a zero byte among them, and bytes that are not UTF-8 are shown as \xNN
// (\uNNNN for characters), so that nothing after them is hidden and no terminal control
// sequence reaches the terminal.
QString PrintableName(const QByteArray& raw);
QString PrintableText(const QString& text);
