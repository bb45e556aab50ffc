#include "devicelink/TransferProtocol.h"
#include "devicelink/TransmissionEngine.h"

#include "DeviceLinkTestUtil.h"
#include "base/Translation.h"
#include "panelsim/PanelSimulator.h"
#include "support/TestFolders.h"

#include <QCryptographicHash>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <memory>

using namespace DeviceLinkTest;

namespace {

std::unique_ptr<PanelSimulator> StartSimulator(PanelSimOptions options = {})
{
    options.tcpPort = 0;
    options.discovery = false;
    auto sim = std::make_unique<PanelSimulator>(options);
    QString error;
    EXPECT_TRUE(sim->Start(&error)) << error.toStdString();
    return sim;
}

struct Outcome {
    QString key;               // the Finished key, "timeout" when none came
    QStringList statusKeys;    // status keys in the order shown (percent lines left out)
    QStringList percentLines;
};

Outcome RunTransfer(TransmissionEngine& engine, const std::function<void()>& start, int timeoutMs = 20000)
{
    Outcome outcome;
    bool done = false;
    const auto status = QObject::connect(&engine, &TransmissionEngine::StatusChanged, [&](const QString& text) {
        if (text.endsWith(u'%') && text.startsWith(u' '))
            outcome.percentLines.append(text);
        else
            outcome.statusKeys.append(engine.LastStatusKey());
    });
    const auto finished = QObject::connect(&engine, &TransmissionEngine::Finished, [&](const QString& key) {
        outcome.key = key;
        done = true;
    });
    start();
    if (!WaitFor([&] { return done; }, timeoutMs))
        outcome.key = QStringLiteral("timeout");
    QObject::disconnect(status);
    QObject::disconnect(finished);
    return outcome;
}

// A port on which nothing listens: taken from the system and given back.
quint16 FreePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

// A device that sends bytes of its own choosing: some as soon as a sender connects, some
// when the first packet arrives, and nothing else.
class RawDevice {
public:
    RawDevice(int bytesOnConnect, int bytesOnFirstPacket)
    {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [=] {
            while (QTcpSocket* s = server.nextPendingConnection()) {
                s->write(QByteArray(bytesOnConnect, '1'));
                auto answered = std::make_shared<bool>(false);
                QObject::connect(s, &QTcpSocket::readyRead, [s, answered, bytesOnFirstPacket] {
                    s->readAll();
                    if (!*answered)
                        s->write(QByteArray(bytesOnFirstPacket, '1'));
                    *answered = true;
                });
            }
        });
    }
    quint16 Port() const { return server.serverPort(); }

private:
    QTcpServer server;
};

Outcome SendFile(const QString& package, PanelSimulator& sim, const QString& title = QStringLiteral("Hall"))
{
    TransmissionEngine engine;
    engine.SetPort(sim.TcpPort());
    return RunTransfer(engine, [&] { engine.StartWithPackage(QStringLiteral("127.0.0.1"), package, title); });
}

} // namespace

TEST(TransferProtocol, AnnouncementAndDataPacketsAreLaidOutByteForByte)
{
    const QByteArray a = TransferProtocol::BuildAnnouncement(1, QStringLiteral("Hall"));
    EXPECT_EQ(a.toHex(), QByteArray("54463" "67a" "aa51" "00000000" "0011" "1101" "1c00" "0000"
                                    "00000000" "00000002" "00000000000000000000" "0008"
                                    "480061006c006c00"));
    // A transfer without data: the announcement is the last packet.
    EXPECT_EQ(TransferProtocol::BuildAnnouncement(0, QString()).mid(18, 8).toHex(), QByteArray("8000000000000001"));

    unsigned char packet[TransferProtocol::kMaxPacketSize] = {};
    EXPECT_EQ(TransferProtocol::FillDataHeader(packet, 2, true, 1), 23);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(packet), 22).toHex(),
              QByteArray("5446367aaa5100000000001111010500000080000002"));
    EXPECT_EQ(TransferProtocol::FillDataHeader(packet, 1, false, 1002), 1024);
    EXPECT_EQ(packet[14], 0xEE); // 1006, little-endian
    EXPECT_EQ(packet[15], 0x03);

    EXPECT_EQ(TransferProtocol::DataPacketCount(1002), 1);
    EXPECT_EQ(TransferProtocol::DataPacketCount(1003), 2);
    EXPECT_EQ(TransferProtocol::DataPacketCount(0), 0);
}

