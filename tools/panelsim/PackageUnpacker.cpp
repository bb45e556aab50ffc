#include "PackageUnpacker.h"

#include "PrintableText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zlib.h>

#include <cstring>
#include <iterator>
#include <map>
#include <vector>

namespace {

quint16 Get16(const unsigned char* p)
{
    return static_cast<quint16>(p[0] | (p[1] << 8));
}

quint32 Get32(const unsigned char* p)
{
    return static_cast<quint32>(p[0]) | (static_cast<quint32>(p[1]) << 8) |
           (static_cast<quint32>(p[2]) << 16) | (static_cast<quint32>(p[3]) << 24);
}

bool ReadAt(QFile& file, qint64 offset, void* data, qint64 length)
{
    return file.seek(offset) && file.read(static_cast<char*>(data), length) == length;
}

// Where an entry's data lies: behind its local header. Returns the reason when the
// header or the data is not where the directory says.
QString LocateData(QFile& zip, const ZipEntryInfo& e, qint64& dataOffset)
{
    unsigned char local[30];
    if (!ReadAt(zip, e.localOffset, local, 30) || Get32(local) != 0x04034B50)
        return QStringLiteral("no local header at offset %1").arg(e.localOffset);
    dataOffset = static_cast<qint64>(e.localOffset) + 30 + Get16(local + 26) + Get16(local + 28);
    if (dataOffset + e.compressedSize > zip.size())
        return QStringLiteral("data runs past the end of the archive");
    return {};
}

// The bytes of the archive each entry takes, header and data: a second entry that
// reaches into them would unpack the same stream again.
class ClaimedSpans {
public:
    // The start of the span a new one overlaps, or -1 when it is free (and now claimed).
    qint64 Claim(qint64 begin, qint64 end)
    {
        auto next = spans.lower_bound(begin);
        if (next != spans.end() && next->first < end)
            return next->first;
        if (next != spans.begin()) {
            const auto before = std::prev(next);
            if (before->second > begin)
                return before->first;
        }
        spans.emplace(begin, end);
        return -1;
    }

private:
    std::map<qint64, qint64> spans; // begin → end
};

// Copies or inflates one entry's data into out, checking size and CRC. Never writes more
// than the entry declares.
QString ExtractData(QFile& zip, const ZipEntryInfo& e, QFile& out)
{
    qint64 dataOffset = 0;
    const QString located = LocateData(zip, e, dataOffset);
    if (!located.isEmpty())
        return located;
    if (!zip.seek(dataOffset))
        return QStringLiteral("cannot seek to the data");

    std::vector<unsigned char> in(65536);
    std::vector<unsigned char> buffer(65536);
    quint64 remainingIn = e.compressedSize;
    quint64 written = 0;
    uLong crc = crc32(0, nullptr, 0);

    if (e.method == 0) {
        if (e.compressedSize != e.uncompressedSize)
            return QStringLiteral("stored entry with differing sizes");
        while (remainingIn > 0) {
            const qint64 n = zip.read(reinterpret_cast<char*>(in.data()),
                                      static_cast<qint64>(std::min<quint64>(remainingIn, in.size())));
            if (n <= 0)
                return QStringLiteral("read error");
            crc = crc32(crc, in.data(), static_cast<uInt>(n));
            if (out.write(reinterpret_cast<const char*>(in.data()), n) != n)
                return QStringLiteral("write error");
            remainingIn -= static_cast<quint64>(n);
            written += static_cast<quint64>(n);
        }
    } else if (e.method == 8) {
        z_stream s{};
        if (inflateInit2(&s, -15) != Z_OK)
            return QStringLiteral("inflate cannot start");
        int rc = Z_OK;
        QString problem;
        while (rc != Z_STREAM_END && problem.isEmpty()) {
            if (s.avail_in == 0) {
                if (remainingIn == 0) {
                    problem = QStringLiteral("deflate data ends before its final block");
                    break;
                }
                const qint64 n = zip.read(reinterpret_cast<char*>(in.data()),
                                          static_cast<qint64>(std::min<quint64>(remainingIn, in.size())));
                if (n <= 0) {
                    problem = QStringLiteral("read error");
                    break;
                }
                remainingIn -= static_cast<quint64>(n);
                s.next_in = in.data();
                s.avail_in = static_cast<uInt>(n);
            }
            s.next_out = buffer.data();
            s.avail_out = static_cast<uInt>(buffer.size());
            rc = inflate(&s, Z_NO_FLUSH);
            if (rc != Z_OK && rc != Z_STREAM_END) {
                problem = QStringLiteral("corrupt deflate data (%1)").arg(rc);
                break;
            }
            const qint64 produced = static_cast<qint64>(buffer.size() - s.avail_out);
            written += static_cast<quint64>(produced);
            if (written > e.uncompressedSize) {
                problem = QStringLiteral("more data than the declared %1 bytes").arg(e.uncompressedSize);
                break;
            }
            crc = crc32(crc, buffer.data(), static_cast<uInt>(produced));
            if (out.write(reinterpret_cast<const char*>(buffer.data()), produced) != produced)
                problem = QStringLiteral("write error");
        }
        const bool leftover = s.avail_in != 0 || remainingIn != 0;
        inflateEnd(&s);
        if (!problem.isEmpty())
            return problem;
        if (leftover)
            return QStringLiteral("compressed size larger than the deflate data");
    } else {
        return QStringLiteral("unsupported method %1").arg(e.method);
    }
    if (written != e.uncompressedSize)
        return QStringLiteral("size %1 instead of %2").arg(written).arg(e.uncompressedSize);
    if (static_cast<quint32>(crc) != e.crc)
        return QStringLiteral("CRC mismatch");
    return {};
}

bool IsInside(const QString& path, const QString& root)
{
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

// Creates the folders of relative below root one at a time, refusing to pass through a
// link (which could lead anywhere) or a file. Returns the reason of a refusal.
QString MakeFoldersInside(const QString& root, const QString& relative)
{
    QString path = root;
    const QStringList parts = relative.split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == QStringLiteral("."))
            continue;
        path += QLatin1Char('/') + part;
        const QFileInfo info(path);
        if (info.isSymLink())
            return QStringLiteral("a link is in the way");
        if (info.exists() && !info.isDir())
            return QStringLiteral("a file is in the way");
        if (!info.exists() && !QDir().mkdir(path))
            return QStringLiteral("cannot create its folder");
    }
    return {};
}

} // namespace

