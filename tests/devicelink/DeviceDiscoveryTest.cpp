#include "devicelink/DeviceDiscovery.h"

#include "DeviceLinkTestUtil.h"
#include "base/AnsiCodePage.h"
#include "panelsim/PanelSimulator.h"

#include <QUdpSocket>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

using namespace DeviceLinkTest;

namespace {

struct Collected {
    std::vector<tagDeviceInfo> found;
    int code = -1;
    int doneCalls = 0;
};

void OnFound(const tagDeviceInfo& info, void* user)
{
    static_cast<Collected*>(user)->found.push_back(info);
}

void OnDone(int code, void* user)
{
    auto* c = static_cast<Collected*>(user);
    c->code = code;
    ++c->doneCalls;
}

std::unique_ptr<PanelSimulator> Device(const QByteArray& id, const QString& reported)
{
    PanelSimOptions options;
    options.tcpPort = 0;
    options.udpPort = 0;
    options.deviceId = id;
    options.reportAddress = QHostAddress(reported);
    auto sim = std::make_unique<PanelSimulator>(options);
    EXPECT_TRUE(sim->Start());
    return sim;
}

DeviceDiscovery::Target Loopback(quint16 port)
{
    return {QHostAddress(QHostAddress::LocalHost), port};
}

} // namespace

TEST(DeviceDiscovery, RecordCarriesIdAndAddressWhereTheEditorReadsThem)
{
    const QByteArray id = AnsiCodePage::Encode(QStringLiteral("会议室面板"));
    const tagDeviceInfo info = DeviceDiscovery::MakeDeviceInfo(id, 0xC0A8010Au, 77, 48688);
    const unsigned char* raw = reinterpret_cast<const unsigned char*>(&info);
    EXPECT_EQ(std::memcmp(raw + 2, id.constData(), static_cast<size_t>(id.size())), 0);
    EXPECT_EQ(raw[2 + id.size()], 0);
    EXPECT_EQ(raw[22], 192);
    EXPECT_EQ(raw[23], 168);
    EXPECT_EQ(raw[24], 1);
    EXPECT_EQ(raw[25], 10);
    EXPECT_EQ(DeviceDiscovery::AddressText(info), QStringLiteral("192.168.1.10"));
    EXPECT_EQ(DeviceDiscovery::IdText(info), QStringLiteral("会议室面板"));

    tagDeviceInfo parsed;
    const QByteArray datagram(reinterpret_cast<const char*>(&info), sizeof(info));
    EXPECT_TRUE(DeviceDiscovery::ParseDeviceInfo(datagram, 77, parsed));
    EXPECT_FALSE(DeviceDiscovery::ParseDeviceInfo(datagram, 78, parsed)); // another search's answer
    EXPECT_FALSE(DeviceDiscovery::ParseDeviceInfo(datagram.left(41), 77, parsed));

    // An ID of 20 bytes or more is cut so that its terminator always fits.
    const tagDeviceInfo longId = DeviceDiscovery::MakeDeviceInfo(QByteArray(30, 'A'), 1, 1, 1);
    EXPECT_EQ(longId.id[19], 0);
    EXPECT_EQ(DeviceDiscovery::IdText(longId), QString(19, u'A'));

    quint32 nonce = 0;
    EXPECT_TRUE(DeviceDiscovery::ParseProbe(DeviceDiscovery::BuildProbe(0xDEADBEEF), nonce));
    EXPECT_EQ(nonce, 0xDEADBEEFu);
    EXPECT_FALSE(DeviceDiscovery::ParseProbe(QByteArray("MVDQ"), nonce));
}

TEST(DeviceDiscovery, DecidesWhetherAnIdIsWorthShowing)
{
    auto decide = [](const QByteArray& field) {
        unsigned char id[20] = {};
        std::memcpy(id, field.constData(), static_cast<size_t>(std::min<qsizetype>(field.size(), 20)));
        return lib_decideDeviceInfoIdExist(id);
    };
    EXPECT_TRUE(decide("PANEL-01"));
    EXPECT_TRUE(decide(AnsiCodePage::Encode(QStringLiteral("大厅"))));
    EXPECT_FALSE(decide(""));
    EXPECT_FALSE(decide("   "));
    EXPECT_FALSE(decide("AB\x01" "C"));
    EXPECT_FALSE(decide(QByteArray(20, 'x'))); // no terminator within the field
}

