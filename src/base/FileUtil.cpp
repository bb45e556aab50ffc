#include "FileUtil.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

namespace FileUtil {

bool CopyFileReplacing(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QTemporaryFile tmp(QFileInfo(target).absolutePath() + QStringLiteral("/.copy-XXXXXX"));
    if (!tmp.open())
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (tmp.write(buffer, n) != n)
            return false;
    }
    if (!tmp.flush())
        return false;
    tmp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    // rename(2) replaces the target atomically.
    if (std::rename(QFile::encodeName(tmp.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        return false;
    tmp.setAutoRemove(false);
    return true;
}

bool CopyFolder(const QString& source, const QString& target)
{
    if (!QDir().mkpath(target))
        return false;
    const QDir from(source);
    bool ok = true;
    QDirIterator it(source, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString dest = QDir(target).filePath(from.relativeFilePath(path));
        const QFileInfo info = it.fileInfo();
        if (info.isDir())
            ok = QDir().mkpath(dest) && ok;
        else
            ok = CopyFileReplacing(path, dest) && ok;
    }
    return ok;
}

bool SamePath(const QString& a, const QString& b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

} // namespace FileUtil
