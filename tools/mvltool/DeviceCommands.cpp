// mvltool pack and send: the project package and its transfer to a panel device, as the
// editor's transmission dialog does them.

#include "ToolCommands.h"

#include "base/Ipv4Address.h"
#include "base/Translation.h"
#include "devicelink/Packaging.h"
#include "devicelink/TransferProtocol.h"
#include "devicelink/TransmissionEngine.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QHostAddress>
#include <QHostInfo>
#include <QTemporaryDir>


#include <atomic>
#include <cstdio>

namespace {

void PrintProgress(int percent)
{
    std::fprintf(stderr, "%d%%\n", percent);
}

bool CheckFolder(const QString& path, QString& absolute)
{
    const QFileInfo info(path);
    if (!info.isDir()) {
        PrintError(QStringLiteral("%1: not a folder").arg(path));
        return false;
    }
    absolute = QDir::cleanPath(info.absoluteFilePath());
    return true;
}

// A name for the system's resolver: letters, digits, hyphens and dots, its last label
// starting with a letter. Anything else that is not an address ("127.0.0.010", "127.1",
// "0x7f.1", "10.0.0.5 abc") the resolver might read as an address of its own making.
bool IsHostName(const QString& host)
{
    for (const QChar c : host)
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'-' && c != u'.')
            return false;
    QString name = host;
    if (name.endsWith(u'.'))
        name.chop(1); // a fully qualified name
    const QString last = name.section(u'.', -1);
    return !last.isEmpty() && last.front().isLetter();
}

// HOST[:PORT] into its host and port (48688 when none is given); false when the port is
// not one or the host is missing.
bool SplitTarget(const QString& text, QString& host, quint16& port, QString& reason)
{
    host = text;
    port = TransferProtocol::kDefaultPort;
    const int colon = static_cast<int>(text.lastIndexOf(u':'));
    if (colon >= 0) {
        bool ok = false;
        const int value = text.mid(colon + 1).toInt(&ok);
        if (!ok || value < 1 || value > 65535) {
            reason = QStringLiteral("%1: the port must be a number from 1 to 65535").arg(text);
            return false;
        }
        port = static_cast<quint16>(value);
        host = text.left(colon);
    }
    if (host.isEmpty()) {
        reason = QStringLiteral("%1: no host").arg(text);
        return false;
    }
    return true;
}

// A host to a dotted IPv4 address; host names are looked up.
bool ResolveHost(const QString& host, QString& address)
{
    if (IsValidIpv4Address(host)) {
        address = host;
        return true;
    }
    if (!IsHostName(host)) {
        PrintError(QStringLiteral("%1: not an IPv4 address (four numbers from 0 to 255, without leading zeros) "
                                  "nor a host name").arg(host));
        return false;
    }
    const QHostInfo info = QHostInfo::fromName(host);
    for (const QHostAddress& a : info.addresses()) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol) {
            address = a.toString();
            return true;
        }
    }
    PrintError(QStringLiteral("%1: no IPv4 address found for this host").arg(host));
    return false;
}

} // namespace

int RunPack(const QStringList& args)
{
    if (args.size() != 2)
        return UsageError("pack");
    QString folder;
    if (!CheckFolder(args[0], folder))
        return 1;
    const QString out = QDir::cleanPath(QFileInfo(args[1]).absoluteFilePath());
    // The package would otherwise be packed into itself while it is being written.
    if (out.startsWith(folder + QLatin1Char('/'))) {
        PrintError(QStringLiteral("%1: the package cannot be written inside the folder it packs").arg(args[1]));
        return 1;
    }
    std::atomic<bool> running{true};
    PackOptions options;
    int lastPercent = -1;
    options.progress = [&](qint64 done, qint64 total) {
        const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
        if (percent != lastPercent) {
            lastPercent = percent;
            PrintProgress(percent);
        }
    };
    const QString title = TransferProtocol::DeviceTitle(ProjectTitleFromFolder(folder));
    if (!BuildPackage(out, folder, title, running, options)) {
        PrintError(Translate("190"));
        return 1;
    }
    if (lastPercent != 100)
        PrintProgress(100);
    return 0;
}

int RunSend(const QStringList& args)
{
    if (args.size() != 2)
        return UsageError("send");
    QString host;
    quint16 port = 0;
    QString reason;
    if (!SplitTarget(args[1], host, port, reason))
        return UsageError("send", reason);
    QString folder;
    QString address;
    if (!CheckFolder(args[0], folder) || !ResolveHost(host, address))
        return 1;
    QTemporaryDir temp;
    if (!temp.isValid()) {
        PrintError(Translate("190"));
        return 1;
    }

    TransmissionEngine engine;
    engine.SetPort(port);
    engine.SetPackagePath(temp.filePath(QStringLiteral("temp.zip")));
    // Every status of the transfer, the progress in percent among them, goes to stderr.
    QObject::connect(&engine, &TransmissionEngine::StatusChanged, [](const QString& text) {
        std::fprintf(stderr, "%s\n", text.trimmed().toUtf8().constData());
    });
    QString result;
    QEventLoop loop;
    QObject::connect(&engine, &TransmissionEngine::Finished, [&](const QString& key) {
        result = key;
        loop.quit();
    });
    engine.Start(address, folder, ProjectTitleFromFolder(folder));
    loop.exec();
    // The closing status text is already on stderr.
    return result == QStringLiteral("189") ? 0 : 1;
}
