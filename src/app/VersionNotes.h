#pragma once

#include <QString>

// The release notes of the editor for one interface language (0 Simplified Chinese,
// 1 Traditional Chinese, 2 English), newest first: each release is its version line and
// its note lines, every line ending in CR LF, releases separated by an empty line, and no
// line end after the last line. Any other index gives an empty text.
QString BuildVersionNotes(int languageIndex);
