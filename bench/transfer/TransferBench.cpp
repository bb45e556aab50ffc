// Transfer throughput of the engine to the panel device simulator on loopback, in window
// mode and in stop-and-wait mode. The simulator runs as its own process (panelsim from
// the same bin folder), as a device would.
//
//   bench_transfer [MEGABYTES]    (default 50)

#include "devicelink/TransmissionEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

struct Simulator {
    QProcess process;
    quint16 port = 0;

    bool Start(bool window)
    {
        process.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/panelsim"));
        process.setArguments({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--no-discovery"),
                              QStringLiteral("--mode"),
                              window ? QStringLiteral("window") : QStringLiteral("stop-and-wait")});
        process.start();
        if (!process.waitForReadyRead(10000))
            return false;
        const QString line = QString::fromUtf8(process.readLine());
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("TCP (\\d+)")).match(line);
        port = m.hasMatch() ? static_cast<quint16>(m.captured(1).toUInt()) : 0;
        return port != 0;
    }
    ~Simulator()
    {
        process.terminate();
        process.waitForFinished(3000);
    }
};

double Send(const QString& package, quint16 port, QString& key)
{
    TransmissionEngine engine;
    engine.SetPort(port);
    QEventLoop loop;
    QObject::connect(&engine, &TransmissionEngine::Finished, [&](const QString& k) {
        key = k;
        loop.quit();
    });
    QElapsedTimer timer;
    timer.start();
    engine.StartWithPackage(QStringLiteral("127.0.0.1"), package, QStringLiteral("Bench"));
    loop.exec();
    // Connecting includes a fixed pause of half a second before the first packet.
    return (timer.nsecsElapsed() / 1e9) - TransmissionEngine::kConnectedPauseMs / 1000.0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const qint64 megabytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    QTemporaryDir temp;
    const QString package = temp.filePath(QStringLiteral("temp.zip"));
    {
        QFile f(package);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        QByteArray block(1 << 20, '\0');
        for (qint64 i = 0; i < megabytes; ++i) {
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
            f.write(block);
        }
    }
    const double size = megabytes * 1048576.0;
    for (bool window : {true, false}) {
        Simulator sim;
        if (!sim.Start(window)) {
            std::fprintf(stderr, "panelsim did not start\n");
            return 1;
        }
        QString key;
        const double seconds = Send(package, sim.port, key);
        std::printf("%-14s %lld MB in %6.2f s: %7.1f MB/s (%s)\n", window ? "window:" : "stop-and-wait:",
                    static_cast<long long>(megabytes), seconds, size / 1e6 / seconds,
                    key == QStringLiteral("189") ? "complete" : qPrintable(QStringLiteral("ended with key ") + key));
    }
    return 0;
}