bool ReadZipDirectory(const QString& zipPath, QList<ZipEntryInfo>& entries, QString& error)
{
    entries.clear();
    QFile zip(zipPath);
    if (!zip.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot open %1").arg(zipPath);
        return false;
    }
    const qint64 size = zip.size();
    const qint64 tailSize = std::min<qint64>(size, 65535 + 22);
    QByteArray tail(tailSize, '\0');
    if (tailSize < 22 || !ReadAt(zip, size - tailSize, tail.data(), tailSize)) {
        error = QStringLiteral("too short for a zip archive");
        return false;
    }
    const unsigned char* t = reinterpret_cast<const unsigned char*>(tail.constData());
    qint64 endAt = -1;
    for (qint64 i = tailSize - 22; i >= 0; --i) {
        if (Get32(t + i) == 0x06054B50 && i + 22 + Get16(t + i + 20) == tailSize) {
            endAt = i;
            break;
        }
    }
    if (endAt < 0) {
        error = QStringLiteral("no end of central directory record");
        return false;
    }
    const unsigned char* end = t + endAt;
    const quint16 count = Get16(end + 10);
    const quint32 cdSize = Get32(end + 12);
    const quint32 cdOffset = Get32(end + 16);
    if (Get16(end + 8) != count || Get16(end + 4) != 0 || Get16(end + 6) != 0) {
        error = QStringLiteral("multi-disk archive");
        return false;
    }
    if (static_cast<qint64>(cdOffset) + cdSize > size - tailSize + endAt) {
        error = QStringLiteral("central directory outside the archive");
        return false;
    }
    QByteArray cd(cdSize, '\0');
    if (!ReadAt(zip, cdOffset, cd.data(), cdSize)) {
        error = QStringLiteral("cannot read the central directory");
        return false;
    }
    const unsigned char* p = reinterpret_cast<const unsigned char*>(cd.constData());
    qint64 at = 0;
    for (int i = 0; i < count; ++i) {
        if (at + 46 > cdSize || Get32(p + at) != 0x02014B50) {
            error = QStringLiteral("central record %1 is damaged").arg(i);
            return false;
        }
        const unsigned char* r = p + at;
        ZipEntryInfo e;
        e.versionMadeBy = Get16(r + 4);
        e.versionNeeded = Get16(r + 6);
        e.flags = Get16(r + 8);
        e.method = Get16(r + 10);
        e.dosTime = Get32(r + 12);
        e.crc = Get32(r + 16);
        e.compressedSize = Get32(r + 20);
        e.uncompressedSize = Get32(r + 24);
        const quint16 nameLength = Get16(r + 28);
        const quint16 extraLength = Get16(r + 30);
        const quint16 commentLength = Get16(r + 32);
        e.externalAttributes = Get32(r + 38);
        e.localOffset = Get32(r + 42);
        const qint64 recordSize = 46 + nameLength + extraLength + commentLength;
        if (at + recordSize > cdSize) {
            error = QStringLiteral("central record %1 runs past the directory").arg(i);
            return false;
        }
        e.rawName = QByteArray(reinterpret_cast<const char*>(r + 46), nameLength);
        e.name = QString::fromUtf8(e.rawName);
        e.printableName = PrintableName(e.rawName);
        entries.append(e);
        at += recordSize;
    }
    return true;
}

