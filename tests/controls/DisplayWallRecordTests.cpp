// Stored records of the display walls: every record version they read, written by hand
// from the layout, and the loads that must fail.

#include "ControlFixture.h"

#include "base/Translation.h"
#include "controls/XVirtualDisplayWall.h"
#include "model/MyFile.h"
#include "model/TypeRegistry.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

#include <memory>

namespace {

// What a wall record holds, whatever its version.
struct WallValues {
    QString name = QStringLiteral("Wall");
    qint32 bounds[4] = {10, 20, 310, 220};
    COLORREF color = MakeRgb(1, 2, 3);
    int rows = 2;
    int columns = 2;
    QString text1 = QStringLiteral("Title");
    int flag1 = 1;
    int flag2 = 1;
    int flag3 = 0; // versions before 2 give 1
    QString text2 = QStringLiteral("Sub");
    int wallVersion = 2;      // versions before 3 give 1
    int deviceGeneration = 3; // versions before 4 give 2
    std::vector<DisplayWallScreen> screens;
};

std::vector<DisplayWallScreen> SampleScreens(int rows, int columns)
{
    std::vector<DisplayWallScreen> screens;
    for (int i = 0; i < rows * columns; ++i) {
        DisplayWallScreen s;
        s.ipAddress = QStringLiteral("10.0.0.%1").arg(i + 1);
        s.horizontalResolution = 1000 + i;
        s.verticalResolution = 500 + i;
        s.row = i / columns;
        s.column = i % columns;
        if (i % 2 == 0)
            s.ipGroup = {QStringLiteral("10.1.0.%1").arg(i), QStringLiteral("10.2.0.%1").arg(i)};
        screens.push_back(s);
    }
    return screens;
}

WallValues Sample()
{
    WallValues v;
    v.screens = SampleScreens(v.rows, v.columns);
    return v;
}

// The record item by item as the layout of the given version lists it.
QByteArray WallRecord(int version, int type, const WallValues& v)
{
    MyFile f;
    f.OpenWriteMemory();
    f.WriteByte(version);
    f.WriteByte(type);
    f.WriteString(v.name);
    for (qint32 c : v.bounds)
        f.WriteDword(c);
    if (version >= 6)
        f.WriteColor(v.color);
    f.WriteWord(v.rows);
    f.WriteWord(v.columns);
    f.WriteString(v.text1);
    f.WriteWord(v.flag1);
    if (version >= 1)
        f.WriteWord(v.flag2);
    if (version >= 2) {
        f.WriteWord(v.flag3);
        f.WriteString(v.text2);
    }
    if (version >= 3)
        f.WriteWord(v.wallVersion);
    if (version >= 4)
        f.WriteWord(v.deviceGeneration);
    for (const DisplayWallScreen& s : v.screens) {
        f.WriteString(s.ipAddress);
        f.WriteWord(s.horizontalResolution);
        f.WriteWord(s.verticalResolution);
        if (version >= 5) {
            f.WriteWord(static_cast<int>(s.ipGroup.size()));
            for (const QString& a : s.ipGroup)
                f.WriteString(a);
        }
    }
    return f.Written();
}

// What a record of the given version loads as: the fields it does not hold at the values
// older records stand for.
WallValues AsLoaded(WallValues v, int version)
{
    if (version < 6)
        v.color = 0xFFFFFF;
    if (version < 1)
        v.flag2 = 0;
    if (version < 2) {
        v.flag3 = 1;
        v.text2.clear();
    }
    if (version < 3)
        v.wallVersion = 1;
    if (version < 4)
        v.deviceGeneration = 2;
    if (version < 5)
        for (DisplayWallScreen& s : v.screens)
            s.ipGroup.clear();
    return v;
}

} // namespace

