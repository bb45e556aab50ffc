// panelsim: a panel device simulator for trials without hardware. It receives project
// transfers from the editor (or `mvltool send`), checks them, unpacks the package and
// answers device searches; faults can be switched on to see how the editor copes.

#include "PanelSimulator.h"
#include "PrintableText.h"

#include "base/AnsiCodePage.h"
#include "base/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

const QString kProgram = QStringLiteral("panelsim");

void Print(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

bool ToInt(const QCommandLineParser& parser, const QString& name, int& value)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    value = parser.value(name).toInt(&ok);
    if (!ok)
        CommandLine::UsageError(kProgram, QStringLiteral("--%1 needs a number").arg(name), {});
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Panel device simulator: receives project transfers on TCP "
                                                    "and answers device searches on UDP."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("address"), QStringLiteral("Address to listen on (default 127.0.0.1)."), QStringLiteral("ip")},
        {QStringLiteral("port"), QStringLiteral("TCP port of transfers (default 48688, 0 = any)."), QStringLiteral("n")},
        {QStringLiteral("udp-port"), QStringLiteral("UDP port of searches (default 48689, 0 = any)."), QStringLiteral("n")},
        {QStringLiteral("no-discovery"), QStringLiteral("Do not answer device searches.")},
        {QStringLiteral("mode"), QStringLiteral("window (answer \"2\") or stop-and-wait (default window)."), QStringLiteral("mode")},
        {QStringLiteral("id"), QStringLiteral("Device ID reported to searches (default PANELSIM)."), QStringLiteral("text")},
        {QStringLiteral("report-ip"), QStringLiteral("Address reported to searches (default the listening one)."), QStringLiteral("ip")},
        {QStringLiteral("out"), QStringLiteral("Unpack every package into this folder."), QStringLiteral("folder")},
        {QStringLiteral("keep-package"), QStringLiteral("Keep a copy of the last package here."), QStringLiteral("file")},
        {QStringLiteral("close-after"), QStringLiteral("Fault: close the connection on receiving packet N."), QStringLiteral("n")},
        {QStringLiteral("stop-ack-after"), QStringLiteral("Fault: acknowledge only the first N packets."), QStringLiteral("n")},
        {QStringLiteral("ack-delay"), QStringLiteral("Fault: hold every acknowledgement this many ms."), QStringLiteral("ms")},
        {QStringLiteral("ack-batch"), QStringLiteral("Send data acknowledgements N bytes at once."), QStringLiteral("n")},
        {QStringLiteral("ack-bytes"), QStringLiteral("Fault: send N bytes for every packet."), QStringLiteral("n")},
        {QStringLiteral("idle-timeout"), QStringLiteral("Close a connection silent this many ms (default 30000, 0 = never)."), QStringLiteral("ms")},
        {QStringLiteral("max-unpacked"), QStringLiteral("Unpack at most this many MiB of a package in all (default 1024)."), QStringLiteral("MiB")},
        {QStringLiteral("once"), QStringLiteral("Exit after the first transfer: 0 when it was complete and correct.")},
    });
    if (!parser.parse(app.arguments()))
        return CommandLine::UsageError(kProgram, parser.errorText(), {});
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        CommandLine::Print(parser.helpText() +
                           QStringLiteral("\nExit status: 0 done, 1 failed, 2 the command line is wrong.\n"
                                          "See panelsim(1).\n"));
        return CommandLine::kSuccess;
    }
    if (parser.isSet(version)) {
        CommandLine::Print(CommandLine::VersionText(kProgram));
        return CommandLine::kSuccess;
    }
    if (!parser.positionalArguments().isEmpty())
        return CommandLine::UsageError(kProgram, QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()), {});

    PanelSimOptions options;
    if (parser.isSet(QStringLiteral("address")) && !options.address.setAddress(parser.value(QStringLiteral("address")))) {
        return CommandLine::UsageError(kProgram, QStringLiteral("not an address: %1").arg(parser.value(QStringLiteral("address"))), {});
    }
    int tcpPort = options.tcpPort;
    int udpPort = options.udpPort;
    if (!ToInt(parser, QStringLiteral("port"), tcpPort) || !ToInt(parser, QStringLiteral("udp-port"), udpPort) ||
        !ToInt(parser, QStringLiteral("close-after"), options.closeAfterPackets) ||
        !ToInt(parser, QStringLiteral("stop-ack-after"), options.stopAckAfterPackets) ||
        !ToInt(parser, QStringLiteral("ack-delay"), options.ackDelayMs) ||
        !ToInt(parser, QStringLiteral("ack-batch"), options.ackBatch) ||
        !ToInt(parser, QStringLiteral("ack-bytes"), options.ackBytesPerPacket) ||
        !ToInt(parser, QStringLiteral("idle-timeout"), options.idleTimeoutMs))
        return CommandLine::kUsageError;
    int maxUnpackedMiB = static_cast<int>(options.unpackLimits.maxTotalBytes >> 20);
    if (!ToInt(parser, QStringLiteral("max-unpacked"), maxUnpackedMiB) || maxUnpackedMiB < 0)
        return CommandLine::UsageError(kProgram, QStringLiteral("--max-unpacked needs a number of MiB"), {});
    options.unpackLimits.maxTotalBytes = static_cast<quint64>(maxUnpackedMiB) << 20;
    if (tcpPort < 0 || tcpPort > 65535 || udpPort < 0 || udpPort > 65535)
        return CommandLine::UsageError(kProgram, QStringLiteral("ports lie between 0 and 65535"), {});
    options.tcpPort = static_cast<quint16>(tcpPort);
    options.udpPort = static_cast<quint16>(udpPort);
    options.discovery = !parser.isSet(QStringLiteral("no-discovery"));
    const QString mode = parser.value(QStringLiteral("mode"));
    if (!mode.isEmpty() && mode != QStringLiteral("window") && mode != QStringLiteral("stop-and-wait"))
        return CommandLine::UsageError(kProgram, QStringLiteral("--mode is window or stop-and-wait"), {});
    options.windowMode = mode != QStringLiteral("stop-and-wait");
    if (parser.isSet(QStringLiteral("id")))
        options.deviceId = AnsiCodePage::Encode(parser.value(QStringLiteral("id")));
    if (parser.isSet(QStringLiteral("report-ip")) &&
        (!options.reportAddress.setAddress(parser.value(QStringLiteral("report-ip"))) ||
         options.reportAddress.protocol() != QAbstractSocket::IPv4Protocol))
        return CommandLine::UsageError(kProgram, QStringLiteral("--report-ip needs an IPv4 address"), {});
    options.outputFolder = parser.value(QStringLiteral("out"));
    options.keepPackage = parser.value(QStringLiteral("keep-package"));
    const bool once = parser.isSet(QStringLiteral("once"));

    PanelSimulator simulator(options);
    QString error;
    if (!simulator.Start(&error)) {
        std::fprintf(stderr, "panelsim: %s\n", qPrintable(error));
        return CommandLine::kFailure;
    }
    Print(QStringLiteral("listening on %1 TCP %2%3, %4 mode")
              .arg(options.address.toString())
              .arg(simulator.TcpPort())
              .arg(options.discovery ? QStringLiteral(", UDP %1").arg(simulator.UdpPort()) : QString())
              .arg(options.windowMode ? QStringLiteral("window") : QStringLiteral("stop-and-wait")));

    QObject::connect(&simulator, &PanelSimulator::Log, [](const QString& line) { Print(line); });
    QObject::connect(&simulator, &PanelSimulator::TransferFinished, [&](const TransferReport& r) {
        Print(QStringLiteral("transfer: %1; title \"%2\"; %3 of %4 packets; %5 package bytes")
                  .arg(r.end, PrintableText(r.title)).arg(r.packetsReceived).arg(r.announcedPackets).arg(r.packageBytes));
        if (!r.violation.isEmpty())
            Print(QStringLiteral("first violation: %1").arg(r.violation));
        if (r.unpacked) {
            if (!r.unpack.readable)
                Print(QStringLiteral("package not readable: %1").arg(r.unpack.error));
            Print(QStringLiteral("unpacked %1 entries into %2").arg(r.unpack.written.size()).arg(options.outputFolder));
            for (const QString& refused : r.unpack.refused)
                Print(QStringLiteral("refused %1").arg(refused));
        }
        if (once) {
            const bool good = r.complete && r.violation.isEmpty() &&
                              (!r.unpacked || (r.unpack.readable && r.unpack.refused.isEmpty()));
            // Leave the last acknowledgement time to reach the sender before the exit
            // closes the connection.
            QTimer::singleShot(300 + std::max(0, options.ackDelayMs), [good] { QCoreApplication::exit(good ? 0 : 1); });
        }
    });
    return app.exec();
}
