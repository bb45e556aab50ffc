#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A small ZIP reader for the simulator: lists the central directory and unpacks stored
// and deflated entries into a folder, refusing every entry whose name would put it
// outside that folder (absolute names, "..", drive letters, links in the way), whose data
// another entry already claimed (entries sharing one local header would unpack one
// stream many times over), or that would pass the limit of bytes unpacked in all.
struct ZipEntryInfo {
    QByteArray rawName;
    QString name;
    QString printableName; // for reports: control and stray bytes escaped
    quint16 versionMadeBy = 0;
    quint16 versionNeeded = 0;
    quint16 flags = 0;
    quint16 method = 0;
    quint32 dosTime = 0;
    quint32 crc = 0;
    quint32 compressedSize = 0;
    quint32 uncompressedSize = 0;
    quint32 externalAttributes = 0;
    quint32 localOffset = 0;
};

struct UnpackResult {
    bool readable = false;   // the archive's directory could be read
    QString error;           // why not
    QStringList written;     // entries unpacked (names printable, see PrintableName)
    QStringList refused;     // "name: reason" for every entry left out
};

struct UnpackLimits {
    // Bytes written in all, whatever the archive's entries declare.
    quint64 maxTotalBytes = 1ull << 30;
};

bool ReadZipDirectory(const QString& zipPath, QList<ZipEntryInfo>& entries, QString& error);

// Why an entry name may not be unpacked below a folder; empty when it may.
QString UnsafeNameReason(const QByteArray& rawName);

UnpackResult UnpackPackage(const QString& zipPath, const QString& outputFolder, const UnpackLimits& limits = {});