class DisplayWallRecordTest : public ControlFixture {
protected:
    // Saves a project holding the record in place of a wall's own, and loads it: the
    // loader's message, empty when the load succeeded.
    QString LoadProjectWith(const QByteArray& record)
    {
        if (!stand) {
            stand = Add<XVirtualDisplayWall>();
            stand->name = QStringLiteral("Wall");
        }
        const QByteArray own = Record(*stand);
        EXPECT_TRUE(project.SaveProjectFile());
        QFile file(project.GetDataFilePath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        file.close();
        EXPECT_TRUE(bytes.contains(own));
        bytes.replace(own, record);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        ProjectData loaded;
        loaded.mainDelegate = &reloadDelegate;
        QString message;
        const bool ok = loaded.LoadProjectFile(project.GetDataFilePath(), message);
        EXPECT_EQ(ok, message.isEmpty()) << message.toStdString();
        return ok ? QString() : message;
    }
    // The message is the expected one with "@" standing for the character it names.
    static void ExpectMessage(const QString& message, const QString& expected)
    {
        const QStringList parts = expected.split(u'@');
        ASSERT_EQ(parts.size(), 2);
        EXPECT_TRUE(message.startsWith(parts[0])) << message.toStdString();
        EXPECT_TRUE(message.endsWith(parts[1])) << message.toStdString();
        EXPECT_GT(message.size(), expected.size() - 1) << message.toStdString();
    }

    XVirtualDisplayWall* stand = nullptr; // the wall whose record is replaced
};

// Version 4, for one, has no groups and its own device generation (3, not the default).
TEST_F(DisplayWallRecordTest, EveryVersionLoadsAndSavesBackInTheCurrentLayout)
{
    const WallValues values = Sample();
    for (int type : {ElementType::kVirtualDisplayWall, ElementType::kSVirtualDisplayWall}) {
        for (int version = 0; version <= 6; ++version) {
            SCOPED_TRACE(testing::Message() << "type " << type << " version " << version);
            std::unique_ptr<XControl> loaded(Read(WallRecord(version, type, values)));
            ASSERT_NE(loaded, nullptr);
            EXPECT_EQ(loaded->GetType(), type);
            auto* wall = dynamic_cast<XVirtualDisplayWall*>(loaded.get());
            ASSERT_NE(wall, nullptr);
            const WallValues expected = AsLoaded(values, version);
            EXPECT_EQ(wall->color, expected.color);
            EXPECT_EQ(wall->wallFlag2, expected.flag2);
            EXPECT_EQ(wall->wallFlag3, expected.flag3);
            EXPECT_EQ(wall->wallText2, expected.text2);
            EXPECT_EQ(wall->wallVersion, expected.wallVersion);
            EXPECT_EQ(wall->deviceGeneration, expected.deviceGeneration);
            EXPECT_EQ(wall->screens, expected.screens);
            EXPECT_EQ(Record(*wall), WallRecord(6, type, expected));
        }
    }
}

TEST_F(DisplayWallRecordTest, VersionSixRoundTripsByteForByte)
{
    WallValues v = Sample();
    v.rows = 3;
    v.columns = 1;
    v.screens = SampleScreens(3, 1);
    v.screens[1].ipAddress = QStringLiteral("显示墙"); // stored as it is, whatever it says
    const QByteArray record = WallRecord(6, ElementType::kSVirtualDisplayWall, v);
    std::unique_ptr<XControl> loaded(Read(record));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(Record(*loaded), record);
    EXPECT_EQ(RoundTrip(*loaded), record);
}

TEST_F(DisplayWallRecordTest, AThreeByFourWallSavesTwelveScreensWithoutACount)
{
    auto* wall = Add<XVirtualDisplayWall>(10, 20, 300, 200);
    wall->name = QStringLiteral("Wall");
    wall->rows = 3;
    wall->columns = 4;
    wall->BuildScreens();

    WallValues v;
    v.bounds[2] = 310;
    v.color = 0xFFFFFF;
    v.rows = 3;
    v.columns = 4;
    v.text1.clear();
    v.flag1 = v.flag2 = v.flag3 = 0;
    v.text2.clear();
    v.wallVersion = 2;
    v.deviceGeneration = 2;
    for (int i = 0; i < 12; ++i) {
        DisplayWallScreen s;
        s.ipAddress = QStringLiteral("192.168.1.%1").arg(100 + i);
        v.screens.push_back(s);
    }
    EXPECT_EQ(Record(*wall), WallRecord(6, ElementType::kVirtualDisplayWall, v));
}

TEST_F(DisplayWallRecordTest, UnknownVersionsAreRefused)
{
    for (int version : {7, 255}) {
        std::unique_ptr<XControl> loaded(Read(WallRecord(version, ElementType::kVirtualDisplayWall, Sample())));
        EXPECT_EQ(loaded, nullptr) << version;
    }
}

TEST_F(DisplayWallRecordTest, RowsOrColumnsOutsideTheirRangeFailTheLoadWithAMessage)
{
    struct Case {
        int rows;
        int columns;
        const char* field;
        int value;
    };
    for (const Case& c : {Case{0, 2, "238", 0}, Case{21, 2, "238", 21}, Case{2, 0, "239", 0}, Case{3, 65535, "239", 65535}}) {
        SCOPED_TRACE(testing::Message() << c.rows << " x " << c.columns);
        WallValues v = Sample();
        v.rows = c.rows;
        v.columns = c.columns;
        v.screens = SampleScreens(std::min(c.rows, 2), std::min(c.columns, 2));
        const QString message = LoadProjectWith(WallRecord(6, ElementType::kVirtualDisplayWall, v));
        ExpectMessage(message, TranslateFormat("1232", {QStringLiteral("VIRTUALDISPLAYWALL"), QStringLiteral("@"),
                                                        Translate(QString::fromLatin1(c.field)),
                                                        QString::number(c.value), QStringLiteral("1"),
                                                        QStringLiteral("20")}));
    }
    // The bounds themselves are walls.
    WallValues largest = Sample();
    largest.rows = 20;
    largest.columns = 20;
    largest.screens = SampleScreens(20, 20);
    EXPECT_EQ(LoadProjectWith(WallRecord(6, ElementType::kVirtualDisplayWall, largest)), QString());
}

TEST_F(DisplayWallRecordTest, DataEndingBeforeTheLastScreenFailsTheLoad)
{
    WallValues v = Sample();
    v.screens.pop_back(); // 2 × 2 announced, three stored
    const QByteArray record = WallRecord(6, ElementType::kVirtualDisplayWall, v);
    EXPECT_EQ(Read(record), nullptr);
    EXPECT_EQ(Read(WallRecord(3, ElementType::kVirtualDisplayWall, v)), nullptr);
    const QString message = LoadProjectWith(record);
    ExpectMessage(message, TranslateFormat("900", {QStringLiteral("@")}));
}

TEST_F(DisplayWallRecordTest, AGroupCountBeyondTheDataFailsBeforeReadingIt)
{
    WallValues v = Sample();
    v.rows = v.columns = 1;
    v.screens.clear();
    MyFile screen; // its group claims 65535 addresses; one follows
    screen.OpenWriteMemory();
    screen.WriteString(QStringLiteral("10.0.0.1"));
    screen.WriteWord(1920);
    screen.WriteWord(1080);
    screen.WriteWord(65535);
    screen.WriteString(QStringLiteral("10.0.0.2"));
    MyFile in;
    in.OpenReadData(WallRecord(6, ElementType::kVirtualDisplayWall, v).mid(4) + screen.Written());
    XVirtualDisplayWall wall;
    EXPECT_FALSE(wall.Load(in, 6));
    EXPECT_EQ(in.LastError(), MyFile::Error::Truncated);
    EXPECT_TRUE(wall.screens.empty()); // nothing of the broken screen is kept
}

TEST_F(DisplayWallRecordTest, InfoNamesEveryFieldAndListsTheScreens)
{
    std::unique_ptr<XControl> loaded(Read(WallRecord(6, ElementType::kVirtualDisplayWall, Sample())));
    ASSERT_NE(loaded, nullptr);
    QJsonObject info;
    loaded->DescribeFields(info);
    for (const char* field : {"name", "x1", "y1", "x2", "y2", "color", "rows", "columns", "wallText1", "wallFlag1",
                              "wallFlag2", "wallFlag3", "wallText2", "wallVersion", "deviceGeneration", "screens"})
        EXPECT_TRUE(info.contains(QLatin1String(field))) << field;
    EXPECT_EQ(info.value(QStringLiteral("deviceGeneration")).toInt(), 3);
    EXPECT_EQ(info.value(QStringLiteral("wallText2")).toString(), QStringLiteral("Sub"));
    const QJsonArray screens = info.value(QStringLiteral("screens")).toArray();
    ASSERT_EQ(screens.size(), 4);
    const QJsonObject third = screens[2].toObject();
    EXPECT_EQ(third.value(QStringLiteral("ipAddress")).toString(), QStringLiteral("10.0.0.3"));
    EXPECT_EQ(third.value(QStringLiteral("horizontalResolution")).toInt(), 1002);
    EXPECT_EQ(third.value(QStringLiteral("verticalResolution")).toInt(), 502);
    EXPECT_EQ(third.value(QStringLiteral("row")).toInt(), 1);
    EXPECT_EQ(third.value(QStringLiteral("column")).toInt(), 0);
    EXPECT_EQ(third.value(QStringLiteral("ipGroup")).toArray(),
              (QJsonArray{QStringLiteral("10.1.0.2"), QStringLiteral("10.2.0.2")}));
    EXPECT_TRUE(screens[1].toObject().value(QStringLiteral("ipGroup")).toArray().isEmpty());
}
