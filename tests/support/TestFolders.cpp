#include "TestFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

bool TestFolder::Write(const QString& relative, const QByteArray& bytes) const
{
    const QString path = Path(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray TestFolder::Read(const QString& relative) const
{
    QFile f(Path(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteTestPng(const QString& path, int width, int height, unsigned rgb)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(rgb));
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.save(path, "PNG");
}
