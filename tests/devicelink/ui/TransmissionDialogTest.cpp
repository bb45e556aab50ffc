#include "devicelink/ui/CTransmissionProjectDlg.h"

#include "base/Translation.h"
#include "controls/ui/CIpAddressEdit.h"
#include "devicelink/DeviceLinkTestUtil.h"
#include "panelsim/PanelSimulator.h"
#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include <QLabel>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <memory>

using namespace DeviceLinkTest;

namespace {

class FrameOwner : public TransmissionProjectDlgDelegate {};

struct DialogParts {
    explicit DialogParts(CTransmissionProjectDlg& d)
        : start(d.findChild<QPushButton*>(QStringLiteral("startButton"))),
          stop(d.findChild<QPushButton*>(QStringLiteral("stopButton"))),
          find(d.findChild<QPushButton*>(QStringLiteral("findButton"))),
          manual(d.findChild<QPushButton*>(QStringLiteral("manualButton"))),
          status(d.findChild<QLabel*>(QStringLiteral("statusText"))),
          tree(d.findChild<QTreeWidget*>(QStringLiteral("deviceTree"))),
          address(d.findChild<CIpAddressEdit*>(QStringLiteral("addressEdit"))),
          note(d.findChild<QLabel*>(QStringLiteral("findNote")))
    {
    }
    QPushButton* start;
    QPushButton* stop;
    QPushButton* find;
    QPushButton* manual;
    QLabel* status;
    QTreeWidget* tree;
    CIpAddressEdit* address;
    QLabel* note;
};

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

// A device that answers every search late, claiming an address another device has.
class LateDevice {
public:
    explicit LateDevice(quint32 address) : address(address)
    {
        socket.bind(QHostAddress::LocalHost, 0);
        QObject::connect(&socket, &QUdpSocket::readyRead, [this] {
            while (socket.hasPendingDatagrams()) {
                const QNetworkDatagram d = socket.receiveDatagram();
                quint32 nonce = 0;
                if (!DeviceDiscovery::ParseProbe(d.data(), nonce))
                    continue;
                const tagDeviceInfo info = DeviceDiscovery::MakeDeviceInfo("LATE", this->address, nonce, 48688);
                const QHostAddress to = d.senderAddress();
                const quint16 port = static_cast<quint16>(d.senderPort());
                QTimer::singleShot(120, &socket, [this, info, to, port] {
                    socket.writeDatagram(reinterpret_cast<const char*>(&info), sizeof(info), to, port);
                });
            }
        });
    }
    quint16 Port() const { return socket.localPort(); }

private:
    quint32 address;
    QUdpSocket socket;
};

QStringList TreeTexts(QTreeWidget* tree)
{
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        texts.append(tree->topLevelItem(i)->text(0));
    return texts;
}

DeviceDiscovery::Target Loopback(quint16 port)
{
    return {QHostAddress(QHostAddress::LocalHost), port};
}

} // namespace

