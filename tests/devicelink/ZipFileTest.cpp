#include "devicelink/ZipFile.h"

#include "DeviceLinkTestUtil.h"
#include "support/TestFolders.h"

#include <QDateTime>

#include <gtest/gtest.h>
#include <zlib.h>

using namespace DeviceLinkTest;

namespace {

quint32 U16(const QByteArray& b, qint64 at)
{
    return static_cast<quint8>(b[at]) | (static_cast<quint8>(b[at + 1]) << 8);
}

quint32 U32(const QByteArray& b, qint64 at)
{
    return U16(b, at) | (U16(b, at + 2) << 16);
}

QByteArray Inflate(const QByteArray& deflated, qint64 expectedSize)
{
    QByteArray out(expectedSize + 16, '\0');
    z_stream s{};
    inflateInit2(&s, -15);
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.constData()));
    s.avail_in = static_cast<uInt>(deflated.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&s, Z_FINISH);
    out.resize(static_cast<qsizetype>(s.total_out));
    const bool consumedAll = s.avail_in == 0;
    inflateEnd(&s);
    return rc == Z_STREAM_END && consumedAll ? out : QByteArray("inflate failed");
}

const QDateTime kTime(QDate(2024, 3, 15), QTime(13, 45, 58));

struct Expected {
    QByteArray name;
    bool folder;
    QByteArray data;
};

} // namespace

TEST(ZipFile, DosTimeFollowsTheFormula)
{
    const quint32 v = ZipFile::DosDateTime(kTime);
    EXPECT_EQ(v & 0xFFFF, 13u * 2048 + 45 * 32 + 58 / 2);
    EXPECT_EQ(v >> 16, (2024u - 1980) * 512 + 3 * 32 + 15);
    // A clock before 1980 gives the first representable day, not a wrapped date.
    EXPECT_EQ(ZipFile::DosDateTime(QDateTime(QDate(1975, 6, 1), QTime(0, 0))) >> 16, 1u * 32 + 1);
}

// Every byte of every record: the layout a panel device reads.
TEST(ZipFile, WritesTheRecordsByteForByte)
{
    TestFolder dir;
    const QString path = dir.Path(QStringLiteral("p.zip"));
    const QByteArray mvl = "MVL project data " + QByteArray(300, 'x');
    const QByteArray png = PatternBytes(40000, 7); // larger than one output buffer once compressed
    ZipFile zip;
    zip.SetEntryTime(kTime);
    ASSERT_TRUE(zip.Create(path));
    ASSERT_TRUE(zip.BeginEntry(QStringLiteral("\\Hall\\Hall.mvl")));
    ASSERT_TRUE(zip.WriteEntryData(mvl.constData(), mvl.size()));
    ASSERT_TRUE(zip.EndEntry());
    ASSERT_TRUE(zip.BeginEntry(QStringLiteral("Hall/PHOTO/大厅.png")));
    ASSERT_TRUE(zip.WriteEntryData(png.constData(), png.size()));
    ASSERT_TRUE(zip.EndEntry());
    ASSERT_TRUE(zip.Close());

    const QByteArray b = ReadFile(path);
    const quint32 dos = ZipFile::DosDateTime(kTime);
    const QList<Expected> expected = {
        {"Hall/", true, {}},
        {"Hall/Hall.mvl", false, mvl},
        {"Hall/PHOTO/", true, {}},
        {QStringLiteral("Hall/PHOTO/大厅.png").toUtf8(), false, png},
    };

    QList<quint32> offsets;
    qint64 at = 0;
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name.toStdString());
        offsets.append(static_cast<quint32>(at));
        ASSERT_EQ(U32(b, at), 0x04034B50u);
        EXPECT_EQ(U16(b, at + 4), 20u);
        EXPECT_EQ(U16(b, at + 6), 0u);
        EXPECT_EQ(U16(b, at + 8), e.folder ? 0u : 8u);
        EXPECT_EQ(U32(b, at + 10), dos);
        EXPECT_EQ(U16(b, at + 26), static_cast<quint32>(e.name.size()));
        EXPECT_EQ(U16(b, at + 28), 0u);
        EXPECT_EQ(b.mid(at + 30, e.name.size()), e.name);
        const quint32 compressed = U32(b, at + 18);
        if (e.folder) {
            EXPECT_EQ(U32(b, at + 14), 0u);
            EXPECT_EQ(compressed, 0u);
            EXPECT_EQ(U32(b, at + 22), 0u);
        } else {
            EXPECT_EQ(U32(b, at + 14), crc32(0, reinterpret_cast<const Bytef*>(e.data.constData()),
                                             static_cast<uInt>(e.data.size())));
            EXPECT_EQ(U32(b, at + 22), static_cast<quint32>(e.data.size()));
            EXPECT_EQ(Inflate(b.mid(at + 30 + e.name.size(), compressed), e.data.size()), e.data);
        }
        at += 30 + e.name.size() + compressed;
    }

    const qint64 centralStart = at;
    for (int i = 0; i < expected.size(); ++i) {
        const Expected& e = expected[i];
        SCOPED_TRACE(e.name.toStdString());
        const qint64 local = offsets[i];
        ASSERT_EQ(U32(b, at), 0x02014B50u);
        EXPECT_EQ(U16(b, at + 4), e.folder ? 20u : 0u);   // version made by
        EXPECT_EQ(U16(b, at + 6), e.folder ? 10u : 20u);  // version needed
        EXPECT_EQ(U16(b, at + 8), 0u);
        // method, time, CRC and both sizes repeat the local header
        EXPECT_EQ(b.mid(at + 10, 16), b.mid(local + 8, 16));
        EXPECT_EQ(U16(b, at + 28), static_cast<quint32>(e.name.size()));
        EXPECT_EQ(b.mid(at + 30, 8), QByteArray(8, '\0')); // extra, comment, disk, internal
        EXPECT_EQ(U32(b, at + 38), e.folder ? 0x10u : 0u);
        EXPECT_EQ(U32(b, at + 42), offsets[i]);
        EXPECT_EQ(b.mid(at + 46, e.name.size()), e.name);
        at += 46 + e.name.size();
    }
    ASSERT_EQ(U32(b, at), 0x06054B50u);
    EXPECT_EQ(U16(b, at + 4), 0u);
    EXPECT_EQ(U16(b, at + 6), 0u);
    EXPECT_EQ(U16(b, at + 8), 4u);
    EXPECT_EQ(U16(b, at + 10), 4u);
    EXPECT_EQ(U32(b, at + 12), static_cast<quint32>(at - centralStart));
    EXPECT_EQ(U32(b, at + 16), static_cast<quint32>(centralStart));
    EXPECT_EQ(U16(b, at + 20), 0u);
    EXPECT_EQ(b.size(), at + 22);

    EXPECT_EQ(UnzipTest(path).status, 0) << UnzipTest(path).output.toStdString();
    EXPECT_EQ(PythonZipTest(path).status, 0) << PythonZipTest(path).output.toStdString();
}

