// Platform and service controls: their records (older layouts included), the address,
// port and range checks of their settings, and what they describe.

#include "ControlFixture.h"

#include "base/Translation.h"
#include "controls/XAccount.h"
#include "controls/XDaHua.h"
#include "controls/XFavorites.h"
#include "controls/XLogin.h"
#include "controls/XPlaceholder.h"
#include "controls/XRVS.h"
#include "controls/XRecording.h"
#include "model/ElementTypes.h"
#include "model/MyFile.h"
#include "model/PropertyGridModel.h"
#include "model/TypeRegistry.h"

#include <QFileInfo>
#include <QJsonObject>

#include <functional>
#include <memory>

namespace {

// A record written item by item: version, type, name, the two points, then the items.
QByteArray Hand(int version, int type, const std::function<void(MyFile&)>& items)
{
    MyFile f;
    f.OpenWriteMemory();
    f.WriteByte(version);
    f.WriteByte(type);
    f.WriteString(QStringLiteral("P1"));
    for (qint32 v : {12, -4, 212, 96})
        f.WriteDword(v);
    items(f);
    return f.Written();
}

} // namespace

class PlatformTest : public ControlFixture {
protected:
    // Reads the record; it must come back as the same bytes.
    XControl* ReadBack(const QByteArray& bytes)
    {
        XControl* c = Read(bytes);
        EXPECT_NE(c, nullptr);
        if (c)
            EXPECT_EQ(Record(*c).toHex(), bytes.toHex());
        return c;
    }
};

TEST_F(PlatformTest, EveryRecordRoundTripsByteForByte)
{
    using namespace ElementType;
    const QString user = QStringLiteral("  管理员 ");
    const QString pass = QStringLiteral(" p;w ");
    auto* dahua = dynamic_cast<XDaHua*>(ReadBack(Hand(0, kDaHua, [&](MyFile& f) {
        f.WriteWord(1);
        f.WriteString(QStringLiteral("10.0.0.1"));
        f.WriteWord(37777);
        f.WriteWord(0);
        f.WriteString(QStringLiteral("10.0.0.2"));
        f.WriteWord(65535);
        f.WriteString(user);
        f.WriteString(pass);
    })));
    ASSERT_NE(dahua, nullptr);
    EXPECT_EQ(dahua->server1Port, 37777);
    EXPECT_EQ(dahua->server2Address, QStringLiteral("10.0.0.2"));
    EXPECT_EQ(dahua->userName, user);
    EXPECT_EQ(dahua->password, pass);

    auto* ivms = dynamic_cast<XIVMS8200*>(ReadBack(Hand(1, kIVMS8200, [](MyFile& f) {
        f.WriteWord(0);
        f.WriteString(QStringLiteral("1.2.3.4"));
        f.WriteWord(81);
        f.WriteWord(1);
        f.WriteString(QString());
        f.WriteWord(82);
    })));
    ASSERT_NE(ivms, nullptr);
    EXPECT_EQ(ivms->server2Enabled, 1);
    EXPECT_EQ(ivms->server2Port, 82);

    for (const int type : {kRVS, kMeiDian}) {
        auto* rvs = dynamic_cast<XRVS*>(ReadBack(Hand(0, type, [](MyFile& f) {
            f.WriteString(QStringLiteral("172.16.0.9"));
            f.WriteWord(9000);
            f.WriteString(QStringLiteral("u"));
            f.WriteString(QStringLiteral("pw"));
        })));
        ASSERT_NE(rvs, nullptr);
        EXPECT_EQ(rvs->GetType(), type);
        EXPECT_EQ(rvs->serverPort, 9000);
    }

    auto* rec = dynamic_cast<XRecording*>(ReadBack(Hand(0, kRecording, [](MyFile& f) {
        f.WriteWord(1000);
        f.WriteString(QStringLiteral("NVR"));
        f.WriteString(QStringLiteral("192.168.0.5"));
        f.WriteWord(48000);
        f.WriteWord(7);
        f.WriteWord(9);
    })));
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->recorderId, 1000);
    EXPECT_EQ(rec->recordValue2, 9);

    EXPECT_NE(dynamic_cast<XHost*>(ReadBack(Hand(0, kHost, [](MyFile&) {}))), nullptr);
    auto* search = dynamic_cast<XSearch*>(ReadBack(Hand(1, kSearch, [](MyFile& f) { f.WriteWord(20); })));
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->resultCount, 20);
    auto* devices = dynamic_cast<XDevices*>(ReadBack(Hand(1, kDevices, [](MyFile& f) {
        f.WriteColor(MakeRgb(1, 2, 3));
        f.WriteColor(MakeRgb(4, 5, 6));
    })));
    ASSERT_NE(devices, nullptr);
    EXPECT_EQ(devices->textColor, MakeRgb(4, 5, 6));
}