TEST(TransmissionDialog, OpensInManualModeWithTheRememberedAddress)
{
    ScopedAppFolder app;
    ASSERT_TRUE(TransmissionEngine::RememberAddress(QStringLiteral("192.168.9.9")));
    FrameOwner owner;
    CTransmissionProjectDlg dialog(&owner, QStringLiteral("/projects/Hall.v2"), QString());
    dialog.show();
    DialogParts p(dialog);
    EXPECT_EQ(dialog.ProjectTitle(), QStringLiteral("Hall"));
    EXPECT_EQ(dialog.windowTitle(), Translate("185"));
    EXPECT_TRUE(p.start->isEnabled());
    EXPECT_FALSE(p.stop->isEnabled());
    EXPECT_FALSE(dialog.IsFindMode());
    EXPECT_TRUE(p.address->isVisible());
    EXPECT_FALSE(p.tree->isVisible());
    EXPECT_FALSE(p.note->isVisible());
    EXPECT_EQ(p.address->Text(), QStringLiteral("192.168.9.9"));

    // Long failure texts wrap instead of losing their end.
    EXPECT_TRUE(p.status->wordWrap());

    // Enter never ends the dialog; Escape and the Close button do, like the close box.
    QTest::keyClick(p.address, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    auto* close = dialog.findChild<QPushButton*>(QStringLiteral("closeButton"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), Translate("962"));
    dialog.show();
    close->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST(TransmissionDialog, ManualModeRefusesAnIncompleteAddressButRemembersIt)
{
    ScopedAppFolder app;
    ScriptedUi ui;
    FrameOwner owner;
    CTransmissionProjectDlg dialog(&owner, QStringLiteral("/projects/Hall"), QStringLiteral("Hall"));
    dialog.show();
    DialogParts p(dialog);
    p.address->SetAddressText(QStringLiteral("192.168.1"));
    p.start->click();
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, Translate("990"));
    EXPECT_EQ(ui.messages[0].caption, Translate("70"));
    EXPECT_FALSE(dialog.Engine().IsRunning());
    EXPECT_EQ(TransmissionEngine::LoadRememberedAddress(), QStringLiteral("192.168.1."));
}

TEST(TransmissionDialog, SendsInManualModeAndRemembersTheAddress)
{
    ScopedAppFolder app;
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("Hall"));
    WriteFile(folder + QStringLiteral("/Hall.mvl"), PatternBytes(5000, 1));
    PanelSimOptions options;
    options.tcpPort = 0;
    options.discovery = false;
    PanelSimulator sim(options);
    ASSERT_TRUE(sim.Start());

    FrameOwner owner;
    {
        CTransmissionProjectDlg dialog(&owner, folder, QStringLiteral("Hall"));
        dialog.Engine().SetPort(sim.TcpPort());
        dialog.show();
        DialogParts p(dialog);
        p.address->SetAddressText(QStringLiteral("127.0.0.1"));
        p.start->click();
        EXPECT_FALSE(p.start->isEnabled());
        EXPECT_TRUE(p.stop->isEnabled());
        ASSERT_TRUE(WaitFor([&] { return p.status->text() == Translate("189"); }, 10000)) << p.status->text().toStdString();
        EXPECT_TRUE(p.start->isEnabled());
        EXPECT_FALSE(p.stop->isEnabled());
        EXPECT_EQ(TransmissionEngine::LoadRememberedAddress(), QStringLiteral("127.0.0.1"));
        EXPECT_TRUE(QFileInfo::exists(app.Path() + QStringLiteral("/DATA/TEMP/temp.zip")));

        // Stop empties the status line.
        p.stop->setEnabled(true);
        p.stop->click();
        EXPECT_TRUE(p.status->text().isEmpty());
    }
    // The package goes with the dialog.
    EXPECT_FALSE(QFileInfo::exists(app.Path() + QStringLiteral("/DATA/TEMP/temp.zip")));
    ASSERT_EQ(sim.Reports().size(), 1);
    EXPECT_TRUE(sim.Reports().first().complete);
}

