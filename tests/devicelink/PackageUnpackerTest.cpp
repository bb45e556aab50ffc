// The simulator's unpacker is what tells integrators whether a package is safe; it must
// never write outside its output folder.

#include "panelsim/PackageUnpacker.h"

#include "DeviceLinkTestUtil.h"
#include "devicelink/ZipFile.h"
#include "support/TestFolders.h"

#include <QFileInfo>

#include <gtest/gtest.h>
#include <unistd.h>

using namespace DeviceLinkTest;

namespace {

void WriteZip(const QString& path, const QList<QPair<QString, QByteArray>>& entries)
{
    ZipFile zip;
    ASSERT_TRUE(zip.Create(path));
    for (const auto& e : entries) {
        ASSERT_TRUE(zip.BeginEntry(e.first));
        ASSERT_TRUE(zip.WriteEntryData(e.second.constData(), e.second.size()));
        ASSERT_TRUE(zip.EndEntry());
    }
    ASSERT_TRUE(zip.Close());
}

quint32 Get32(const QByteArray& b, qsizetype at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<quint32>(p[3]) << 24);
}

void Put16(QByteArray& b, qsizetype at, quint16 v)
{
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

void Put32(QByteArray& b, qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// An archive of one entry whose central record is repeated under other names of the same
// length: every copy points at the one local header and its stream.
QByteArray SharedStreamArchive(const QByteArray& single, const QList<QByteArray>& names)
{
    const qsizetype end = single.size() - 22;
    const quint32 cdSize = Get32(single, end + 12);
    const quint32 cdOffset = Get32(single, end + 16);
    const QByteArray record = single.mid(cdOffset, cdSize);
    QByteArray out = single.left(cdOffset);
    for (const QByteArray& name : names) {
        QByteArray copy = record;
        copy.replace(46, name.size(), name);
        out += copy;
    }
    QByteArray tail = single.mid(end, 22);
    Put16(tail, 8, static_cast<quint16>(names.size()));
    Put16(tail, 10, static_cast<quint16>(names.size()));
    Put32(tail, 12, static_cast<quint32>(record.size() * names.size()));
    return out + tail;
}

} // namespace

TEST(PackageUnpacker, HostileArchivesUnpackNoMoreThanTheyHold)
{
    TestFolder dir;
    const QByteArray zeros(4 << 20, '\0'); // compresses to a few kilobytes
    const QString one = dir.Path(QStringLiteral("one.zip"));
    WriteZip(one, {{QStringLiteral("a.bin"), zeros}});
    const QString shared = dir.Path(QStringLiteral("shared.zip"));
    WriteFile(shared, SharedStreamArchive(ReadFile(one), {"a.bin", "b.bin", "c.bin", "d.bin", "e.bin"}));
    const QString three = dir.Path(QStringLiteral("three.zip"));
    WriteZip(three, {{QStringLiteral("Hall/1.bin"), PatternBytes(100000, 1)},
                     {QStringLiteral("Hall/2.bin"), PatternBytes(100000, 2)},
                     {QStringLiteral("Hall/3.bin"), PatternBytes(100000, 3)}});
    const QString named = dir.Path(QStringLiteral("named.zip"));
    WriteZip(named, {{QStringLiteral("Hall/a") + QChar(0) + QStringLiteral("b\x1b[2J.txt"), "x"}});

    const struct {
        const char* archive;
        QString zip;
        quint64 limit;
        QStringList written;
        QStringList refusedBecause; // one expected reason (a part of it) per refused entry
    } rows[] = {
        {"entries sharing one stream", shared, 1ull << 30, {QStringLiteral("a.bin")},
         {QStringLiteral("overlaps"), QStringLiteral("overlaps"), QStringLiteral("overlaps"), QStringLiteral("overlaps")}},
        {"more than the limit in all", three, 250000,
         {QStringLiteral("Hall/"), QStringLiteral("Hall/1.bin"), QStringLiteral("Hall/2.bin")},
         {QStringLiteral("limit of 250000 bytes")}},
        // The name is printed with its zero byte and escape shown, and the reason after it.
        {"a zero byte in a name", named, 1ull << 30, {QStringLiteral("Hall/")},
         {QStringLiteral("Hall/a\\x00b\\x1b[2J.txt: zero byte in the name")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.archive);
        const QString out = dir.Path(QLatin1String(row.archive));
        const UnpackResult r = UnpackPackage(row.zip, out, UnpackLimits{row.limit});
        ASSERT_TRUE(r.readable) << r.error.toStdString();
        EXPECT_EQ(r.written, row.written);
        ASSERT_EQ(r.refused.size(), row.refusedBecause.size()) << r.refused.join(u'|').toStdString();
        for (int i = 0; i < r.refused.size(); ++i)
            EXPECT_TRUE(r.refused[i].contains(row.refusedBecause[i])) << r.refused[i].toStdString();
    }
    EXPECT_EQ(QFileInfo(dir.Path(QStringLiteral("entries sharing one stream/a.bin"))).size(), zeros.size());
    EXPECT_FALSE(QFileInfo::exists(dir.Path(QStringLiteral("entries sharing one stream/b.bin"))));
}

TEST(PackageUnpacker, NamesThatClimbOutAreRefused)
{
    EXPECT_EQ(UnsafeNameReason("Hall/PHOTO/a.png"), QString());
    EXPECT_FALSE(UnsafeNameReason("/etc/passwd").isEmpty());
    EXPECT_FALSE(UnsafeNameReason("\\windows\\x").isEmpty());
    EXPECT_FALSE(UnsafeNameReason("C:/x").isEmpty());
    EXPECT_FALSE(UnsafeNameReason("../x").isEmpty());
    EXPECT_FALSE(UnsafeNameReason("Hall/../../x").isEmpty());
    EXPECT_FALSE(UnsafeNameReason("Hall\\..\\..\\x").isEmpty());
    EXPECT_FALSE(UnsafeNameReason(QByteArray("a\0b", 3)).isEmpty());
    EXPECT_EQ(UnsafeNameReason("Hall/..hidden/x"), QString()); // a name, not a step up
}

TEST(PackageUnpacker, UnpacksSafeEntriesAndRefusesTheRest)
{
    TestFolder dir;
    const QString zip = dir.Path(QStringLiteral("evil.zip"));
    WriteZip(zip, {{QStringLiteral("Hall/ok.txt"), "fine"},
                   {QStringLiteral("../escaped.txt"), "bad"},
                   {QStringLiteral("Hall/../../escaped2.txt"), "bad"},
                   {QStringLiteral("Hall/link/inside.txt"), "bad"},
                   {QStringLiteral("Hall/PHOTO/p.png"), PatternBytes(50000, 1)}});
    const QString out = dir.Path(QStringLiteral("out"));
    QDir().mkpath(out + QStringLiteral("/Hall"));
    // A link planted in the output folder must not carry an entry elsewhere.
    QDir().mkpath(dir.Path(QStringLiteral("elsewhere")));
    ASSERT_EQ(symlink(QFile::encodeName(dir.Path(QStringLiteral("elsewhere"))).constData(),
                      QFile::encodeName(out + QStringLiteral("/Hall/link")).constData()), 0);

    const UnpackResult r = UnpackPackage(zip, out);
    ASSERT_TRUE(r.readable) << r.error.toStdString();
    EXPECT_EQ(ReadFile(out + QStringLiteral("/Hall/ok.txt")), QByteArray("fine"));
    EXPECT_EQ(ReadFile(out + QStringLiteral("/Hall/PHOTO/p.png")), PatternBytes(50000, 1));
    EXPECT_FALSE(QFileInfo::exists(dir.Path(QStringLiteral("escaped.txt"))));
    EXPECT_FALSE(QFileInfo::exists(dir.Path(QStringLiteral("escaped2.txt"))));
    EXPECT_FALSE(QFileInfo::exists(dir.Path(QStringLiteral("elsewhere/inside.txt"))));
    // "../" and "Hall/../" are folder entries of their own and refused as well.
    EXPECT_GE(r.refused.size(), 4);
    for (const QString& refused : r.refused)
        EXPECT_FALSE(refused.startsWith(QStringLiteral("Hall/ok.txt")));
}

TEST(PackageUnpacker, DamagedArchivesAreReportedNotUnpacked)
{
    TestFolder dir;
    const QString zip = dir.Path(QStringLiteral("p.zip"));
    WriteZip(zip, {{QStringLiteral("Hall/a.bin"), PatternBytes(20000, 2)}});
    QByteArray bytes = ReadFile(zip);

    QByteArray flipped = bytes;
    flipped[200] = static_cast<char>(flipped[200] ^ 0x55); // inside the deflate data
    WriteFile(zip, flipped);
    UnpackResult r = UnpackPackage(zip, dir.Path(QStringLiteral("out1")));
    EXPECT_TRUE(r.readable);
    EXPECT_EQ(r.refused.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(dir.Path(QStringLiteral("out1/Hall/a.bin"))));

    WriteFile(zip, bytes.left(bytes.size() - 10));
    r = UnpackPackage(zip, dir.Path(QStringLiteral("out2")));
    EXPECT_FALSE(r.readable);
    EXPECT_FALSE(r.error.isEmpty());
}
