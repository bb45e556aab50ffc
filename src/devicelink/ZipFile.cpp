#include "ZipFile.h"

#include <QFile>

#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <ctime>

namespace {

constexpr quint32 kLocalSignature = 0x04034B50;
constexpr quint32 kCentralSignature = 0x02014B50;
constexpr quint32 kEndSignature = 0x06054B50;
constexpr quint64 kMax32 = ZipFile::kMaxSize;
constexpr size_t kMaxEntries = ZipFile::kMaxEntries;

void Put16(unsigned char* p, quint16 v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

void Put32(unsigned char* p, quint32 v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

quint16 Get16(const unsigned char* p)
{
    return static_cast<quint16>(p[0] | (p[1] << 8));
}

quint32 Get32(const unsigned char* p)
{
    return static_cast<quint32>(p[0]) | (static_cast<quint32>(p[1]) << 8) |
           (static_cast<quint32>(p[2]) << 16) | (static_cast<quint32>(p[3]) << 24);
}

// Local header fields by offset.
enum : int { kLhVersion = 4, kLhFlags = 6, kLhMethod = 8, kLhTime = 10, kLhCrc = 14,
             kLhCompressed = 18, kLhUncompressed = 22, kLhNameLength = 26, kLhExtraLength = 28 };

void FillLocalHeader(unsigned char* h, quint16 method, quint32 dosTime, quint16 nameLength)
{
    std::memset(h, 0, ZipFile::kLocalHeaderSize);
    Put32(h, kLocalSignature);
    Put16(h + kLhVersion, 20);
    Put16(h + kLhFlags, 0);
    Put16(h + kLhMethod, method);
    Put32(h + kLhTime, dosTime);
    Put16(h + kLhNameLength, nameLength);
}

} // namespace

ZipFile::ZipFile() = default;

ZipFile::~ZipFile()
{
    Close();
}

quint32 ZipFile::DosDateTime(const QDateTime& local)
{
    const QDate d = local.date();
    const QTime t = local.time();
    // The DOS date cannot hold years before 1980 or after 2107; a clock outside that
    // range gives the nearest representable day rather than a wrapped date.
    int years = d.year() - 1980;
    int month = d.month();
    int day = d.day();
    if (years < 0) {
        years = 0;
        month = 1;
        day = 1;
    } else if (years > 127) {
        years = 127;
        month = 12;
        day = 31;
    }
    const quint32 time = static_cast<quint32>(t.hour() * 2048 + t.minute() * 32 + t.second() / 2);
    const quint32 date = static_cast<quint32>(years * 512 + month * 32 + day);
    return (date << 16) | time;
}

quint32 ZipFile::NowDosDateTime() const
{
    if (fixedTime.isValid())
        return DosDateTime(fixedTime);
    // The local time of the system clock, as the panel shows file times.
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return DosDateTime(QDateTime(QDate(parts.tm_year - 80 + 1980, parts.tm_mon + 1, parts.tm_mday),
                                 QTime(parts.tm_hour, parts.tm_min, parts.tm_sec)));
}

bool ZipFile::Create(const QString& path)
{
    Close();
    openMode = 2;
    nextHeaderOffset = 0;
    entryState = 0;
    failed = false;
    entries.clear();
    folderNames.clear();
    archive = std::fopen(QFile::encodeName(path).constData(), "w+b");
    filePosition = archive ? 0 : -1;
    return archive != nullptr;
}

bool ZipFile::WriteAt(qint64 offset, const void* data, size_t length)
{
    if (!archive)
        return false;
    if (filePosition != offset) {
        if (fseeko(archive, static_cast<off_t>(offset), SEEK_SET) != 0) {
            filePosition = -1;
            return false;
        }
        filePosition = offset;
    }
    if (length && std::fwrite(data, 1, length, archive) != length) {
        filePosition = -1;
        return false;
    }
    filePosition += static_cast<qint64>(length);
    return true;
}

void ZipFile::AppendCentral(const unsigned char* local, const QByteArray& name, quint16 versionMadeBy,
                            quint16 versionNeeded, quint32 externalAttributes, quint32 offset)
{
    CentralRecord r;
    unsigned char* c = r.fixed;
    std::memset(c, 0, kCentralHeaderSize);
    Put32(c, kCentralSignature);
    Put16(c + 4, versionMadeBy);
    Put16(c + 6, versionNeeded);
    Put16(c + 8, Get16(local + kLhFlags));
    Put16(c + 10, Get16(local + kLhMethod));
    Put32(c + 12, Get32(local + kLhTime));
    Put32(c + 16, Get32(local + kLhCrc));
    Put32(c + 20, Get32(local + kLhCompressed));
    Put32(c + 24, Get32(local + kLhUncompressed));
    Put16(c + 28, static_cast<quint16>(name.size()));
    // extra length, comment length, disk number start, internal attributes: 0
    Put32(c + 38, externalAttributes);
    Put32(c + 42, offset);
    r.name = name;
    entries.push_back(std::move(r));
}

bool ZipFile::AddDirectoryEntry(const QByteArray& name)
{
    if (entries.size() >= kMaxEntries || nextHeaderOffset > kMax32) {
        failed = true;
        return false;
    }
    unsigned char h[kLocalHeaderSize];
    FillLocalHeader(h, 0, NowDosDateTime(), static_cast<quint16>(name.size()));
    if (!WriteAt(static_cast<qint64>(nextHeaderOffset), h, kLocalHeaderSize) ||
        !WriteAt(static_cast<qint64>(nextHeaderOffset) + kLocalHeaderSize, name.constData(),
                 static_cast<size_t>(name.size()))) {
        failed = true;
        return false;
    }
    AppendCentral(h, name, 20, 10, 0x10, static_cast<quint32>(nextHeaderOffset));
    folderNames.push_back(name.toLower());
    nextHeaderOffset += kLocalHeaderSize + static_cast<quint64>(name.size());
    return true;
}

bool ZipFile::BeginEntry(const QString& name)
{
    if (!archive)
        return false;
    if (entryState == 2)
        EndEntry();

    QString normal = name;
    int skip = 0;
    while (skip < normal.size() && (normal[skip] == u'\\' || normal[skip] == u'/'))
        ++skip;
    normal = normal.mid(skip);
    normal.replace(u'\\', u'/');
    const QByteArray utf8 = normal.toUtf8();
    if (utf8.size() > 0xFFFF) {
        failed = true;
        return false;
    }

    // A directory entry for every folder on the way, unless one was written already
    // (compared without regard to letter case).
    for (int i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '/')
            continue;
        const QByteArray prefix = utf8.left(i + 1);
        const QByteArray lower = prefix.toLower();
        bool known = false;
        for (const QByteArray& f : folderNames) {
            if (f == lower) {
                known = true;
                break;
            }
        }
        if (!known && !AddDirectoryEntry(prefix))
            return false;
    }
    if (entries.size() >= kMaxEntries) {
        failed = true;
        return false;
    }

    FillLocalHeader(header, 8, NowDosDateTime(), static_cast<quint16>(utf8.size()));
    entryName = utf8;
    std::memset(&stream, 0, sizeof(stream));
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        entryName.clear();
        return false;
    }
    streamReady = true;
    outFill = 0;
    entryCrc = 0;
    compressedSize = 0;
    uncompressedSize = 0;
    headerWritten = false;
    headerCompressedSize = 0;
    unflushed = false;
    entryState = 2;
    return true;
}

