// mvltool render and the demo project written by mkdemo.

#include "support/TestFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const QString kExample = QStringLiteral(MVL_SOURCE_DIR "/examples/Lobby");

QString Tool(const char* name)
{
    if (QByteArray(name) == "mvltool" && qEnvironmentVariableIsSet("MVLTOOL"))
        return qEnvironmentVariable("MVLTOOL");
    return QStringLiteral(MVL_BIN_DIR "/") + QString::fromLatin1(name);
}

// Qt's raster engine picks its drawing code by processor, so anti-aliased edges may come
// out one or two steps apart on another machine: same size, every channel that close.
bool AlmostSameImage(const QImage& a, const QImage& b)
{
    constexpr int kChannelTolerance = 3;
    if (a.size() != b.size())
        return false;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            if (std::abs(qRed(p[col]) - qRed(q[col])) > kChannelTolerance
                || std::abs(qGreen(p[col]) - qGreen(q[col])) > kChannelTolerance
                || std::abs(qBlue(p[col]) - qBlue(q[col])) > kChannelTolerance
                || std::abs(qAlpha(p[col]) - qAlpha(q[col])) > kChannelTolerance)
                return false;
        }
    }
    return true;
}

struct ToolRun {
    int status = -1;
    QString errors;
};

ToolRun Start(const char* tool, const QStringList& args)
{
    QProcess process;
    process.start(Tool(tool), args);
    ToolRun run;
    if (!process.waitForFinished(120000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QStringList FilesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The stored texts "yyyy-mm-dd" and "hh:mm" (UTF-16LE) with their digits blanked.
QByteArray MaskDatesAndTimes(QByteArray bytes)
{
    static const QRegularExpression pattern(QStringLiteral(
        "(?:[0-9]\\x00){4}-\\x00(?:[0-9]\\x00){2}-\\x00(?:[0-9]\\x00){2}|(?:[0-9]\\x00){2}:\\x00(?:[0-9]\\x00){2}"));
    const QString latin = QString::fromLatin1(bytes);
    auto it = pattern.globalMatch(latin);
    while (it.hasNext()) {
        const auto m = it.next();
        for (qsizetype i = m.capturedStart(); i < m.capturedEnd(); ++i)
            if (bytes[i] >= '0' && bytes[i] <= '9')
                bytes[i] = '#';
    }
    return bytes;
}

} // namespace

TEST(Demo, RegeneratedProjectMatchesTheCommittedOne)
{
    TestFolder dir;
    const QString fresh = dir.Path(QStringLiteral("Lobby"));
    const ToolRun run = Start("mkdemo", {fresh});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();

    const QByteArray committed = ReadAll(kExample + QStringLiteral("/Lobby.mvl"));
    ASSERT_FALSE(committed.isEmpty());
    EXPECT_TRUE(ReadAll(fresh + QStringLiteral("/Lobby.mvl")) == committed)
        << "examples/Lobby is out of step with mkdemo: regenerate it with build/bin/mkdemo examples/Lobby";

    const QStringList files = FilesUnder(fresh);
    EXPECT_EQ(files, FilesUnder(kExample));
    for (const QString& file : files) {
        if (!file.endsWith(QLatin1String(".png")))
            continue;
        SCOPED_TRACE(file.toStdString());
        const QImage a(fresh + u'/' + file);
        const QImage b(kExample + u'/' + file);
        ASSERT_FALSE(a.isNull());
        ASSERT_EQ(a.size(), b.size());
        // The pictures are painted by code and compared pixel by pixel within a step or
        // two; text images depend on the font rasteriser, so only their size (the
        // control's) must match.
        if (!file.startsWith(QLatin1String("PHOTO/TEXTPHOTO/"))) {
            EXPECT_TRUE(AlmostSameImage(a, b));
        }
    }
}

TEST(Render, DrawsAPageAtItsZoom)
{
    TestFolder dir;
    const QString mvl = kExample + QStringLiteral("/Lobby.mvl");
    const QString one = dir.Path(QStringLiteral("one.png"));
    const QString two = dir.Path(QStringLiteral("two.png"));
    ToolRun run = Start("mvltool", {QStringLiteral("render"), mvl, QStringLiteral("Lobby"), one});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    run = Start("mvltool", {QStringLiteral("render"), mvl, QStringLiteral("Music"), two, QStringLiteral("--zoom"),
                            QStringLiteral("2")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    const QImage page(one);
    const QImage sub(two);
    EXPECT_EQ(page.size(), QSize(1024, 600));
    EXPECT_EQ(sub.size(), QSize(720, 600));
    // The lobby's page container shows the music sub-page: its top-left pixel is the
    // sub-page's frame colour, not the backdrop.
    EXPECT_EQ(page.pixel(624 + 40, 186 + 1), QImage(two).pixel(80, 2));
}

TEST(Render, RefusesUnknownPagesAndBadZooms)
{
    TestFolder dir;
    const QString mvl = kExample + QStringLiteral("/Lobby.mvl");
    const QString out = dir.Path(QStringLiteral("x.png"));
    ToolRun run = Start("mvltool", {QStringLiteral("render"), mvl, QStringLiteral("Nowhere"), out});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Nowhere")));
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Lighting"))); // lists what exists
    run = Start("mvltool", {QStringLiteral("render"), mvl, QStringLiteral("Lobby"), out, QStringLiteral("--zoom"),
                            QStringLiteral("9")});
    EXPECT_EQ(run.status, 1);
    run = Start("mvltool", {QStringLiteral("render"), mvl, QStringLiteral("Lobby")});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(QFile::exists(out));
}

TEST(Demo, ResavingTheDemoChangesNoByte)
{
    TestFolder dir;
    const QString copy = dir.Path(QStringLiteral("Lobby"));
    QDir().mkpath(copy);
    const QByteArray original = ReadAll(kExample + QStringLiteral("/Lobby.mvl"));
    ASSERT_FALSE(original.isEmpty());
    QFile out(copy + QStringLiteral("/Lobby.mvl"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(original);
    out.close();
    for (const QString& file : FilesUnder(kExample + QStringLiteral("/PHOTO"))) {
        QDir().mkpath(QFileInfo(copy + QStringLiteral("/PHOTO/") + file).absolutePath());
        ASSERT_TRUE(QFile::copy(kExample + QStringLiteral("/PHOTO/") + file, copy + QStringLiteral("/PHOTO/") + file));
    }
    const ToolRun run = Start("mvltool", {QStringLiteral("resave"), copy + QStringLiteral("/Lobby.mvl")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    // Date and time texts show the moment of loading; everything else stays as it was.
    EXPECT_TRUE(MaskDatesAndTimes(ReadAll(copy + QStringLiteral("/Lobby.mvl"))) == MaskDatesAndTimes(original));
}
