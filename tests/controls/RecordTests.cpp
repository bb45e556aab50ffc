// Stored records of the text, image, rectangle, button and page-container controls.

#include "ControlFixture.h"

#include "controls/XButton.h"
#include "controls/XFontButton.h"
#include "controls/XFontText.h"
#include "controls/XPageContainer.h"
#include "controls/XPhoto.h"
#include "controls/XRectangle.h"
#include "model/MyFile.h"
#include "model/TypeRegistry.h"

#include <QJsonObject>

namespace {

// The items of a button record after its name, written item by item as the format
// lists them (version 0 ends before the command string).
QByteArray ButtonRecord(int version, int type, bool withCommand)
{
    MyFile f;
    f.OpenWriteMemory();
    f.WriteByte(version);
    f.WriteByte(type);
    if (type == 15)
        f.WriteWord(1);
    f.WriteString(QStringLiteral("Old"));
    for (qint32 v : {-10, 5, 90, 45})
        f.WriteDword(v);
    f.WriteWord(3);                       // lineWidth
    f.WriteColor(MakeRgb(1, 2, 3));       // color
    f.WriteColor(MakeRgb(4, 5, 6));       // pressedLineColor
    f.WriteWord(0);                       // hollow
    f.WriteColor(MakeRgb(7, 8, 9));       // fillColor
    f.WriteColor(MakeRgb(10, 11, 12));    // pressedFillColor
    f.WriteString(QStringLiteral("开门"));  // text
    f.WriteWord(24);                      // fontSize
    f.WriteColor(MakeRgb(13, 14, 15));    // textColor
    f.WriteColor(MakeRgb(16, 17, 18));    // pressedTextColor
    if (type == 15) {
        f.WriteWord(2);                   // fontStyle
        f.WriteString(QStringLiteral("Serif"));
    }
    f.WriteString(QStringLiteral("NONE"));
    f.WriteString(QStringLiteral("NONE"));
    f.WriteWord(0);                       // imageMode
    f.WriteWord(1);                       // showPressed
    f.WriteString(QStringLiteral("Target"));
    f.WriteWord(7);                       // auxNumber
    f.WriteDword(4000);                   // sendCode
    f.WriteWord(2);                       // buttonKind
    f.WriteString(QStringLiteral("Doors"));
    if (withCommand)
        f.WriteString(QStringLiteral("OPEN;CLOSE"));
    return f.Written();
}

} // namespace

class RecordTest : public ControlFixture {};

TEST_F(RecordTest, EveryClassRoundTripsByteForByte)
{
    page->AddGroup(QStringLiteral("Doors"));
    XPage* sub = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("Pop"));

    auto* text = Add<XFontText>(-30, 12, 0, 0);
    text->text = QStringLiteral("大堂 Lobby");
    text->fontName = QStringLiteral("Serif");
    text->fontSize = 33;
    text->vertical = 1;
    text->textColor = MakeRgb(200, 10, 30);
    text->contentKind = 6;
    text->fontStyle = 3;

    AddProjectImage(QStringLiteral("a.png"), 8, 8);
    auto* photo = Add<XPhoto>(5, -7, 60, 50);
    photo->imageFile = QStringLiteral("a.png");
    photo->imageMode = 0;

    auto* rect = Add<XRectangle>(1, 2, 3, 4);
    rect->lineWidth = 200;
    rect->color = MakeRgb(1, 2, 3);
    rect->hollow = 0;
    rect->fillColor = MakeRgb(0, 0, 255);

    auto* button = Add<XButton>(-5000, -5000, 5000, 5000);
    button->pressedImageFile = QStringLiteral("a.png");
    button->sendCode = 4000;
    button->auxNumber = 60;
    button->commandString = QStringLiteral("A;B");
    button->SetJumpTarget(sub);
    ASSERT_TRUE(button->SetInterlockGroup(QStringLiteral("Doors")));

    auto* fontButton = Add<XFontButton>(0, 0, 80, 30);
    fontButton->fontName = QStringLiteral("Sans Serif");
    fontButton->fontStyle = 1;
    fontButton->text.clear();
    fontButton->buttonKind = 2;

    auto* container = Add<XPageContainer>(7, 8, 90, 60);
    container->SetSubPage(sub);
    container->visible = 0;

    for (XControl* c : std::initializer_list<XControl*>{text, photo, rect, button, fontButton, container}) {
        SCOPED_TRACE(c->GetTypeKey().toStdString());
        const QByteArray first = Record(*c);
        EXPECT_EQ(RoundTrip(*c), first);
    }
}