TEST_F(PlatformTest, NewControlsWriteTheirDefaults)
{
    using namespace ElementType;
    auto* dahua = Add<XDaHua>(12, -4, 200, 100);
    dahua->name = QStringLiteral("P1");
    EXPECT_EQ(Record(*dahua).toHex(), Hand(0, kDaHua, [](MyFile& f) {
                  for (int server = 0; server < 2; ++server) {
                      f.WriteWord(0);
                      f.WriteString(QString());
                      f.WriteWord(80);
                  }
                  f.WriteString(QString());
                  f.WriteString(QString());
              }).toHex());
    auto* rec = Add<XRecording>(12, -4, 200, 100);
    rec->name = QStringLiteral("P1");
    EXPECT_EQ(Record(*rec).toHex(), Hand(0, kRecording, [](MyFile& f) {
                  f.WriteWord(0);
                  f.WriteString(QString());
                  f.WriteString(QString());
                  f.WriteWord(48659);
                  f.WriteWord(150);
                  f.WriteWord(100);
              }).toHex());
    auto* rvs = Add<XRVS>(12, -4, 200, 100);
    EXPECT_EQ(rvs->serverPort, 8080);
}

TEST_F(PlatformTest, OlderLayoutsLoadAndAreWrittenInTheCurrentOne)
{
    using namespace ElementType;
    // Version 0 of the iVMS-8200: one server, then two strings no longer used.
    auto* ivms = dynamic_cast<XIVMS8200*>(Read(Hand(0, kIVMS8200, [](MyFile& f) {
        f.WriteString(QStringLiteral("10.1.1.1"));
        f.WriteWord(8000);
        f.WriteString(QStringLiteral("old-a"));
        f.WriteString(QStringLiteral("old-b"));
    })));
    ASSERT_NE(ivms, nullptr);
    EXPECT_EQ(ivms->server1Enabled, 1);
    EXPECT_EQ(ivms->server2Enabled, 0);
    EXPECT_EQ(Record(*ivms).toHex(), Hand(1, kIVMS8200, [](MyFile& f) {
                  f.WriteWord(1);
                  f.WriteString(QStringLiteral("10.1.1.1"));
                  f.WriteWord(8000);
                  f.WriteWord(0);
                  f.WriteString(QString());
                  f.WriteWord(80);
              }).toHex());

    // Version 0 of the search and device panels: the common part only.
    auto* search = dynamic_cast<XSearch*>(Read(Hand(0, kSearch, [](MyFile&) {})));
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(Record(*search).toHex(), Hand(1, kSearch, [](MyFile& f) { f.WriteWord(10); }).toHex());
    auto* devices = dynamic_cast<XDevices*>(Read(Hand(0, kDevices, [](MyFile&) {})));
    ASSERT_NE(devices, nullptr);
    EXPECT_EQ(devices->backColor, 0xFFFFFFu);
    EXPECT_EQ(devices->textColor, 0u);

    // A truncated record is refused rather than read past its end.
    const QByteArray whole = Hand(0, kRVS, [](MyFile& f) {
        f.WriteString(QStringLiteral("1.1.1.1"));
        f.WriteWord(1);
    });
    EXPECT_EQ(Read(whole), nullptr);
}