TEST(TransferProtocol, LongTitlesAreCutToWhatTheDeviceKeeps)
{
    EXPECT_EQ(TransferProtocol::DeviceTitle(QString(200, u'a')).size(), 129);
    EXPECT_EQ(TransferProtocol::DeviceTitle(QString(129, u'a')).size(), 129);
    // Never half a surrogate pair.
    const QString emoji = QString(128, u'a') + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("b");
    EXPECT_EQ(TransferProtocol::DeviceTitle(emoji), QString(128, u'a'));
    EXPECT_EQ(TransferProtocol::BuildAnnouncement(5, QString(300, u'x')).size(), 38 + 258);
}

class TransferSizes : public ::testing::TestWithParam<std::tuple<bool, int>> {};

// n = 1 and n = 2 (a last packet of one byte), in window and in stop-and-wait mode; the
// simulator checks the layout of every packet.
TEST_P(TransferSizes, PackageArrivesWhole)
{
    const bool window = std::get<0>(GetParam());
    const int size = std::get<1>(GetParam());
    TestFolder dir;
    const QByteArray bytes = PatternBytes(size, static_cast<quint32>(size));
    ASSERT_TRUE(WriteFile(dir.Path(QStringLiteral("p.zip")), bytes));
    PanelSimOptions options;
    options.windowMode = window;
    auto sim = StartSimulator(options);
    const Outcome outcome = SendFile(dir.Path(QStringLiteral("p.zip")), *sim);

    EXPECT_EQ(outcome.key, QStringLiteral("189"));
    EXPECT_EQ(outcome.statusKeys, (QStringList{QStringLiteral("195"), QStringLiteral("196"), QStringLiteral("307"),
                                               QStringLiteral("189")}));
    const qint64 n = TransferProtocol::DataPacketCount(size);
    ASSERT_EQ(sim->Reports().size(), 1);
    const TransferReport r = sim->Reports().first();
    EXPECT_TRUE(r.violation.isEmpty()) << r.violation.toStdString();
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(r.announcedPackets, n + 1);
    EXPECT_EQ(r.packetsReceived, n + 1);
    EXPECT_EQ(r.title, QStringLiteral("Hall"));
    EXPECT_EQ(r.firstAck, QByteArray(window ? "2" : "1"));
    EXPECT_EQ(sim->LastPackage(), bytes);
    // The percentage counts against n: 100 is reached one acknowledgement early, and
    // the line never goes beyond it.
    EXPECT_EQ(outcome.percentLines.last(), QStringLiteral(" 100%"));
    int previous = -1;
    for (const QString& line : outcome.percentLines) {
        const int value = line.trimmed().chopped(1).toInt();
        EXPECT_GT(value, previous);
        EXPECT_LE(value, 100);
        previous = value;
    }
}

INSTANTIATE_TEST_SUITE_P(BothModes, TransferSizes,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(1002, 1003)));

class LargeTransfer : public ::testing::TestWithParam<bool> {};

TEST_P(LargeTransfer, FiftyMegabytesArriveWhole)
{
    TestFolder dir;
    const QString path = dir.Path(QStringLiteral("big.zip"));
    const QByteArray bytes = PatternBytes(50 * 1000 * 1000 + 777, 50);
    ASSERT_TRUE(WriteFile(path, bytes));
    PanelSimOptions options;
    options.windowMode = GetParam();
    auto sim = StartSimulator(options);
    const Outcome outcome = SendFile(path, *sim);
    EXPECT_EQ(outcome.key, QStringLiteral("189"));
    ASSERT_EQ(sim->Reports().size(), 1);
    EXPECT_TRUE(sim->Reports().first().violation.isEmpty()) << sim->Reports().first().violation.toStdString();
    EXPECT_EQ(sim->Reports().first().packetsReceived, TransferProtocol::DataPacketCount(bytes.size()) + 1);
    EXPECT_TRUE(sim->LastPackage() == bytes);
    // Every whole percent is shown once, in order.
    EXPECT_EQ(outcome.percentLines.first(), QStringLiteral(" 0%"));
    EXPECT_EQ(outcome.percentLines.last(), QStringLiteral(" 100%"));
}

