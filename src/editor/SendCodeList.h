#pragma once

#include "ProjectOverview.h"

#include <QString>
#include <QStringList>

#include <vector>

// The send-code table for whoever programs the control system: one line per element with
// a send code, by code, with the columns page, element, type, code, kind, group, command
// and shared (how many other elements send the code outside the element's interlock
// group). Kinds and types are fixed words, not translated texts. The same table is printed
// by the command-line tool and exported by the editor.
namespace SendCodeList {

QStringList Header();
QStringList Fields(const SendCodeEntry& entry);
// Comma-separated, quoted where a field needs it, one line per entry after the header.
QString Csv(const std::vector<SendCodeEntry>& entries);
// The same in aligned columns, for a terminal.
QString Table(const std::vector<SendCodeEntry>& entries);
// The CSV in UTF-8 with a byte-order mark, so that spreadsheets take it as UTF-8; the file
// is replaced only once it is written whole.
bool WriteCsvFile(const QString& path, const std::vector<SendCodeEntry>& entries);

}
