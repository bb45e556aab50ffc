#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <vector>

// Writer of the project package: a new ZIP archive, one entry at a time, deflated with
// zlib's raw deflate. Every folder on the way to a file gets its own directory entry, names
// are UTF-8 and time stamps are DOS local time. No ZIP64: an archive that would need it
// (4 GiB sizes or offsets, more than 65,535 entries) is refused, so Close reports false.
//
// Calls go Create, then per file BeginEntry, WriteEntryData or WriteDeflatedData (any
// number of times), EndEntry, and finally Close.
class ZipFile {
public:
    static constexpr int kOutBufferSize = 16384;
    static constexpr int kLocalHeaderSize = 30;
    static constexpr int kCentralHeaderSize = 46;
    static constexpr int kEndRecordSize = 22;
    // What an archive without ZIP64 holds at most.
    static constexpr quint64 kMaxSize = 0xFFFFFFFFull;
    static constexpr size_t kMaxEntries = 65535;

    ZipFile();
    virtual ~ZipFile();
    ZipFile(const ZipFile&) = delete;
    ZipFile& operator=(const ZipFile&) = delete;

    bool Create(const QString& path);
    bool BeginEntry(const QString& name);
    // Compresses data into the open entry. moreFollows = true lets the compressor keep
    // its state open for the next piece, so a file fed in pieces compresses to exactly
    // the bytes it gives when fed whole; the last piece (or a call with length 0 after
    // such pieces) ends with a sync flush.
    bool WriteEntryData(const void* data, qint64 length, bool moreFollows = false);
    // Appends raw deflate data compressed elsewhere (parallel packing): a piece that
    // ends on a sync flush, without a final block, with the CRC-32 and length of the
    // data it holds. An entry is fed either this way or through WriteEntryData.
    bool WriteDeflatedData(const char* data, qint64 length, quint32 crc, qint64 rawLength);
    bool EndEntry();
    // Drops the open entry: it will not appear in the central directory and the next
    // entry is written over its bytes.
    void AbandonEntry();
    bool Close();

    bool IsOpen() const { return archive != nullptr; }
    bool IsEntryOpen() const { return entryState == 2; }
    int EntryCount() const { return static_cast<int>(entries.size()); }
    // Whether a complete entry of this name (as BeginEntry normalises it) was written
    // to the open archive.
    bool HasEntry(const QString& name) const;
    // Time stamp used for the entries begun from now on; invalid = the clock (default).
    void SetEntryTime(const QDateTime& time) { fixedTime = time; }

    // DOS time (low word) and date (high word) of a local time.
    static quint32 DosDateTime(const QDateTime& local);

private:
    struct CentralRecord {
        unsigned char fixed[kCentralHeaderSize];
        QByteArray name; // extra field and comment are always empty
    };

    bool WriteAt(qint64 offset, const void* data, size_t length);
    bool WriteLocalHeader(quint64 compressed);
    bool FlushOutBuffer();
    bool Compress(int flush);
    bool AddDirectoryEntry(const QByteArray& name);
    void AppendCentral(const unsigned char* local, const QByteArray& name, quint16 versionMadeBy,
                       quint16 versionNeeded, quint32 externalAttributes, quint32 offset);
    bool CheckLimits(quint64 compressed, quint64 uncompressed);
    void ClearEntry();
    quint32 NowDosDateTime() const;

    FILE* archive = nullptr;
    QString archiveComment;
    int openMode = 0;
    std::vector<CentralRecord> entries;
    std::vector<QByteArray> folderNames; // lower-cased names of the folder entries written
    quint64 nextHeaderOffset = 0;
    unsigned char header[kLocalHeaderSize] = {};
    QByteArray entryName;
    z_stream stream{};
    bool streamReady = false;
    unsigned char outBuffer[kOutBufferSize];
    int outFill = 0;
    int entryState = 0;

    quint32 entryCrc = 0;
    quint64 compressedSize = 0;
    quint64 uncompressedSize = 0;
    bool headerWritten = false;
    quint64 headerCompressedSize = 0; // compressed size in the header as written
    bool unflushed = false;           // data fed with moreFollows, not yet sync-flushed
    qint64 filePosition = -1;         // where the stream stands, -1 = unknown
    bool failed = false;              // a write failed or a format limit was passed
    QDateTime fixedTime;
};