INSTANTIATE_TEST_SUITE_P(BothModes, LargeTransfer, ::testing::Bool());

TEST(TransmissionEngine, EachFailureEndsWithItsKey)
{
    TestFolder dir;
    const QString package = dir.Path(QStringLiteral("p.zip"));
    ASSERT_TRUE(WriteFile(package, PatternBytes(20000, 5)));

    {
        SCOPED_TRACE("nothing listening");
        TransmissionEngine engine;
        engine.SetPort(FreePort());
        EXPECT_EQ(RunTransfer(engine, [&] { engine.StartWithPackage(QStringLiteral("127.0.0.1"), package, QStringLiteral("Hall")); }).key,
                  QStringLiteral("197"));
        EXPECT_FALSE(engine.IsRunning());
        EXPECT_EQ(engine.StatusText(), Translate("197"));
    }
    {
        SCOPED_TRACE("device closes");
        PanelSimOptions options;
        options.closeAfterPackets = 4;
        auto sim = StartSimulator(options);
        EXPECT_EQ(SendFile(package, *sim).key, QStringLiteral("306"));
    }
    for (bool window : {true, false}) {
        SCOPED_TRACE(window ? "device stops acknowledging, window" : "device stops acknowledging, stop-and-wait");
        PanelSimOptions options;
        options.windowMode = window;
        options.stopAckAfterPackets = 3;
        auto sim = StartSimulator(options);
        EXPECT_EQ(SendFile(package, *sim).key, QStringLiteral("199"));
    }
    {
        SCOPED_TRACE("package unreadable");
        auto sim = StartSimulator();
        const Outcome outcome = SendFile(dir.Path(QStringLiteral("missing.zip")), *sim);
        EXPECT_EQ(outcome.key, QStringLiteral("194"));
        EXPECT_EQ(outcome.statusKeys.last(), QStringLiteral("194"));
    }
    {
        // Acknowledgements beyond n + 1 never equal it: nothing more is sent and the
        // watchdog ends the transfer.
        SCOPED_TRACE("over-acknowledging device");
        PanelSimOptions options;
        options.windowMode = false;
        options.ackBytesPerPacket = 2;
        auto sim = StartSimulator(options);
        EXPECT_EQ(SendFile(package, *sim).key, QStringLiteral("199"));
    }
    // Bytes that acknowledge nothing never add up to a success. The package has
    // n = 20 data packets, so 21 bytes would count as every acknowledgement.
    const struct {
        const char* device;
        int onConnect;
        int onFirstPacket;
    } strays[] = {
        {"one byte on connecting, nothing more", 1, 0},
        {"21 bytes on connecting, nothing more", 21, 0},
        {"21 bytes for the announcement alone", 0, 21},
    };
    for (const auto& stray : strays) {
        SCOPED_TRACE(stray.device);
        RawDevice device(stray.onConnect, stray.onFirstPacket);
        TransmissionEngine engine;
        engine.SetPort(device.Port());
        EXPECT_EQ(RunTransfer(engine, [&] { engine.StartWithPackage(QStringLiteral("127.0.0.1"), package, QStringLiteral("Hall")); }).key,
                  QStringLiteral("199"));
    }
    // A project folder renamed or emptied under the dialog packs into a package without
    // the data file: refused before any connection.
    WriteFile(dir.Path(QStringLiteral("Hall/PHOTO/a.png")), PatternBytes(3000, 3));
    for (const char* folder : {"Hall", "Gone"}) {
        SCOPED_TRACE(folder);
        auto sim = StartSimulator();
        TransmissionEngine engine;
        engine.SetPort(sim->TcpPort());
        engine.SetPackagePath(dir.Path(QStringLiteral("temp.zip")));
        const QString projectFolder = dir.Path(QLatin1String(folder));
        const Outcome outcome =
            RunTransfer(engine, [&] { engine.Start(QStringLiteral("127.0.0.1"), projectFolder, QLatin1String(folder)); });
        EXPECT_EQ(outcome.key, QStringLiteral("1407"));
        EXPECT_EQ(engine.StatusText(), TranslateFormat("1407", {QLatin1String(folder) + QStringLiteral(".mvl")}));
        QCoreApplication::processEvents();
        EXPECT_TRUE(sim->Reports().isEmpty()) << "nothing reaches the device";
    }
}

