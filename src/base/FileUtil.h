#pragma once

#include <QString>

namespace FileUtil {
// Copies a file over any existing target without ever leaving the target half written:
// the copy goes to a temporary file in the target's folder and is renamed over it.
bool CopyFileReplacing(const QString& source, const QString& target);
// Copies a folder with all files and sub-folders, overwriting existing files.
bool CopyFolder(const QString& source, const QString& target);
bool SamePath(const QString& a, const QString& b);
}