QString UnsafeNameReason(const QByteArray& rawName)
{
    if (rawName.isEmpty())
        return QStringLiteral("empty name");
    if (rawName.contains('\0'))
        return QStringLiteral("zero byte in the name");
    // Either separator counts, so that a name written on another system cannot climb out.
    QByteArray name = rawName;
    name.replace('\\', '/');
    if (name.startsWith('/'))
        return QStringLiteral("absolute name");
    const QList<QByteArray> parts = name.split('/');
    if (!parts.isEmpty() && parts.first().size() >= 2 && parts.first()[1] == ':')
        return QStringLiteral("drive letter");
    for (const QByteArray& part : parts) {
        if (part == "..")
            return QStringLiteral("\"..\" in the name");
    }
    return {};
}

UnpackResult UnpackPackage(const QString& zipPath, const QString& outputFolder, const UnpackLimits& limits)
{
    UnpackResult result;
    QList<ZipEntryInfo> entries;
    if (!ReadZipDirectory(zipPath, entries, result.error))
        return result;
    result.readable = true;
    if (!QDir().mkpath(outputFolder)) {
        result.error = QStringLiteral("cannot create %1").arg(outputFolder);
        return result;
    }
    const QString root = QFileInfo(outputFolder).canonicalFilePath();
    QFile zip(zipPath);
    if (!zip.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("cannot open %1").arg(zipPath);
        return result;
    }

    ClaimedSpans claimed;
    quint64 total = 0;
    for (const ZipEntryInfo& e : entries) {
        auto refuse = [&result, &e](const QString& reason) {
            result.refused.append(e.printableName + QStringLiteral(": ") + reason);
        };
        const QString reason = UnsafeNameReason(e.rawName);
        if (!reason.isEmpty()) {
            refuse(reason);
            continue;
        }
        qint64 dataOffset = 0;
        const QString located = LocateData(zip, e, dataOffset);
        if (!located.isEmpty()) {
            refuse(located);
            continue;
        }
        const qint64 owner = claimed.Claim(e.localOffset, dataOffset + e.compressedSize);
        if (owner >= 0) {
            refuse(QStringLiteral("its data overlaps that of the entry at offset %1").arg(owner));
            continue;
        }
        if (e.uncompressedSize > limits.maxTotalBytes - total) {
            refuse(QStringLiteral("unpacking it would pass the limit of %1 bytes in all").arg(limits.maxTotalBytes));
            continue;
        }
        total += e.uncompressedSize;
        QString relative = e.name;
        relative.replace(u'\\', u'/');
        const bool isFolder = relative.endsWith(u'/');
        const QString target = QDir::cleanPath(root + QLatin1Char('/') + relative);
        if (!IsInside(target, root) || target == root) {
            refuse(QStringLiteral("outside the output folder"));
            continue;
        }
        const QString parent = isFolder ? target : QFileInfo(target).path();
        const QString folderProblem = MakeFoldersInside(root, parent.mid(root.size()));
        if (!folderProblem.isEmpty()) {
            refuse(folderProblem);
            continue;
        }
        if (isFolder) {
            result.written.append(e.printableName);
            continue;
        }
        const QFileInfo existing(target);
        if (existing.isSymLink() || existing.isDir()) {
            refuse(QStringLiteral("a link or folder is in the way"));
            continue;
        }
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            refuse(QStringLiteral("cannot write"));
            continue;
        }
        const QString problem = ExtractData(zip, e, out);
        out.close();
        if (!problem.isEmpty()) {
            QFile::remove(target);
            refuse(problem);
            continue;
        }
        result.written.append(e.printableName);
    }
    return result;
}