TEST(TransmissionEngine, SlowAndBatchedAcknowledgementsStillSucceed)
{
    TestFolder dir;
    const QString package = dir.Path(QStringLiteral("p.zip"));
    const QByteArray bytes = PatternBytes(60000, 6);
    ASSERT_TRUE(WriteFile(package, bytes));
    {
        SCOPED_TRACE("slow");
        PanelSimOptions options;
        options.windowMode = false;
        options.ackDelayMs = 15;
        auto sim = StartSimulator(options);
        EXPECT_EQ(SendFile(package, *sim).key, QStringLiteral("189"));
        EXPECT_EQ(sim->LastPackage(), bytes);
    }
    {
        SCOPED_TRACE("batched");
        PanelSimOptions options;
        options.ackBatch = 7;
        auto sim = StartSimulator(options);
        EXPECT_EQ(SendFile(package, *sim).key, QStringLiteral("189"));
        EXPECT_EQ(sim->LastPackage(), bytes);
    }
}

TEST(TransmissionEngine, PacksAProjectFolderAndTheDeviceUnpacksIt)
{
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("Lobby.v3"));
    WriteFile(folder + QStringLiteral("/Lobby.mvl"), PatternBytes(3000, 1));
    WriteFile(folder + QStringLiteral("/PHOTO/bg.png"), PatternBytes(150000, 2));
    WriteFile(folder + QStringLiteral("/.backup"), "not sent");
    const QString package = dir.Path(QStringLiteral("temp.zip"));
    PanelSimOptions options;
    options.outputFolder = dir.Path(QStringLiteral("device"));
    auto sim = StartSimulator(options);
    {
        TransmissionEngine engine;
        engine.SetPort(sim->TcpPort());
        engine.SetPackagePath(package);
        const Outcome outcome = RunTransfer(engine, [&] {
            engine.Start(QStringLiteral("127.0.0.1"), folder, QStringLiteral("Lobby"));
        });
        EXPECT_EQ(outcome.key, QStringLiteral("189"));
        EXPECT_EQ(outcome.statusKeys.first(), QStringLiteral("188"));
        EXPECT_TRUE(QFileInfo::exists(package));
    }
    // The engine built the package, so it removes it when it goes.
    EXPECT_FALSE(QFileInfo::exists(package));
    ASSERT_EQ(sim->Reports().size(), 1);
    const TransferReport r = sim->Reports().first();
    EXPECT_EQ(r.title, QStringLiteral("Lobby"));
    EXPECT_TRUE(r.unpack.refused.isEmpty());
    EXPECT_EQ(ReadFile(dir.Path(QStringLiteral("device/Lobby/PHOTO/bg.png"))), PatternBytes(150000, 2));
    EXPECT_EQ(ReadFile(dir.Path(QStringLiteral("device/Lobby/Lobby.mvl"))), PatternBytes(3000, 1));
    EXPECT_FALSE(QFileInfo::exists(dir.Path(QStringLiteral("device/Lobby/.backup"))));
}