TEST_F(RecordTest, ItemsStandInTheDocumentedOrder)
{
    auto* text = Add<XFontText>(-10, 0, 0, 0);
    text->text = QStringLiteral("A");
    text->fontName = QStringLiteral("F");
    text->fontSize = 20;
    text->x2 = 1;
    text->y2 = 2;
    // version 00, type 0e, word 1, name, four dwords, text, size, vertical, colour,
    // content kind, style, font name
    const QByteArray expected = QByteArray("000e0001") + QByteArray("8014") + QByteArray("F\0O\0N\0T\0T\0E\0X\0T\0-\0000\0", 20)
        + "fffffff6000000000000000100000002" + QByteArray("8002") + QByteArray("A\0", 2) + "00140000000000"
        + "0000" + "0000" + QByteArray("8002") + QByteArray("F\0", 2);
    EXPECT_EQ(Record(*text), expected);

    auto* container = Add<XPageContainer>(0, 0, 0, 0);
    container->name = QStringLiteral("C");
    const QByteArray c = Record(*container);
    EXPECT_TRUE(c.startsWith("0107" "8002"));
    EXPECT_TRUE(c.endsWith(QByteArray("8008") + QByteArray("N\0O\0N\0E\0", 8) + "0001"));
}

TEST_F(RecordTest, VersionZeroButtonIsReadAndWrittenBackAsVersionOne)
{
    for (const int type : {6, 15}) {
        SCOPED_TRACE(type);
        std::unique_ptr<XControl> c(Read(ButtonRecord(0, type, false)));
        ASSERT_NE(c, nullptr);
        auto* b = static_cast<XButton*>(c.get());
        EXPECT_EQ(b->commandString, QString());
        EXPECT_EQ(b->text, QStringLiteral("开门"));
        EXPECT_EQ(b->sendCode, 4000);
        EXPECT_EQ(b->x1, -10);
        EXPECT_EQ(b->JumpTargetName(), QStringLiteral("Target")); // kept while unresolved
        EXPECT_EQ(b->InterlockGroupName(), QStringLiteral("Doors"));
        if (type == 15) {
            EXPECT_EQ(b->fontStyle, 2);
            EXPECT_EQ(b->fontName, QStringLiteral("Serif"));
        }
        // Written back: version byte 1 and an empty command string at the end; the rest
        // is the old record unchanged.
        QByteArray expected = ButtonRecord(1, type, false) + "8000";
        EXPECT_EQ(Record(*b), expected);
        EXPECT_EQ(RoundTrip(*b), expected);
    }
    std::unique_ptr<XControl> v1(Read(ButtonRecord(1, 6, true)));
    ASSERT_NE(v1, nullptr);
    EXPECT_EQ(static_cast<XButton*>(v1.get())->commandString, QStringLiteral("OPEN;CLOSE"));
}

TEST_F(RecordTest, VersionZeroContainerIsShownAndWrittenBackAsVersionOne)
{
    MyFile f;
    f.OpenWriteMemory();
    f.WriteByte(0);
    f.WriteByte(7);
    f.WriteString(QStringLiteral("Box"));
    for (qint32 v : {1, 2, 3, 4})
        f.WriteDword(v);
    f.WriteString(QStringLiteral("NONE"));
    std::unique_ptr<XControl> c(Read(f.Written()));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->visible, 1);
    EXPECT_EQ(c->recordVersion, 1);
    const QByteArray saved = Record(*c);
    EXPECT_EQ(saved.left(4), QByteArray("0107"));
    EXPECT_EQ(saved.mid(4), f.Written().mid(4) + "0001");
}