TEST_F(PlatformTest, AddressesAreCheckedAtTheirEdges)
{
    auto* dahua = Add<XDaHua>();
    auto* rvs = Add<XRVS>();
    auto* rec = Add<XRecording>();
    const std::pair<XControl*, quint32> rows[] = {
        {dahua, PropertyId::kServerAddress}, {dahua, PropertyId::kServer2Address},
        {rvs, PropertyId::kServerAddress},   {rec, PropertyId::kServerAddress},
    };
    for (const auto& [control, id] : rows) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(Edit(*control, id, QStringLiteral(" 192.168.10.254 ")));
        EXPECT_EQ(last->GetText(), QStringLiteral("192.168.10.254")); // trimmed
        const QByteArray accepted = Record(*control);
        for (const QString bad : {QStringLiteral("256.1.1.1"), QStringLiteral("1.2.3.4.5"),
                                  QStringLiteral("host.local"), QStringLiteral("10.0.0.1:80"),
                                  QStringLiteral("255.255.255.255")}) {
            ui.messages.clear();
            EXPECT_FALSE(Edit(*control, id, bad)) << bad.toStdString();
            ASSERT_EQ(ui.messages.size(), 1);
            EXPECT_EQ(ui.messages[0].text, Translate("378"));
            EXPECT_EQ(ui.messages[0].caption, Translate("70"));
            EXPECT_EQ(last->GetText(), QStringLiteral("192.168.10.254"));
            EXPECT_EQ(Record(*control), accepted);
        }
        ui.messages.clear();
        EXPECT_TRUE(Edit(*control, id, QStringLiteral("   ")));
        EXPECT_TRUE(ui.messages.isEmpty());
        EXPECT_TRUE(Edit(*control, id, QStringLiteral("0.0.0.0")));
    }
    EXPECT_TRUE(dahua->server1Address == QStringLiteral("0.0.0.0") && dahua->server2Address == dahua->server1Address);
}

TEST_F(PlatformTest, PortsAndRangesRefuseOutsideTheirBounds)
{
    struct Case {
        XControl* control;
        quint32 id;
        int low;
        int high;
        const char* key;
    };
    auto* dahua = Add<XDaHua>();
    auto* ivms = Add<XIVMS8200>();
    auto* meidian = Add<XMeiDian>();
    auto* rec = Add<XRecording>();
    auto* search = Add<XSearch>();
    const Case cases[] = {
        {dahua, PropertyId::kServerPort, 0, 65535, "377"},  {dahua, PropertyId::kServer2Port, 0, 65535, "377"},
        {ivms, PropertyId::kServer2Port, 0, 65535, "377"},  {meidian, PropertyId::kServerPort, 0, 65535, "377"},
        {rec, PropertyId::kServerPort, 0, 65535, "377"},    {rec, PropertyId::kRecorderId, 0, 1000, "376"},
        {rec, PropertyId::kRecordValue1, 1, 65535, "381"},  {rec, PropertyId::kRecordValue2, 1, 65535, "382"},
        {search, PropertyId::kResultCount, 1, 20, "449"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("row ") + std::to_string(c.id));
        const QByteArray before = Record(*c.control);
        for (const int bad : {c.low - 1, c.high + 1}) {
            ui.messages.clear();
            EXPECT_FALSE(Edit(*c.control, c.id, bad));
            ASSERT_EQ(ui.messages.size(), 1);
            EXPECT_EQ(ui.messages[0].text, TranslateFormat(QString::fromLatin1(c.key), RangeArgs(c.low, c.high)));
        }
        EXPECT_EQ(Record(*c.control), before);
        ui.messages.clear();
        EXPECT_TRUE(Edit(*c.control, c.id, c.high));
        EXPECT_TRUE(Edit(*c.control, c.id, c.low));
        EXPECT_TRUE(ui.messages.isEmpty());
    }
    EXPECT_EQ(dahua->server2Port, 0);
    EXPECT_EQ(search->resultCount, 1);
    EXPECT_EQ(rec->recordValue1, 1);
}