TEST(ZipFile, EmptyFileIsTwoBytesWithCrcZero)
{
    TestFolder dir;
    const QString path = dir.Path(QStringLiteral("e.zip"));
    ZipFile zip;
    ASSERT_TRUE(zip.Create(path));
    ASSERT_TRUE(zip.BeginEntry(QStringLiteral("empty.txt")));
    ASSERT_TRUE(zip.WriteEntryData(nullptr, 0));
    ASSERT_TRUE(zip.EndEntry());
    ASSERT_TRUE(zip.Close());
    const QByteArray b = ReadFile(path);
    EXPECT_EQ(U32(b, 14), 0u);
    EXPECT_EQ(U32(b, 18), 2u);
    EXPECT_EQ(U32(b, 22), 0u);
    EXPECT_EQ(b.mid(30 + 9, 2), QByteArray::fromHex("0300"));
    EXPECT_EQ(UnzipTest(path).status, 0);
    EXPECT_EQ(PythonZipTest(path).status, 0);
}

TEST(ZipFile, FolderPrefixesCompareWithoutLetterCase)
{
    TestFolder dir;
    const QString path = dir.Path(QStringLiteral("c.zip"));
    ZipFile zip;
    ASSERT_TRUE(zip.Create(path));
    for (const char* name : {"Hall/photo/a.png", "Hall/PHOTO/b.png", "hall/Photo/c.png"}) {
        ASSERT_TRUE(zip.BeginEntry(QString::fromLatin1(name)));
        ASSERT_TRUE(zip.WriteEntryData("abc", 3));
    }
    ASSERT_TRUE(zip.Close()); // ends the last entry too
    EXPECT_EQ(zip.EntryCount(), 0); // the list is emptied by Close
    const QByteArray b = ReadFile(path);
    const qint64 end = b.size() - 22;
    EXPECT_EQ(U16(b, end + 10), 5u); // Hall/, Hall/photo/ and the three files
    EXPECT_EQ(UnzipTest(path).status, 0);
}

// A file fed in pieces compresses to exactly the bytes it gives when fed whole, so
// reading large files in pieces changes nothing in the package.
TEST(ZipFile, PiecesGiveTheSameBytesAsOneBlock)
{
    TestFolder dir;
    const QByteArray data = PatternBytes(700000, 3);
    auto write = [&](const QString& path, int piece) {
        ZipFile zip;
        zip.SetEntryTime(kTime);
        if (!zip.Create(path) || !zip.BeginEntry(QStringLiteral("a/b.bin")))
            return false;
        for (qint64 at = 0; at < data.size(); at += piece) {
            const qint64 n = std::min<qint64>(piece, data.size() - at);
            if (!zip.WriteEntryData(data.constData() + at, n, true))
                return false;
        }
        return zip.WriteEntryData(nullptr, 0, false) && zip.EndEntry() && zip.Close();
    };
    ASSERT_TRUE(write(dir.Path(QStringLiteral("whole.zip")), static_cast<int>(data.size())));
    ASSERT_TRUE(write(dir.Path(QStringLiteral("pieces.zip")), 4099));
    EXPECT_EQ(ReadFile(dir.Path(QStringLiteral("whole.zip"))), ReadFile(dir.Path(QStringLiteral("pieces.zip"))));
    EXPECT_EQ(UnzipTest(dir.Path(QStringLiteral("pieces.zip"))).status, 0);
}

