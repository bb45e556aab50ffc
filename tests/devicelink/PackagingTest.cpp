#include "devicelink/Packaging.h"

#include "DeviceLinkTestUtil.h"
#include "panelsim/PackageUnpacker.h"
#include "support/TestFolders.h"

#include <QFileInfo>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace DeviceLinkTest;

namespace {

QStringList EntryNames(const QString& zip)
{
    QList<ZipEntryInfo> entries;
    QString error;
    QStringList names;
    if (!ReadZipDirectory(zip, entries, error))
        return {QStringLiteral("unreadable: ") + error};
    for (const ZipEntryInfo& e : entries)
        names.append(e.name);
    return names;
}

// The project folder of most tests: a data file, images, rendered texts, a video.
void MakeProject(const QString& folder)
{
    WriteFile(folder + QStringLiteral("/Hall.mvl"), "project " + PatternBytes(2000, 1));
    WriteFile(folder + QStringLiteral("/PHOTO/a.png"), PatternBytes(30000, 2));
    WriteFile(folder + QStringLiteral("/PHOTO/TEXTPHOTO/t1.png"), PatternBytes(5000, 3));
    WriteFile(folder + QStringLiteral("/VIDEO/clip.mp4"), PatternBytes(2500000, 4));
    WriteFile(folder + QStringLiteral("/VIDEO/empty.mp4"), {});
}

} // namespace

TEST(Packaging, ProjectTitleIsTheFolderNameCutAtItsLastDot)
{
    EXPECT_EQ(ProjectTitleFromFolder(QStringLiteral("/work/Hall.v2")), QStringLiteral("Hall"));
    EXPECT_EQ(ProjectTitleFromFolder(QStringLiteral("/work/Hall")), QStringLiteral("Hall"));
    EXPECT_EQ(ProjectTitleFromFolder(QStringLiteral("/work/a.b.c/")), QStringLiteral("a.b"));
    EXPECT_EQ(ProjectTitleFromFolder(QStringLiteral("/wo.rk/Hall")), QStringLiteral("Hall"));
    EXPECT_EQ(ProjectTitleFromFolder(QStringLiteral("大厅")), QStringLiteral("大厅"));
}

// Depth first, the folder entry of each folder just before its first file, everything
// under the title, hidden files and folders and special files left out.
TEST(Packaging, PacksEveryVisibleFileUnderTheTitleInListingOrder)
{
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("Hall.v2"));
    MakeProject(folder);
    WriteFile(folder + QStringLiteral("/.hidden"), "secret");
    WriteFile(folder + QStringLiteral("/.git/config"), "x");
    WriteFile(folder + QStringLiteral("/PHOTO/.thumbs/a.png"), "x");
    ASSERT_EQ(mkfifo(QFile::encodeName(folder + QStringLiteral("/PHOTO/pipe")).constData(), 0600), 0);
    // A link back up the tree must not make the walk endless.
    ASSERT_EQ(symlink("..", QFile::encodeName(folder + QStringLiteral("/PHOTO/up")).constData()), 0);

    QStringList files;
    CollectFiles(folder, files);
    QStringList expectedNames;
    QStringList folders;
    for (const QString& f : files) {
        QString name = QStringLiteral("Hall") + f.mid(folder.size());
        for (int i = 0; i < name.size(); ++i) {
            if (name[i] == u'/' && !folders.contains(name.left(i + 1), Qt::CaseInsensitive)) {
                folders.append(name.left(i + 1));
                expectedNames.append(name.left(i + 1));
            }
        }
        expectedNames.append(name);
    }
    EXPECT_EQ(files.size(), 5);
    for (const QString& f : files)
        EXPECT_FALSE(f.contains(QStringLiteral("/.")) || f.endsWith(QStringLiteral("pipe")) ||
                     f.contains(QStringLiteral("/up/")))
            << f.toStdString();

    for (int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        const QString zip = dir.Path(QStringLiteral("p%1.zip").arg(threads));
        std::atomic<bool> running{true};
        PackOptions options;
        options.threads = threads;
        ASSERT_TRUE(BuildPackage(zip, folder, QStringLiteral("Hall"), running, options));
        EXPECT_EQ(EntryNames(zip), expectedNames);
        EXPECT_EQ(UnzipTest(zip).status, 0) << UnzipTest(zip).output.toStdString();
        EXPECT_EQ(PythonZipTest(zip).status, 0);

        TestFolder out;
        const UnpackResult unpacked = UnpackPackage(zip, out.Path());
        EXPECT_TRUE(unpacked.refused.isEmpty()) << unpacked.refused.join(u'\n').toStdString();
        for (const QString& f : files)
            EXPECT_EQ(ReadFile(out.Path(QStringLiteral("Hall") + f.mid(folder.size()))), ReadFile(f))
                << f.toStdString();
    }
}