TEST_F(PlatformTest, YesNoCredentialsAndNamesAreKeptAsTheRulesSay)
{
    auto* dahua = Add<XDaHua>();
    EXPECT_TRUE(Edit(*dahua, PropertyId::kServer2Enabled, Translate("141")));
    EXPECT_EQ(dahua->server2Enabled, 1);
    EXPECT_TRUE(Edit(*dahua, PropertyId::kServer2Enabled, Translate("142")));
    EXPECT_EQ(dahua->server2Enabled, 0);
    const QString typed = QStringLiteral("  a d m i n ");
    EXPECT_TRUE(Edit(*dahua, PropertyId::kUserName, typed));
    EXPECT_TRUE(Edit(*dahua, PropertyId::kPassword, typed + QStringLiteral("\t")));
    EXPECT_EQ(dahua->userName, typed);
    EXPECT_EQ(dahua->password, typed + QStringLiteral("\t"));
    auto* rec = Add<XRecording>();
    EXPECT_TRUE(Edit(*rec, PropertyId::kRecorderName, QStringLiteral("  Hall NVR  ")));
    EXPECT_EQ(rec->recorderName, QStringLiteral("Hall NVR"));
}

TEST_F(PlatformTest, InfoNamesEveryStoredField)
{
    XDaHua dahua;
    QJsonObject out;
    dahua.DescribeFields(out);
    for (const char* name : {"server1Enabled", "server1Address", "server1Port", "server2Enabled", "server2Address",
                             "server2Port", "userName", "password"})
        EXPECT_TRUE(out.contains(QLatin1String(name))) << name;
    XRecording rec;
    QJsonObject recOut;
    rec.DescribeFields(recOut);
    for (const char* name :
         {"recorderId", "recorderName", "serverAddress", "serverPort", "recordValue1", "recordValue2"})
        EXPECT_TRUE(recOut.contains(QLatin1String(name))) << name;
    XIVMS8200 ivms;
    QJsonObject ivmsOut;
    ivms.DescribeFields(ivmsOut);
    EXPECT_FALSE(ivmsOut.contains(QStringLiteral("oldServerStrings")));
    EXPECT_TRUE(ivmsOut.contains(QStringLiteral("server2Port")));
}

TEST_F(PlatformTest, PlaceholdersAreDrawnDarkWithAWhiteLabel)
{
    auto* host = Add<XHost>(10, 10, 200, 80);
    const QImage image = Render(page);
    const QRect area(10, 10, 200, 80);
    const int dark = CountColour(image, area, qRgb(46, 63, 93));
    const int white = CountColour(image, area, qRgb(255, 255, 255));
    EXPECT_GT(dark, 200 * 80 / 2);
    EXPECT_GT(white, 10); // the type key
    EXPECT_EQ(CountColour(image, QRect(0, 0, 10, 10), qRgb(46, 63, 93)), 0);
    host->x2 = host->x1; // no area, nothing drawn
    EXPECT_EQ(CountColour(Render(page), area, qRgb(46, 63, 93)), 0);
}

TEST_F(PlatformTest, AccountRecordAndItsTargetPage)
{
    XPage* home = project.NewPage(TypeRegistry::kPage, QStringLiteral("Home"));
    const QByteArray bytes = Hand(0, ElementType::kAccount, [](MyFile& f) {
        f.WriteWord(32);
        f.WriteColor(MakeRgb(9, 8, 7));
        f.WriteString(QStringLiteral("Home"));
    });
    auto* account = dynamic_cast<XAccount*>(ReadBack(bytes));
    ASSERT_NE(account, nullptr);
    page->AddControl(account);
    account->name = QStringLiteral("P1"); // AddControl gives it a name of its own
    account->ResolveReferences();
    EXPECT_EQ(account->accountTextSize, 32);
    EXPECT_EQ(account->TargetPageName(), QStringLiteral("Home"));

    // A rename is followed; deleting the page leaves "NONE".
    ASSERT_TRUE(home->Rename(QStringLiteral("Start")));
    EXPECT_EQ(account->TargetPageName(), QStringLiteral("Start"));
    project.DeletePage(home);
    EXPECT_EQ(account->TargetPageName(), QStringLiteral("NONE"));
    EXPECT_EQ(Record(*account).toHex(), Hand(0, ElementType::kAccount, [](MyFile& f) {
                  f.WriteWord(32);
                  f.WriteColor(MakeRgb(9, 8, 7));
                  f.WriteString(QStringLiteral("NONE"));
              }).toHex());
}