bool ZipFile::CheckLimits(quint64 compressed, quint64 uncompressed)
{
    if (compressed > kMax32 || uncompressed > kMax32 || nextHeaderOffset > kMax32) {
        failed = true;
        return false;
    }
    return true;
}

bool ZipFile::WriteLocalHeader(quint64 compressed)
{
    Put32(header + kLhCrc, entryCrc);
    Put32(header + kLhCompressed, static_cast<quint32>(compressed));
    Put32(header + kLhUncompressed, static_cast<quint32>(uncompressedSize));
    if (!WriteAt(static_cast<qint64>(nextHeaderOffset), header, kLocalHeaderSize) ||
        !WriteAt(static_cast<qint64>(nextHeaderOffset) + kLocalHeaderSize, entryName.constData(),
                 static_cast<size_t>(entryName.size())))
        return false;
    headerWritten = true;
    headerCompressedSize = compressed;
    return true;
}

bool ZipFile::FlushOutBuffer()
{
    if (outFill == 0)
        return true;
    if (!headerWritten) {
        // The header goes out before the first data; its sizes are fixed up at the end.
        if (!WriteLocalHeader(compressedSize))
            return false;
    }
    const qint64 at = static_cast<qint64>(nextHeaderOffset) + kLocalHeaderSize + entryName.size() +
                      static_cast<qint64>(compressedSize);
    if (!WriteAt(at, outBuffer, static_cast<size_t>(outFill)))
        return false;
    compressedSize += static_cast<quint64>(outFill);
    outFill = 0;
    return CheckLimits(compressedSize, uncompressedSize);
}