// Pieces of one file compressed on several threads make the same archive records; files
// that fit one piece even the very same bytes.
TEST(Packaging, ParallelPackingKeepsOrderAndRecords)
{
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("Hall"));
    for (int i = 0; i < 12; ++i)
        WriteFile(folder + QStringLiteral("/PHOTO/img%1.png").arg(i), PatternBytes(20000 + i * 3000, 10 + i));
    PackOptions serial;
    serial.threads = 1;
    serial.entryTime = QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5));
    PackOptions parallel = serial;
    parallel.threads = 3;
    std::atomic<bool> running{true};
    ASSERT_TRUE(BuildPackage(dir.Path(QStringLiteral("s.zip")), folder, QStringLiteral("Hall"), running, serial));
    ASSERT_TRUE(BuildPackage(dir.Path(QStringLiteral("p.zip")), folder, QStringLiteral("Hall"), running, parallel));
    EXPECT_EQ(ReadFile(dir.Path(QStringLiteral("s.zip"))), ReadFile(dir.Path(QStringLiteral("p.zip"))));

    // A file of several pieces: a different deflate stream, the same data.
    WriteFile(folder + QStringLiteral("/VIDEO/v.mp4"), PatternBytes(3 * 65536 + 123, 99));
    serial.pieceSize = parallel.pieceSize = 65536;
    ASSERT_TRUE(BuildPackage(dir.Path(QStringLiteral("s2.zip")), folder, QStringLiteral("Hall"), running, serial));
    ASSERT_TRUE(BuildPackage(dir.Path(QStringLiteral("p2.zip")), folder, QStringLiteral("Hall"), running, parallel));
    QList<ZipEntryInfo> a;
    QList<ZipEntryInfo> b;
    QString error;
    ASSERT_TRUE(ReadZipDirectory(dir.Path(QStringLiteral("s2.zip")), a, error));
    ASSERT_TRUE(ReadZipDirectory(dir.Path(QStringLiteral("p2.zip")), b, error));
    ASSERT_EQ(a.size(), b.size());
    for (int i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].name, b[i].name);
        EXPECT_EQ(a[i].crc, b[i].crc);
        EXPECT_EQ(a[i].uncompressedSize, b[i].uncompressedSize);
        EXPECT_EQ(a[i].method, b[i].method);
        EXPECT_EQ(a[i].versionMadeBy, b[i].versionMadeBy);
        EXPECT_EQ(a[i].externalAttributes, b[i].externalAttributes);
    }
    EXPECT_EQ(UnzipTest(dir.Path(QStringLiteral("p2.zip"))).status, 0);
    EXPECT_EQ(PythonZipTest(dir.Path(QStringLiteral("p2.zip"))).status, 0);
}

TEST(Packaging, StopDuringPackingLeavesAValidArchiveOfTheFilesSoFar)
{
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("Hall"));
    for (int i = 0; i < 6; ++i)
        WriteFile(folder + QStringLiteral("/f%1.bin").arg(i), PatternBytes(300000, static_cast<quint32>(i)));
    for (int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        const QString zip = dir.Path(QStringLiteral("stop%1.zip").arg(threads));
        std::atomic<bool> running{true};
        PackOptions options;
        options.threads = threads;
        options.pieceSize = 65536;
        // Cleared in the middle of the third file, as the Stop button would.
        options.progress = [&](qint64 done, qint64) {
            if (done > 2 * 300000 + 100000)
                running = false;
        };
        ASSERT_TRUE(BuildPackage(zip, folder, QStringLiteral("Hall"), running, options));
        const QStringList names = EntryNames(zip);
        EXPECT_GE(names.size(), 3); // Hall/ and at least two whole files
        EXPECT_LT(names.size(), 7);
        EXPECT_EQ(UnzipTest(zip).status, 0) << UnzipTest(zip).output.toStdString();
        EXPECT_EQ(PythonZipTest(zip).status, 0);
    }

    // Cleared before packing begins: an empty, still valid archive.
    std::atomic<bool> stopped{false};
    ASSERT_TRUE(BuildPackage(dir.Path(QStringLiteral("none.zip")), folder, QStringLiteral("Hall"), stopped));
    EXPECT_TRUE(EntryNames(dir.Path(QStringLiteral("none.zip"))).isEmpty());
}

TEST(Packaging, UnreadableFilesAreLeftOutAndAnUncreatablePackageFails)
{
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("Hall"));
    MakeProject(folder);
    std::atomic<bool> running{true};
    EXPECT_FALSE(BuildPackage(dir.Path(QStringLiteral("no/such/folder/p.zip")), folder, QStringLiteral("Hall"), running));

    // A file that disappears after the folder was listed cannot be opened any more.
    QStringList files;
    CollectFiles(folder, files);
    ASSERT_EQ(files.size(), 5);
    const QString vanishing = files.last();
    PackOptions options;
    options.threads = 1; // files are opened strictly one after the other
    options.progress = [&](qint64, qint64) { QFile::remove(vanishing); };
    const QString zip = dir.Path(QStringLiteral("p.zip"));
    ASSERT_TRUE(BuildPackage(zip, folder, QStringLiteral("Hall"), running, options));
    const QStringList names = EntryNames(zip);
    EXPECT_FALSE(names.contains(QStringLiteral("Hall") + vanishing.mid(folder.size())));
    EXPECT_TRUE(names.contains(QStringLiteral("Hall") + files.first().mid(folder.size())));
    EXPECT_EQ(UnzipTest(zip).status, 0);
}