TEST(DeviceDiscovery, FinderReportsEveryAnswerThenItsResult)
{
    auto a = Device("LOBBY", QStringLiteral("192.168.1.20"));
    auto b = Device("HALL", QStringLiteral("192.168.1.5"));
    DeviceFinder finder;
    finder.SetTargets({Loopback(a->UdpPort()), Loopback(b->UdpPort())});
    finder.SetSearchTime(400);
    Collected c;
    ASSERT_TRUE(finder.FindDevice(&OnDone, &OnFound, &c));
    EXPECT_FALSE(finder.FindDevice(&OnDone, &OnFound, &c)); // one search at a time
    ASSERT_TRUE(WaitFor([&] { return c.doneCalls > 0; }, 3000));
    EXPECT_EQ(c.code, DeviceDiscovery::kFound);
    EXPECT_EQ(c.doneCalls, 1);
    // The probe is sent twice, so each device may answer twice; both are reported.
    QStringList ids;
    for (const tagDeviceInfo& info : c.found)
        ids.append(DeviceDiscovery::IdText(info));
    EXPECT_TRUE(ids.contains(QStringLiteral("LOBBY")));
    EXPECT_TRUE(ids.contains(QStringLiteral("HALL")));
    EXPECT_GE(a->ProbesAnswered(), 1);
    EXPECT_FALSE(finder.IsSearching());
}

TEST(DeviceDiscovery, ResultCodesForNoAnswerAndNoTarget)
{
    // A UDP port held by a socket that never answers.
    QUdpSocket silent;
    ASSERT_TRUE(silent.bind(QHostAddress::LocalHost, 0));
    DeviceFinder finder;
    finder.SetSearchTime(300);
    finder.SetTargets({Loopback(silent.localPort())});
    Collected nobody;
    ASSERT_TRUE(finder.FindDevice(&OnDone, &OnFound, &nobody));
    ASSERT_TRUE(WaitFor([&] { return nobody.doneCalls > 0; }, 3000));
    EXPECT_EQ(nobody.code, DeviceDiscovery::kNothingFound);
    EXPECT_TRUE(nobody.found.empty());
    EXPECT_TRUE(silent.hasPendingDatagrams()); // the probe did arrive

    finder.SetTargets({});
    Collected none;
    ASSERT_TRUE(finder.FindDevice(&OnDone, &OnFound, &none));
    EXPECT_EQ(none.doneCalls, 0); // never reported from inside FindDevice
    ASSERT_TRUE(WaitFor([&] { return none.doneCalls > 0; }, 1000));
    EXPECT_EQ(none.code, DeviceDiscovery::kNoNetwork);
}

TEST(DeviceDiscovery, CancelledSearchReportsNothing)
{
    auto a = Device("LOBBY", QStringLiteral("10.0.0.1"));
    Collected c;
    {
        DeviceFinder finder;
        finder.SetTargets({Loopback(a->UdpPort())});
        finder.SetSearchTime(300);
        ASSERT_TRUE(finder.FindDevice(&OnDone, &OnFound, &c));
        finder.Cancel();
        EXPECT_FALSE(finder.IsSearching());
    }
    WaitFor([] { return false; }, 400);
    EXPECT_EQ(c.doneCalls, 0);
    EXPECT_TRUE(c.found.empty());
}

TEST(DeviceDiscovery, BroadcastTargetsAreIPv4AndNeverLoopback)
{
    // Only lists the interfaces; nothing is sent.
    for (const DeviceDiscovery::Target& t : DeviceDiscovery::BroadcastTargets()) {
        EXPECT_EQ(t.address.protocol(), QAbstractSocket::IPv4Protocol);
        EXPECT_FALSE(t.address.isLoopback());
        EXPECT_EQ(t.port, DeviceDiscovery::kDiscoveryPort);
    }
}