bool ZipFile::Compress(int flush)
{
    for (;;) {
        stream.next_out = outBuffer + outFill;
        stream.avail_out = static_cast<uInt>(kOutBufferSize - outFill);
        const int rc = deflate(&stream, flush);
        if (rc == Z_STREAM_ERROR)
            return false;
        outFill = kOutBufferSize - static_cast<int>(stream.avail_out);
        if (outFill == kOutBufferSize && !FlushOutBuffer())
            return false;
        if (flush == Z_FINISH) {
            if (rc == Z_STREAM_END)
                return true;
            continue;
        }
        // Done when the input is used up and the compressor had room left over, i.e.
        // holds nothing more for this flush mode.
        if (stream.avail_in == 0 && stream.avail_out != 0)
            return true;
        if (rc == Z_BUF_ERROR && stream.avail_in == 0)
            return true;
    }
}

bool ZipFile::WriteEntryData(const void* data, qint64 length, bool moreFollows)
{
    if (entryState != 2)
        return false;
    if (length < 0)
        return false;
    if (length == 0) {
        // Without data nothing is flushed, so an empty file stays a bare final block
        // (two bytes); after pieces fed with moreFollows this is their closing flush.
        if (!unflushed || moreFollows)
            return true;
        if (!Compress(Z_SYNC_FLUSH)) {
            AbandonEntry();
            return false;
        }
        unflushed = false;
        return true;
    }
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    qint64 left = length;
    bool ok = true;
    // zlib counts in 32-bit units; large blocks go through in slices.
    do {
        const uInt slice = static_cast<uInt>(std::min<qint64>(left, 1 << 30));
        if (slice)
            entryCrc = static_cast<quint32>(crc32(entryCrc, bytes, slice));
        stream.next_in = const_cast<Bytef*>(bytes);
        stream.avail_in = slice;
        const bool last = left == slice;
        ok = Compress(last && !moreFollows ? Z_SYNC_FLUSH : Z_NO_FLUSH);
        bytes += slice;
        left -= slice;
    } while (ok && left > 0);
    if (!ok) {
        AbandonEntry();
        return false;
    }
    uncompressedSize += static_cast<quint64>(length);
    unflushed = moreFollows;
    if (!CheckLimits(compressedSize, uncompressedSize)) {
        AbandonEntry();
        return false;
    }
    return true;
}

bool ZipFile::WriteDeflatedData(const char* data, qint64 length, quint32 crc, qint64 rawLength)
{
    if (entryState != 2 || length < 0 || rawLength < 0)
        return false;
    if (length > 0) {
        if (!FlushOutBuffer()) {
            AbandonEntry();
            return false;
        }
        if (!headerWritten && !WriteLocalHeader(compressedSize)) {
            AbandonEntry();
            return false;
        }
        const qint64 at = static_cast<qint64>(nextHeaderOffset) + kLocalHeaderSize + entryName.size() +
                          static_cast<qint64>(compressedSize);
        if (!WriteAt(at, data, static_cast<size_t>(length))) {
            AbandonEntry();
            return false;
        }
        compressedSize += static_cast<quint64>(length);
    }
    entryCrc = static_cast<quint32>(crc32_combine(entryCrc, crc, static_cast<z_off_t>(rawLength)));
    uncompressedSize += static_cast<quint64>(rawLength);
    if (!CheckLimits(compressedSize, uncompressedSize)) {
        AbandonEntry();
        return false;
    }
    return true;
}