// Two devices answer, a third answers late with an address already listed: one row per
// address, the first report kept, rows in ascending address order.
TEST(TransmissionDialog, FindListsEachAddressOnceInAscendingOrder)
{
    ScopedAppFolder app;
    ScriptedUi ui;
    auto hall = Device("HALL", QStringLiteral("192.168.1.20"));
    auto anonymous = Device("", QStringLiteral("192.168.1.5"));
    LateDevice late(0xC0A80114u); // 192.168.1.20
    FrameOwner owner;
    CTransmissionProjectDlg dialog(&owner, QStringLiteral("/projects/Hall"), QStringLiteral("Hall"));
    dialog.Finder().SetTargets({Loopback(hall->UdpPort()), Loopback(anonymous->UdpPort()), Loopback(late.Port())});
    dialog.Finder().SetSearchTime(500);
    dialog.show();
    DialogParts p(dialog);

    p.find->click();
    EXPECT_TRUE(dialog.IsFindMode());
    EXPECT_TRUE(p.tree->isVisible());
    EXPECT_TRUE(p.note->isVisible());
    EXPECT_FALSE(p.address->isVisible());
    for (QWidget* w : {static_cast<QWidget*>(p.start), static_cast<QWidget*>(p.stop), static_cast<QWidget*>(p.find),
                       static_cast<QWidget*>(p.manual), static_cast<QWidget*>(p.tree)})
        EXPECT_FALSE(w->isEnabled());
    ASSERT_TRUE(WaitFor([&] { return p.find->isEnabled(); }, 3000));

    EXPECT_EQ(TreeTexts(p.tree), (QStringList{QStringLiteral("192.168.1.5"), QStringLiteral("192.168.1.20 : HALL")}));
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_TRUE(p.start->isEnabled());
    EXPECT_FALSE(p.stop->isEnabled());
    EXPECT_TRUE(p.manual->isEnabled());

    // Start without a chosen device asks for one.
    p.tree->clearSelection();
    p.start->click();
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, Translate("216"));
    EXPECT_FALSE(dialog.Engine().IsRunning());

    p.manual->click();
    EXPECT_FALSE(dialog.IsFindMode());
    EXPECT_TRUE(p.address->isVisible());
    EXPECT_FALSE(p.tree->isVisible());
}

TEST(TransmissionDialog, FindWithoutAnswersSaysSo)
{
    ScopedAppFolder app;
    ScriptedUi ui;
    QUdpSocket silent;
    ASSERT_TRUE(silent.bind(QHostAddress::LocalHost, 0));
    FrameOwner owner;
    CTransmissionProjectDlg dialog(&owner, QStringLiteral("/projects/Hall"), QStringLiteral("Hall"));
    dialog.Finder().SetTargets({Loopback(silent.localPort())});
    dialog.Finder().SetSearchTime(300);
    dialog.show();
    DialogParts p(dialog);
    p.find->click();
    ASSERT_TRUE(WaitFor([&] { return p.find->isEnabled(); }, 3000));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, Translate("218"));
    EXPECT_EQ(p.tree->topLevelItemCount(), 0);
}

TEST(TransmissionDialog, StartInFindModeSendsToTheChosenDevice)
{
    ScopedAppFolder app;
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("Lobby"));
    WriteFile(folder + QStringLiteral("/Lobby.mvl"), PatternBytes(3000, 2));
    PanelSimOptions options;
    options.tcpPort = 0;
    options.udpPort = 0;
    options.deviceId = "PANEL-7";
    options.windowMode = false;
    PanelSimulator sim(options);
    ASSERT_TRUE(sim.Start());

    FrameOwner owner;
    CTransmissionProjectDlg dialog(&owner, folder, QStringLiteral("Lobby"));
    dialog.Finder().SetTargets({Loopback(sim.UdpPort())});
    dialog.Finder().SetSearchTime(300);
    dialog.Engine().SetPort(sim.TcpPort());
    dialog.show();
    DialogParts p(dialog);
    p.find->click();
    ASSERT_TRUE(WaitFor([&] { return p.find->isEnabled(); }, 3000));
    ASSERT_EQ(TreeTexts(p.tree), QStringList{QStringLiteral("127.0.0.1 : PANEL-7")});
    p.tree->setCurrentItem(p.tree->topLevelItem(0));
    p.start->click();
    ASSERT_TRUE(WaitFor([&] { return p.status->text() == Translate("189"); }, 10000)) << p.status->text().toStdString();
    EXPECT_EQ(dialog.Engine().TargetAddress(), QStringLiteral("127.0.0.1"));
    // Find mode does not touch the remembered address.
    EXPECT_EQ(TransmissionEngine::LoadRememberedAddress(), QString());
}
