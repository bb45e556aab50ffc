// mvltool render and the demo project written by mkdemo.

#include "support/PictureCompare.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>


namespace {

const QString kExample = QStringLiteral(MVL_SOURCE_DIR "/examples/Lobby");

QString Tool(const char* name)
{
    if (QByteArray(name) == "mvltool" && qEnvironmentVariableIsSet("MVLTOOL"))
        return qEnvironmentVariable("MVLTOOL");
    return QStringLiteral(MVL_BIN_DIR "/") + QString::fromLatin1(name);
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
        // The pictures are painted by code, anti-aliased, so another processor may give
        // edges a step apart; text images depend on the font rasteriser, so only their
        // size (the control's) must match.
        if (!file.startsWith(QLatin1String("PHOTO/TEXTPHOTO/"))) {
            EXPECT_TRUE(PicturesMatch(a, b));
        }
    }
}

TEST(Demo, PictureComparisonForgivesRasterNoiseButNotAChange)
{
    const QImage committed(kExample + QStringLiteral("/PHOTO/bulb.png"));
    ASSERT_FALSE(committed.isNull());
    const QImage base = committed.convertToFormat(QImage::Format_ARGB32);
    // One step of one channel here and there, as another processor paints edges (a
    // gradient may give far more such pixels: the glow of bulb_on.png, 1631 of 9216).
    auto noise = [](QImage im) {
        for (int i = 0; i < 48; ++i) {
            const int x = (i * 37) % im.width();
            const int y = (i * 53) % im.height();
            const QRgb px = im.pixel(x, y);
            im.setPixel(x, y, qRgba(qRed(px) ^ 1, qGreen(px), qBlue(px), qAlpha(px)));
        }
        return im;
    };
    auto spot = [](QImage im) {
        QPainter painter(&im);
        painter.fillRect(QRect(im.width() / 3, im.height() / 3, 4, 4), Qt::magenta);
        return im;
    };
    auto apart = [](int steps) {
        return [steps](QImage im) {
            for (int y = 0; y < im.height(); ++y)
                for (int x = 0; x < im.width(); ++x) {
                    const QRgb px = im.pixel(x, y);
                    im.setPixel(x, y, qRgba(qRed(px) ^ steps, qGreen(px), qBlue(px), qAlpha(px)));
                }
            return im;
        };
    };
    const struct {
        const char* change;
        QImage picture;
        bool matches;
    } rows[] = {
        {"none", base, true},
        {"raster noise", noise(base), true},
        {"a small spot", spot(base), false},
        {"two steps apart all over", apart(2)(base), false},
        {"one step apart all over", apart(1)(base), false},
        {"another size", base.copy(0, 0, base.width() - 1, base.height()), false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(static_cast<bool>(PicturesMatch(row.picture, base)), row.matches) << row.change;
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
    EXPECT_TRUE(PixelsClose(page.pixel(624 + 40, 186 + 1), QImage(two).pixel(80, 2)));
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
    EXPECT_EQ(run.status, 2);
    run = Start("mvltool", {QStringLiteral("render"), mvl, QStringLiteral("Lobby")});
    EXPECT_EQ(run.status, 2);
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
