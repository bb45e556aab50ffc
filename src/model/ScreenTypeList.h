#pragma once

#include "ScreenType.h"

#include <QList>
#include <QString>

// Reads the screen-type file: section "DATA" holds "Count", the numbered sections hold
// "Name", "Width" and "Height". Entries with an empty name or a zero size are skipped; a
// missing file gives an empty list.
QList<ScreenType> LoadScreenTypes(const QString& path);