TEST_F(RecordTest, UnknownRecordVersionsAreRefused)
{
    auto refuses = [this](int version, int type) {
        MyFile f;
        f.OpenWriteMemory();
        f.WriteByte(version);
        f.WriteByte(type);
        f.WriteString(QStringLiteral("X"));
        std::unique_ptr<XControl> c(Read(f.Written() + QByteArray(200, '0')));
        return c == nullptr;
    };
    EXPECT_TRUE(refuses(1, 14));
    EXPECT_TRUE(refuses(1, 5));
    EXPECT_TRUE(refuses(1, 4));
    EXPECT_TRUE(refuses(2, 6));
    EXPECT_TRUE(refuses(2, 15));
    EXPECT_TRUE(refuses(2, 7));
    // The same reader accepts the versions it knows.
    std::unique_ptr<XControl> known(Read(Record(*Add<XRectangle>())));
    EXPECT_NE(known, nullptr);
}

TEST_F(RecordTest, MissingOrUnsafeImagesLoadAsNone)
{
    AddProjectImage(QStringLiteral("kept.png"), 4, 4);
    ASSERT_TRUE(WriteTestPng(project.folder + QStringLiteral("/outside.png"), 4, 4));
    auto* photo = Add<XPhoto>();
    auto* button = Add<XButton>();
    auto check = [&](const QString& name, const QString& expected) {
        SCOPED_TRACE(name.toStdString());
        photo->imageFile = name;
        button->imageFile = name;
        button->pressedImageFile = name;
        std::unique_ptr<XControl> p(Read(Record(*photo)));
        std::unique_ptr<XControl> b(Read(Record(*button)));
        ASSERT_TRUE(p && b);
        EXPECT_EQ(static_cast<XPhoto*>(p.get())->imageFile, expected);
        EXPECT_EQ(static_cast<XButton*>(b.get())->imageFile, expected);
        EXPECT_EQ(static_cast<XButton*>(b.get())->pressedImageFile, expected);
    };
    check(QStringLiteral("kept.png"), QStringLiteral("kept.png"));
    check(QStringLiteral("gone.png"), QStringLiteral("NONE"));
    check(QStringLiteral("../outside.png"), QStringLiteral("NONE"));
    check(project.folder + QStringLiteral("/outside.png"), QStringLiteral("NONE"));
}

TEST_F(RecordTest, DescribeFieldsNamesEveryStoredField)
{
    XPage* sub = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("Pop"));
    page->AddGroup(QStringLiteral("G"));
    auto* button = Add<XFontButton>();
    button->SetJumpTarget(sub);
    button->SetInterlockGroup(QStringLiteral("G"));
    button->pressedLineColor = MakeRgb(0, 0, 255);
    QJsonObject o;
    button->DescribeFields(o);
    for (const char* key : {"lineWidth", "color", "pressedLineColor", "hollow", "fillColor", "pressedFillColor",
                            "text", "fontSize", "textColor", "pressedTextColor", "fontStyle", "fontName",
                            "imageFile", "pressedImageFile", "imageMode", "showPressed", "jumpTargetName",
                            "auxNumber", "sendCode", "buttonKind", "interlockGroupName", "commandString"})
        EXPECT_TRUE(o.contains(QLatin1String(key))) << key;
    EXPECT_EQ(o.value(QStringLiteral("jumpTargetName")).toString(), QStringLiteral("Pop"));
    EXPECT_EQ(o.value(QStringLiteral("interlockGroupName")).toString(), QStringLiteral("G"));
    EXPECT_EQ(o.value(QStringLiteral("pressedLineColor")).toInteger(), 0xFF0000);

    auto* container = Add<XPageContainer>();
    container->SetSubPage(sub);
    QJsonObject c;
    container->DescribeFields(c);
    EXPECT_EQ(c.value(QStringLiteral("subPageName")).toString(), QStringLiteral("Pop"));
    EXPECT_EQ(c.value(QStringLiteral("visible")).toInt(), 1);
}
