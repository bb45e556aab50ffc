// Packing a project folder of about 200 MB (images of several kinds and a video-sized
// file) into the package, timed against `zip -r -q` of the same folder in the same run.
//
//   bench_packing [MEGABYTES]    (default 200)
//
// The folder is generated in a temporary folder and removed afterwards.

#include "devicelink/Packaging.h"

#include <QGuiApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <thread>

namespace {

// Bytes that do not compress, as in JPEG images and video.
void WriteRandomFile(const QString& path, qint64 size, quint32 seed)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return;
    QRandomGenerator random(seed);
    QByteArray block(1 << 20, '\0');
    for (qint64 left = size; left > 0; left -= block.size()) {
        random.fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
        f.write(block.constData(), std::min<qint64>(left, block.size()));
    }
}

// A PNG photo-like picture: gradients and shapes with noise, which compresses a little
// further under deflate, as real PNGs do.
void WritePng(const QString& path, int width, int height, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = static_cast<int>(random.bounded(24));
            line[x] = qRgb((x * 255 / width + noise) & 0xFF, (y * 255 / height + noise) & 0xFF,
                           ((x + y) / 4 + static_cast<int>(seed)) & 0xFF);
        }
    }
    QPainter painter(&image);
    painter.setBrush(QColor::fromHsv(static_cast<int>(seed * 37 % 360), 200, 220));
    painter.drawEllipse(width / 4, height / 4, width / 2, height / 2);
    painter.end();
    image.save(path, "PNG");
}

// Text images as the editor renders them: mostly flat colour, very compressible.
void WriteTextPng(const QString& path, quint32 seed)
{
    QImage image(600, 80, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("Sans"), 28));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Button %1").arg(seed));
    painter.end();
    image.save(path, "PNG");
}

qint64 FolderSize(const QString& folder)
{
    QStringList files;
    CollectFiles(folder, files);
    qint64 total = 0;
    for (const QString& f : files)
        total += QFileInfo(f).size();
    return total;
}

void MakeProject(const QString& folder, qint64 targetBytes)
{
    QDir().mkpath(folder + QStringLiteral("/PHOTO/TEXTPHOTO"));
    QDir().mkpath(folder + QStringLiteral("/VIDEO"));
    // The demo project's data file, found from the build's bin folder when it is there.
    const QString demo = QCoreApplication::applicationDirPath() + QStringLiteral("/../../examples/Lobby/Lobby.mvl");
    if (!QFile::copy(demo, folder + QStringLiteral("/Lobby.mvl")))
        WriteRandomFile(folder + QStringLiteral("/Lobby.mvl"), 4000, 1);
    for (quint32 i = 0; i < 60; ++i)
        WriteTextPng(folder + QStringLiteral("/PHOTO/TEXTPHOTO/text%1.png").arg(i), i);
    // Half the size in a video, the rest in images: a few large PNG backgrounds and many
    // photos that do not compress (JPEG-like).
    WriteRandomFile(folder + QStringLiteral("/VIDEO/intro.mp4"), targetBytes / 2, 7);
    for (quint32 i = 0; i < 12; ++i)
        WritePng(folder + QStringLiteral("/PHOTO/background%1.png").arg(i), 1280, 800, i);
    quint32 seed = 100;
    while (FolderSize(folder) < targetBytes) {
        WriteRandomFile(folder + QStringLiteral("/PHOTO/photo%1.jpg").arg(seed), 900000 + (seed % 7) * 150000, seed);
        ++seed;
    }
}

double TimeZip(const QString& parent, const QString& name, const QString& out)
{
    QFile::remove(out);
    QElapsedTimer timer;
    timer.start();
    QProcess zip;
    zip.setWorkingDirectory(parent);
    zip.start(QStringLiteral("zip"), {QStringLiteral("-r"), QStringLiteral("-q"), out, name});
    if (!zip.waitForFinished(-1) || zip.exitCode() != 0) {
        std::fprintf(stderr, "zip failed: %s\n", zip.readAllStandardError().constData());
        return -1;
    }
    return timer.nsecsElapsed() / 1e9;
}

double TimePack(const QString& folder, const QString& out, int threads, double* cpu = nullptr)
{
    QFile::remove(out);
    const std::clock_t cpuStart = std::clock();
    std::atomic<bool> running{true};
    PackOptions options;
    options.threads = threads;
    QElapsedTimer timer;
    timer.start();
    if (!BuildPackage(out, folder, QStringLiteral("Lobby"), running, options)) {
        std::fprintf(stderr, "packing failed\n");
        return -1;
    }
    if (cpu)
        *cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // QImage text rendering needs fonts
    const qint64 megabytes = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;

    QTemporaryDir temp;
    if (!temp.isValid())
        return 1;
    const QString folder = temp.filePath(QStringLiteral("Lobby"));
    std::printf("generating a project of about %lld MB ...\n", static_cast<long long>(megabytes));
    std::fflush(stdout);
    MakeProject(folder, megabytes * 1000 * 1000);
    const qint64 size = FolderSize(folder);
    QStringList files;
    CollectFiles(folder, files);
    std::printf("project: %lld files, %.1f MB\n", static_cast<long long>(files.size()), size / 1e6);

    const QString zipOut = temp.filePath(QStringLiteral("zip.zip"));
    const QString ourOut = temp.filePath(QStringLiteral("temp.zip"));
    // A first pass of each warms the file cache; then the best of two runs counts.
    TimeZip(temp.path(), QStringLiteral("Lobby"), zipOut);
    double zipBest = 1e9;
    double serialBest = 1e9;
    double parallelBest = 1e9;
    double serialCpu = 0;
    double parallelCpu = 0;
    for (int run = 0; run < 2; ++run) {
        zipBest = std::min(zipBest, TimeZip(temp.path(), QStringLiteral("Lobby"), zipOut));
        double cpu = 0;
        const double serial = TimePack(folder, ourOut, 1, &cpu);
        if (serial < serialBest) {
            serialBest = serial;
            serialCpu = cpu;
        }
        const double parallel = TimePack(folder, ourOut, 0, &cpu);
        if (parallel < parallelBest) {
            parallelBest = parallel;
            parallelCpu = cpu;
        }
    }
    const qint64 zipSize = QFileInfo(zipOut).size();
    const qint64 ourSize = QFileInfo(ourOut).size();
    const unsigned cores = std::thread::hardware_concurrency();

    std::printf("zip -r -q:                 %6.2f s  %7.1f MB/s  archive %.1f MB\n", zipBest, size / 1e6 / zipBest,
                zipSize / 1e6);
    std::printf("BuildPackage, 1 thread:    %6.2f s  %7.1f MB/s  ratio to zip %.2f  (cpu %.2f s)\n", serialBest,
                size / 1e6 / serialBest, serialBest / zipBest, serialCpu);
    std::printf("BuildPackage, %u threads:   %6.2f s  %7.1f MB/s  ratio to zip %.2f  (cpu %.2f s)  archive %.1f MB\n",
                cores, parallelBest, size / 1e6 / parallelBest, parallelBest / zipBest, parallelCpu, ourSize / 1e6);
    return 0;
}