TEST_F(PlatformTest, AccountTargetIsChosenAmongPagesAndCutOnPasteElsewhere)
{
    XPage* home = project.NewPage(TypeRegistry::kPage, QStringLiteral("Home"));
    auto* account = Add<XAccount>();
    EXPECT_EQ(account->TargetPageName(), QStringLiteral("NONE"));
    EXPECT_TRUE(Edit(*account, PropertyId::kJumpTarget, QStringLiteral("Home")));
    EXPECT_EQ(account->TargetPageName(), QStringLiteral("Home"));
    EXPECT_FALSE(Edit(*account, PropertyId::kJumpTarget, QStringLiteral("Nowhere")));
    EXPECT_EQ(last->GetText(), QStringLiteral("Home"));

    std::unique_ptr<XControl> copy(account->Clone(false));
    auto* c = dynamic_cast<XAccount*>(copy.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->TargetPageName(), QStringLiteral("Home"));
    c->ClearReferences(); // what a paste into another project does
    EXPECT_EQ(c->TargetPageName(), QStringLiteral("NONE"));
    EXPECT_EQ(account->TargetPageName(), QStringLiteral("Home"));
    (void)home;
}

TEST_F(PlatformTest, LoginRecordsOfBothVersions)
{
    AddProjectImage(QStringLiteral("form.png"), 8, 8);
    auto items = [](const QString& image) {
        return [image](MyFile& f) {
            f.WriteColor(MakeRgb(1, 1, 1));
            f.WriteString(image);
            for (int i = 2; i <= 5; ++i)
                f.WriteColor(MakeRgb(i, i, i));
        };
    };
    auto* login = dynamic_cast<XLogin*>(ReadBack(Hand(1, ElementType::kLogin, items(QStringLiteral("form.png")))));
    ASSERT_NE(login, nullptr);
    EXPECT_EQ(login->loginColor4, MakeRgb(5, 5, 5));
    EXPECT_EQ(login->ImageNames(), QStringList{QStringLiteral("form.png")});

    // An image the project does not hold loads as none.
    auto* lost = dynamic_cast<XLogin*>(Read(Hand(1, ElementType::kLogin, items(QStringLiteral("gone.png")))));
    ASSERT_NE(lost, nullptr);
    EXPECT_EQ(lost->imageFile, QStringLiteral("NONE"));

    // Version 0: the common part only; the defaults are written back in version 1.
    auto* old = dynamic_cast<XLogin*>(Read(Hand(0, ElementType::kLogin, [](MyFile&) {})));
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(Record(*old).toHex(), Hand(1, ElementType::kLogin, [](MyFile& f) {
                  f.WriteColor(0xFFFFFF);
                  f.WriteString(QStringLiteral("NONE"));
                  f.WriteColor(0);
                  f.WriteColor(MakeRgb(0, 163, 255));
                  f.WriteColor(MakeRgb(9, 140, 188));
                  f.WriteColor(0xFFFFFF);
              }).toHex());
}

namespace {
// The items of a favourites record, in record order.
void FavoriteItems(MyFile& f)
{
    f.WriteWord(2);
    f.WriteColor(MakeRgb(1, 0, 0));
    f.WriteColor(MakeRgb(2, 0, 0));
    f.WriteWord(0);
    f.WriteColor(MakeRgb(3, 0, 0));
    f.WriteColor(MakeRgb(4, 0, 0));
    f.WriteString(QStringLiteral("NONE"));
    f.WriteString(QStringLiteral("NONE"));
    f.WriteString(QStringLiteral("收藏"));
    f.WriteWord(18);
    f.WriteColor(MakeRgb(5, 0, 0));
    f.WriteColor(MakeRgb(6, 0, 0));
    f.WriteWord(1);
    f.WriteString(QStringLiteral("Serif"));
    f.WriteWord(1);
}
}