// The device keeps 129 units of the title; the package's top folder is cut the same way
// so that the device finds the project under the name it was told.
TEST(TransmissionEngine, LongTitleIsCutAlikeInAnnouncementAndPackage)
{
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("p"));
    WriteFile(folder + QStringLiteral("/p.mvl"), "x");
    const QString title(140, u'T');
    PanelSimOptions options;
    options.outputFolder = dir.Path(QStringLiteral("device"));
    auto sim = StartSimulator(options);
    TransmissionEngine engine;
    engine.SetPort(sim->TcpPort());
    engine.SetPackagePath(dir.Path(QStringLiteral("temp.zip")));
    EXPECT_EQ(RunTransfer(engine, [&] { engine.Start(QStringLiteral("127.0.0.1"), folder, title); }).key, QStringLiteral("189"));
    ASSERT_EQ(sim->Reports().size(), 1);
    EXPECT_EQ(sim->Reports().first().title, QString(129, u'T'));
    EXPECT_TRUE(QFileInfo::exists(dir.Path(QStringLiteral("device/") + QString(129, u'T') + QStringLiteral("/p.mvl"))));
}

// Stop while packing: the finished package belongs to no transfer and no connection is
// opened for it.
TEST(TransmissionEngine, PackageReadyAfterStopIsIgnored)
{
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("Hall"));
    for (int i = 0; i < 4; ++i)
        WriteFile(folder + QStringLiteral("/f%1.bin").arg(i), PatternBytes(2000000, static_cast<quint32>(i)));
    WriteFile(folder + QStringLiteral("/Hall.mvl"), "8001");
    auto sim = StartSimulator();
    int connections = 0;
    QObject::connect(sim.get(), &PanelSimulator::Log, [&](const QString& line) {
        connections += line.startsWith(QStringLiteral("connection")) ? 1 : 0;
    });
    TransmissionEngine engine;
    engine.SetPort(sim->TcpPort());
    engine.SetPackagePath(dir.Path(QStringLiteral("temp.zip")));
    QStringList keys;
    QObject::connect(&engine, &TransmissionEngine::StatusChanged, [&] { keys.append(engine.LastStatusKey()); });
    engine.Start(QStringLiteral("127.0.0.1"), folder, QStringLiteral("Hall"));
    EXPECT_TRUE(engine.IsRunning());
    engine.Stop();
    EXPECT_FALSE(engine.IsRunning());
    WaitFor([] { return false; }, 600);
    EXPECT_EQ(keys, QStringList{QStringLiteral("188")});
    EXPECT_EQ(connections, 0);
    // Whatever was packed until then is a valid archive (possibly without entries).
    EXPECT_EQ(PythonZipTest(dir.Path(QStringLiteral("temp.zip"))).status, 0);

    // The engine is ready for the next transfer at once.
    EXPECT_EQ(RunTransfer(engine, [&] { engine.Start(QStringLiteral("127.0.0.1"), folder, QStringLiteral("Hall")); }).key,
              QStringLiteral("189"));
}

TEST(TransmissionEngine, RemembersTheTypedAddressInTheSettings)
{
    ScopedAppFolder app;
    EXPECT_EQ(TransmissionEngine::LoadRememberedAddress(), QString());
    ASSERT_TRUE(TransmissionEngine::RememberAddress(QStringLiteral("192.168.5.77")));
    EXPECT_EQ(TransmissionEngine::LoadRememberedAddress(), QStringLiteral("192.168.5.77"));
    const QByteArray ini = ReadFile(app.Path() + QStringLiteral("/DATA/INI/APPDATA"));
    EXPECT_TRUE(ini.contains("[Info]"));
    EXPECT_TRUE(ini.contains("TransmissionIP=192.168.5.77"));
}

TEST(PanelSimulator, ClosesAConnectionThatStaysSilent)
{
    PanelSimOptions options;
    options.idleTimeoutMs = 200;
    auto sim = StartSimulator(options);
    QTcpSocket silent;
    silent.connectToHost(QHostAddress::LocalHost, sim->TcpPort());
    ASSERT_TRUE(WaitFor([&] { return silent.state() == QAbstractSocket::ConnectedState; }, 5000));
    EXPECT_TRUE(WaitFor([&] { return silent.state() == QAbstractSocket::UnconnectedState; }, 5000));
    ASSERT_EQ(sim->Reports().size(), 1);
    EXPECT_TRUE(sim->Reports().first().end.contains(QStringLiteral("without data")));
}
