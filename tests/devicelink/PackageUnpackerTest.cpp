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

} // namespace

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