bool ZipFile::EndEntry()
{
    if (entryState != 2)
        return true;
    bool ok = true;
    if (unflushed)
        ok = Compress(Z_SYNC_FLUSH);
    ok = ok && Compress(Z_FINISH);
    deflateEnd(&stream);
    streamReady = false;
    // An entry that fits in the buffer gets its header once, with the final sizes.
    if (ok && !headerWritten)
        ok = WriteLocalHeader(compressedSize + static_cast<quint64>(outFill));
    if (ok && outFill > 0)
        ok = FlushOutBuffer();
    if (ok && (headerCompressedSize != compressedSize || Get32(header + kLhCrc) != entryCrc ||
               Get32(header + kLhUncompressed) != static_cast<quint32>(uncompressedSize)))
        ok = WriteLocalHeader(compressedSize);
    ok = ok && CheckLimits(compressedSize, uncompressedSize);
    if (!ok) {
        failed = true;
        ClearEntry();
        return false;
    }
    AppendCentral(header, entryName, 0, 20, 0, static_cast<quint32>(nextHeaderOffset));
    nextHeaderOffset += kLocalHeaderSize + static_cast<quint64>(entryName.size()) + compressedSize;
    ClearEntry();
    return true;
}

void ZipFile::AbandonEntry()
{
    if (entryState != 2)
        return;
    // A failed write means the disk let us down: the archive can no longer be trusted.
    failed = failed || filePosition < 0;
    ClearEntry();
}

void ZipFile::ClearEntry()
{
    if (streamReady) {
        deflateEnd(&stream);
        streamReady = false;
    }
    entryName.clear();
    outFill = 0;
    entryState = 0;
}

bool ZipFile::HasEntry(const QString& name) const
{
    QString normal = name;
    while (normal.startsWith(u'/') || normal.startsWith(u'\\'))
        normal.remove(0, 1);
    normal.replace(u'\\', u'/');
    const QByteArray wanted = normal.toUtf8();
    return std::any_of(entries.begin(), entries.end(), [&wanted](const CentralRecord& r) { return r.name == wanted; });
}

bool ZipFile::Close()
{
    if (!archive)
        return true;
    EndEntry();

    bool ok = !failed && nextHeaderOffset <= kMax32 && entries.size() <= kMaxEntries;
    quint64 centralSize = 0;
    qint64 at = static_cast<qint64>(nextHeaderOffset);
    for (const CentralRecord& r : entries) {
        ok = ok && WriteAt(at, r.fixed, kCentralHeaderSize);
        ok = ok && WriteAt(at + kCentralHeaderSize, r.name.constData(), static_cast<size_t>(r.name.size()));
        const quint64 size = kCentralHeaderSize + static_cast<quint64>(r.name.size());
        at += static_cast<qint64>(size);
        centralSize += size;
    }
    const QByteArray comment = archiveComment.toUtf8();
    unsigned char end[kEndRecordSize] = {};
    Put32(end, kEndSignature);
    Put16(end + 8, static_cast<quint16>(entries.size()));
    Put16(end + 10, static_cast<quint16>(entries.size()));
    Put32(end + 12, static_cast<quint32>(centralSize));
    Put32(end + 16, static_cast<quint32>(nextHeaderOffset));
    Put16(end + 20, static_cast<quint16>(comment.size()));
    ok = ok && centralSize <= kMax32;
    ok = ok && WriteAt(at, end, kEndRecordSize);
    ok = ok && WriteAt(at + kEndRecordSize, comment.constData(), static_cast<size_t>(comment.size()));
    at += kEndRecordSize + comment.size();
    // Bytes of an abandoned last entry may lie beyond the end record; cut them off so
    // that readers find the end record where they look for it.
    if (std::fflush(archive) != 0)
        ok = false;
    if (ok && ftruncate(fileno(archive), static_cast<off_t>(at)) != 0)
        ok = false;
    if (std::fclose(archive) != 0)
        ok = false;
    archive = nullptr;
    filePosition = -1;
    openMode = 0;
    entries.clear();
    folderNames.clear();
    return ok;
}