TEST(ZipFile, PreDeflatedPiecesJoinIntoOneValidEntry)
{
    TestFolder dir;
    const QString path = dir.Path(QStringLiteral("d.zip"));
    const QByteArray first = PatternBytes(100000, 1);
    const QByteArray second = PatternBytes(50000, 2);
    auto deflatePiece = [](const QByteArray& in, const QByteArray& dictionary) {
        z_stream s{};
        deflateInit2(&s, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
        if (!dictionary.isEmpty())
            deflateSetDictionary(&s, reinterpret_cast<const Bytef*>(dictionary.constData()),
                                 static_cast<uInt>(dictionary.size()));
        QByteArray out(static_cast<qsizetype>(deflateBound(&s, static_cast<uLong>(in.size()))) + 64, '\0');
        s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
        s.avail_in = static_cast<uInt>(in.size());
        s.next_out = reinterpret_cast<Bytef*>(out.data());
        s.avail_out = static_cast<uInt>(out.size());
        deflate(&s, Z_SYNC_FLUSH);
        out.resize(static_cast<qsizetype>(s.total_out));
        deflateEnd(&s);
        return out;
    };
    auto crc = [](const QByteArray& in) {
        return static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(in.constData()),
                                          static_cast<uInt>(in.size())));
    };
    ZipFile zip;
    ASSERT_TRUE(zip.Create(path));
    ASSERT_TRUE(zip.BeginEntry(QStringLiteral("x.bin")));
    const QByteArray a = deflatePiece(first, {});
    const QByteArray b = deflatePiece(second, first.right(32768));
    ASSERT_TRUE(zip.WriteDeflatedData(a.constData(), a.size(), crc(first), first.size()));
    ASSERT_TRUE(zip.WriteDeflatedData(b.constData(), b.size(), crc(second), second.size()));
    ASSERT_TRUE(zip.EndEntry());
    ASSERT_TRUE(zip.Close());
    const QByteArray bytes = ReadFile(path);
    EXPECT_EQ(U32(bytes, 14), crc(first + second));
    EXPECT_EQ(U32(bytes, 22), static_cast<quint32>(first.size() + second.size()));
    EXPECT_EQ(Inflate(bytes.mid(30 + 5, U32(bytes, 18)), first.size() + second.size()), first + second);
    EXPECT_EQ(UnzipTest(path).status, 0);
    EXPECT_EQ(PythonZipTest(path).status, 0);
}

// An abandoned entry leaves no trace: not in the directory, and no bytes after the end
// record even when it was the longest thing written.
TEST(ZipFile, AbandonedEntryIsOverwrittenAndCutOff)
{
    TestFolder dir;
    const QString path = dir.Path(QStringLiteral("a.zip"));
    const QByteArray big = PatternBytes(300000, 9);
    ZipFile zip;
    ASSERT_TRUE(zip.Create(path));
    ASSERT_TRUE(zip.BeginEntry(QStringLiteral("keep.txt")));
    ASSERT_TRUE(zip.WriteEntryData("kept", 4));
    ASSERT_TRUE(zip.EndEntry());
    ASSERT_TRUE(zip.BeginEntry(QStringLiteral("gone.bin")));
    ASSERT_TRUE(zip.WriteEntryData(big.constData(), big.size()));
    zip.AbandonEntry();
    ASSERT_TRUE(zip.Close());
    const QByteArray b = ReadFile(path);
    EXPECT_LT(b.size(), 200);
    EXPECT_EQ(U16(b, b.size() - 22 + 10), 1u);
    EXPECT_EQ(UnzipTest(path).status, 0);
    EXPECT_EQ(PythonZipTest(path).status, 0);
}

TEST(ZipFile, RefusesCallsOutOfOrder)
{
    TestFolder dir;
    ZipFile zip;
    EXPECT_FALSE(zip.BeginEntry(QStringLiteral("a")));
    EXPECT_FALSE(zip.WriteEntryData("a", 1));
    EXPECT_FALSE(zip.Create(dir.Path(QStringLiteral("missing/folder/p.zip"))));
    ASSERT_TRUE(zip.Create(dir.Path(QStringLiteral("p.zip"))));
    EXPECT_FALSE(zip.WriteEntryData("a", 1)); // no entry open
    EXPECT_TRUE(zip.Close());
    // An archive without entries is still valid (unzip only warns that it is empty).
    EXPECT_EQ(PythonZipTest(dir.Path(QStringLiteral("p.zip"))).status, 0);
    EXPECT_EQ(ReadFile(dir.Path(QStringLiteral("p.zip"))).size(), 22);
}