TEST_F(PlatformTest, ButtonLikeRecordsRoundTripWithTheirOlderLayout)
{
    using namespace ElementType;
    auto* fav = dynamic_cast<XFavorites*>(ReadBack(Hand(0, kFavorites, FavoriteItems)));
    ASSERT_NE(fav, nullptr);
    EXPECT_EQ(fav->text, QStringLiteral("收藏"));
    EXPECT_EQ(fav->showPressed, 1);
    EXPECT_EQ(fav->fontName, QStringLiteral("Serif"));
    auto* open = dynamic_cast<XModeOpen*>(ReadBack(Hand(0, kModeOpen, [](MyFile& f) {
        FavoriteItems(f);
        f.WriteString(QStringLiteral("MODE 3"));
    })));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->modeData, QStringLiteral("MODE 3"));
    auto* save = dynamic_cast<XModeSave*>(ReadBack(Hand(1, kModeSave, [](MyFile& f) {
        FavoriteItems(f);
        f.WriteString(QStringLiteral("A;B"));
        f.WriteWord(1);
    })));
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->modeFlag, 1);
    // Version 0 ends after the mode data.
    auto* old = dynamic_cast<XModeSave*>(Read(Hand(0, kModeSave, [](MyFile& f) {
        FavoriteItems(f);
        f.WriteString(QStringLiteral("A;B"));
    })));
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->modeData, QStringLiteral("A;B"));
    EXPECT_EQ(old->modeFlag, 0);
}

TEST_F(PlatformTest, ModeDataIsNormalisedAsTheRulesSay)
{
    auto* save = Add<XModeSave>();
    EXPECT_TRUE(Edit(*save, PropertyId::kModeSaveData, QStringLiteral("  SCENE 1；LIGHTS ON； ")));
    EXPECT_EQ(save->modeData, QStringLiteral("SCENE 1;LIGHTS ON"));
    EXPECT_EQ(last->GetText(), save->modeData);
    EXPECT_FALSE(Edit(*save, PropertyId::kModeSaveData, QStringLiteral("SCENE 1;LIGHTS ON;")));
    EXPECT_TRUE(Edit(*save, PropertyId::kModeFlag, Translate("141")));
    EXPECT_EQ(save->modeFlag, 1);
    auto* open = Add<XModeOpen>();
    EXPECT_TRUE(Edit(*open, PropertyId::kModeOpenData, QStringLiteral("  SCENE；2 ")));
    EXPECT_EQ(open->modeData, QStringLiteral("SCENE；2")); // trimmed only
}

TEST_F(PlatformTest, ButtonLikeControlsWriteBothTextImages)
{
    XFavorites* controls[] = {Add<XFavorites>(0, 0, 160, 50), Add<XModeOpen>(0, 60, 160, 50),
                              Add<XModeSave>(0, 120, 160, 50)};
    const QString names[] = {QStringLiteral("Fav"), QStringLiteral("Open"), QStringLiteral("Save")};
    for (int i = 0; i < 3; ++i) {
        controls[i]->name = names[i];
        controls[i]->textColor = MakeRgb(0, 0, 255);
        controls[i]->pressedTextColor = MakeRgb(0, 255, 0);
    }
    auto* empty = Add<XModeSave>(0, 200, 160, 50);
    empty->name = QStringLiteral("Empty");
    empty->text.clear();
    ASSERT_TRUE(project.SaveProjectFile());
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QImage normal(TextImagePath(QStringLiteral("Main_%1.png").arg(name)));
        const QImage pressed(TextImagePath(QStringLiteral("Main_%1_1.png").arg(name)));
        ASSERT_EQ(normal.size(), QSize(160, 50));
        ASSERT_EQ(pressed.size(), QSize(160, 50));
        EXPECT_GT(CountColour(normal, normal.rect(), 0x0000FF), 20);
        EXPECT_EQ(CountColour(normal, normal.rect(), 0x00FF00), 0);
        EXPECT_GT(CountColour(pressed, pressed.rect(), 0x00FF00), 20);
        EXPECT_EQ(CountColour(pressed, pressed.rect(), 0x0000FF), 0);
    }
    EXPECT_FALSE(QFileInfo::exists(TextImagePath(QStringLiteral("Main_Empty.png"))));
}
