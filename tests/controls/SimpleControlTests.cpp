// Texts in the application font, sensors, lines, hyperlinks, pickers and weather panels:
// their records, measuring, hit test, content kinds and range checks.

#include "ControlFixture.h"

#include "base/Translation.h"
#include "controls/XFontText.h"
#include "controls/XHyperlink.h"
#include "controls/XLine.h"
#include "controls/XPicker.h"
#include "controls/XSensor.h"
#include "controls/XText.h"
#include "controls/XWeather.h"
#include "model/MyFile.h"
#include "model/PropertyGridModel.h"

#include <QDate>
#include <QFileInfo>
#include <QJsonObject>

namespace {

// The version and type bytes, name and points, as every record here starts.
void Start(MyFile& f, int type, const QString& name, std::initializer_list<qint32> points)
{
    f.OpenWriteMemory();
    f.WriteByte(0);
    f.WriteByte(type);
    f.WriteString(name);
    for (qint32 v : points)
        f.WriteDword(v);
}

} // namespace

class SimpleControlTest : public ControlFixture {
protected:
    // The record read back and written again, as the file layout gives it.
    void ExpectRecord(const QByteArray& bytes, int type)
    {
        std::unique_ptr<XControl> c(Read(bytes));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->GetType(), type);
        c->ResolveReferences();
        EXPECT_EQ(Record(*c), bytes);
    }
};

TEST_F(SimpleControlTest, RecordsFollowTheirLayoutByteForByte)
{
    MyFile text;
    Start(text, 3, QStringLiteral("T"), {-4, 5, 60, 40});
    text.WriteString(QStringLiteral("大堂"));
    text.WriteWord(30);
    text.WriteWord(1);
    text.WriteColor(MakeRgb(1, 2, 3));
    text.WriteWord(0);
    ExpectRecord(text.Written(), 3);

    MyFile sensor;
    Start(sensor, 13, QStringLiteral("S"), {1, 2, 3, 4});
    sensor.WriteWord(24);
    sensor.WriteColor(MakeRgb(9, 8, 7));
    sensor.WriteWord(255);
    ExpectRecord(sensor.Written(), 13);

    MyFile line;
    Start(line, 2, QStringLiteral("L"), {100, 50, 0, 0});
    line.WriteWord(200);
    line.WriteColor(MakeRgb(0, 0, 255));
    line.WriteWord(1);
    ExpectRecord(line.Written(), 2);

    AddProjectImage(QStringLiteral("h.png"), 4, 4);
    MyFile link;
    Start(link, 19, QStringLiteral("H"), {0, 0, 80, 30});
    link.WriteString(QStringLiteral("Help"));
    link.WriteWord(14);
    link.WriteColor(MakeRgb(4, 5, 6));
    link.WriteWord(3);
    link.WriteString(QStringLiteral("Serif"));
    link.WriteString(QStringLiteral("h.png"));
    link.WriteString(QStringLiteral("http://127.0.0.1/"));
    ExpectRecord(link.Written(), 19);

    MyFile picker;
    Start(picker, 9, QStringLiteral("P"), {0, 0, 80, 30});
    picker.WriteString(QStringLiteral("A;B"));
    picker.WriteDword(4000);
    ExpectRecord(picker.Written(), 9);

    // A weather panel stores only its name and position.
    MyFile weather;
    Start(weather, 11, QStringLiteral("W"), {5, 6, 7, 8});
    ExpectRecord(weather.Written(), 11);
    EXPECT_EQ(weather.Written().size(), 4 + 4 + 2 + 32);
}

TEST_F(SimpleControlTest, InfoShowsEveryStoredFieldUnderItsName)
{
    auto* line = Add<XLine>();
    QJsonObject out;
    line->DescribeFields(out);
    for (const char* key : {"name", "x1", "y1", "x2", "y2", "lineWidth", "color", "lineStyle"})
        EXPECT_TRUE(out.contains(QLatin1String(key))) << key;
    auto* link = Add<XHyperlink>();
    link->linkData = QStringLiteral("go");
    QJsonObject l;
    link->DescribeFields(l);
    EXPECT_EQ(l.value(QStringLiteral("linkData")).toString(), QStringLiteral("go"));
    EXPECT_TRUE(l.contains(QStringLiteral("fontName")) && l.contains(QStringLiteral("imageFile")));
    EXPECT_FALSE(l.contains(QStringLiteral("alignment"))); // not stored
}

TEST_F(SimpleControlTest, TextIsAsLargeAsItMeasuresAndVerticalSwapsTheSize)
{
    auto* text = Add<XText>(10, 10, 0, 0);
    EXPECT_EQ(text->text, QStringLiteral("TEXT"));
    text->NormalizeBounds();
    const QSize flat = XText::MeasureApplicationText(QStringLiteral("TEXT"), 30, false);
    ASSERT_GT(flat.width(), flat.height());
    EXPECT_EQ(text->Bounds().Width(), flat.width());
    EXPECT_EQ(text->Bounds().Height(), flat.height());
    EXPECT_GE(flat.height(), 30); // a cell of 30 pixels

    EXPECT_TRUE(Edit(*text, PropertyId::kDirection, Translate("132")));
    EXPECT_EQ(text->vertical, 1);
    EXPECT_EQ(text->Bounds().Width(), flat.height());
    EXPECT_EQ(text->Bounds().Height(), flat.width());
    // It draws within its swapped box.
    const QImage image = Render(page);
    EXPECT_GT(CountColour(image, QRect(10, 10, flat.height(), flat.width()), qRgb(0, 0, 0)), 0);
    EXPECT_EQ(CountColour(image, QRect(10 + flat.height() + 2, 10, 60, flat.width()), qRgb(0, 0, 0)), 0);
}

TEST_F(SimpleControlTest, ContentKindsPutTheirSampleAndLockTheText)
{
    auto* text = Add<XText>();
    EXPECT_TRUE(Edit(*text, PropertyId::kContentKind, Translate("127")));
    const QDate d = QDate::currentDate();
    EXPECT_EQ(text->text, QString::asprintf("%4d-%02d-%02d", d.year(), d.month(), d.day()));
    EXPECT_EQ(text->contentKind, 1);
    text->FillProperties(grid);
    EXPECT_FALSE(grid.FindByData(PropertyId::kText)->enabled);
    EXPECT_FALSE(Edit(*text, PropertyId::kText, QStringLiteral("typed")));
    EXPECT_NE(text->text, QStringLiteral("typed"));

    EXPECT_TRUE(Edit(*text, PropertyId::kContentKind, Translate("203")));
    EXPECT_EQ(text->text, QStringLiteral("100%"));
    EXPECT_TRUE(Edit(*text, PropertyId::kContentKind, QStringLiteral("NONE")));
    EXPECT_EQ(text->text, QStringLiteral("TEXT"));
    EXPECT_TRUE(Edit(*text, PropertyId::kText, QStringLiteral("typed")));
    EXPECT_FALSE(Edit(*text, PropertyId::kText, QString())); // empty: refused silently
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(text->text, QStringLiteral("typed"));
    page->Undo();
    EXPECT_EQ(text->text, QStringLiteral("TEXT"));

    // Loading: a known kind shows its sample, an unknown one keeps kind and text.
    for (const int kind : {6, 42}) {
        MyFile f;
    Start(f, 3, QStringLiteral("K"), {0, 0, 1, 1});
        f.WriteString(QStringLiteral("stored"));
        f.WriteWord(30);
        f.WriteWord(0);
        f.WriteColor(0);
        f.WriteWord(kind);
        std::unique_ptr<XControl> c(Read(f.Written()));
        ASSERT_NE(c, nullptr);
        auto* t = static_cast<XText*>(c.get());
        EXPECT_EQ(t->contentKind, kind);
        EXPECT_EQ(t->text, kind == 6 ? QStringLiteral("192.168.168.234") : QStringLiteral("stored"));
        if (kind == 42)
            EXPECT_EQ(Record(*t), f.Written());
    }
}

TEST_F(SimpleControlTest, LineIsHitAlongItsSegmentOnly)
{
    auto* line = Add<XLine>(0, 0, 100, 50);
    line->lineWidth = 1;
    EXPECT_TRUE(line->HitTest(QPoint(50, 25)));
    // 3 pixels beside the middle, perpendicular to the segment: hit while selected.
    line->selected = true;
    EXPECT_TRUE(line->HitTest(QPoint(49, 28)));
    EXPECT_FALSE(line->HitTest(QPoint(90, 5)));  // inside the bounding box, far from it
    EXPECT_FALSE(line->HitTest(QPoint(10, 45)));
    line->selected = false;
    EXPECT_FALSE(line->HitTest(QPoint(49, 28))); // a 1-pixel line is hit within 1 pixel
    // A line drawn backwards is the same segment.
    std::swap(line->x1, line->x2);
    std::swap(line->y1, line->y2);
    EXPECT_TRUE(line->HitTest(QPoint(50, 25)));
    EXPECT_FALSE(line->HitTest(QPoint(90, 5)));
    line->Refresh();
    EXPECT_EQ(line->x1, 100); // keeps its direction
    // Horizontal: the rectangle test with the margin.
    auto* flat = Add<XLine>(0, 100, 100, 0);
    flat->y2 = 100;
    flat->lineWidth = 6;
    EXPECT_TRUE(flat->HitTest(QPoint(50, 103)));
    EXPECT_FALSE(flat->HitTest(QPoint(50, 105)));
}

TEST_F(SimpleControlTest, RangesAreRefusedAtBothBounds)
{
    struct Case {
        XControl* control;
        quint32 id;
        int low;
        int high;
        const char* key;
    };
    auto* line = Add<XLine>(0, 0, 50, 50);
    auto* text = Add<XText>();
    auto* sensor = Add<XSensor>();
    auto* picker = Add<XPicker>();
    auto* link = Add<XHyperlink>();
    const Case cases[] = {
        {line, PropertyId::kLineWidth, 1, 200, "137"},   {line, PropertyId::kX2, -5000, 5000, "114"},
        {text, PropertyId::kFontSize, 1, 500, "117"},    {sensor, PropertyId::kFontSize, 1, 500, "117"},
        {sensor, PropertyId::kSensorNumber, 0, 255, "150"}, {picker, PropertyId::kSendCode, 0, 4000, "113"},
        {picker, PropertyId::kWidth, 0, 5000, "115"},     {link, PropertyId::kFontSize, 1, 500, "117"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " " + c.key);
        for (const int bad : {c.low - 1, c.high + 1}) {
            ui.messages.clear();
            EXPECT_FALSE(Edit(*c.control, c.id, bad));
            ASSERT_EQ(ui.messages.size(), 1);
            EXPECT_EQ(ui.messages[0].text, TranslateFormat(QString::fromLatin1(c.key), RangeArgs(c.low, c.high)));
        }
        ui.messages.clear();
        for (const int good : {c.high, c.low})
            EXPECT_TRUE(Edit(*c.control, c.id, good));
        EXPECT_TRUE(ui.messages.isEmpty());
    }
    // Moving one end of a line leaves the other where it was.
    EXPECT_EQ(line->x2, -5000);
    EXPECT_EQ(line->x1, 0);
}

TEST_F(SimpleControlTest, SensorShowsItsNumberAndKeepsItsSizeWhenScaled)
{
    auto* sensor = Add<XSensor>(100, 100, 60, 40);
    sensor->textColor = MakeRgb(255, 0, 0);
    const QImage image = Render(page);
    QRect box;
    for (int y = 100; y < 140; ++y)
        for (int x = 100; x < 160; ++x)
            if (qGreen(image.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_NEAR(box.center().x(), 130, 3); // "0" centred
    EXPECT_NEAR(box.center().y(), 120, 4);
    sensor->Scale(1600, 800, 300, 600);
    EXPECT_EQ(sensor->x1, 200);
    EXPECT_EQ(sensor->y1, 50);
    EXPECT_EQ(sensor->Bounds().Width(), 60);
    EXPECT_EQ(sensor->Bounds().Height(), 40);
}

TEST_F(SimpleControlTest, HyperlinkWritesItsTextImageAndNormalisesItsData)
{
    auto* link = Add<XHyperlink>(0, 0, 120, 40);
    link->name = QStringLiteral("Help");
    EXPECT_TRUE(Edit(*link, PropertyId::kCommandString, QStringLiteral("  a；b； ")));
    EXPECT_EQ(link->linkData, QStringLiteral("a;b"));
    EXPECT_TRUE(link->SetLinkText(QStringLiteral("rtsp://127.0.0.1/")));
    EXPECT_FALSE(link->SetLinkText(QStringLiteral("rtsp://127.0.0.1/")));
    EXPECT_TRUE(project.SaveProjectFile());
    const QImage image(TextImagePath(QStringLiteral("Main_Help.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(120, 40));
    EXPECT_FALSE(OpaqueBounds(image).isEmpty());

    auto* picker = Add<XPicker>();
    EXPECT_TRUE(Edit(*picker, PropertyId::kPickerData, QStringLiteral(" x；y；")));
    EXPECT_EQ(picker->pickerData, QStringLiteral(" x;y")); // blanks stay
    // A data string longer than a record can hold is cut as every string is.
    picker->pickerData = QString(3000, u'x');
    std::unique_ptr<XControl> back(Read(Record(*picker)));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(static_cast<XPicker*>(back.get())->pickerData.size(), 2047);
}

TEST_F(SimpleControlTest, WeatherDrawsTheApplicationPicture)
{
    auto* weather = Add<XWeather>(0, 0, 80, 60);
    ASSERT_TRUE(QFileInfo::exists(weather->weatherImagePath)) << weather->weatherImagePath.toStdString();
    const QImage image = Render(page);
    // Not the dark placeholder: the picture's sun is yellow.
    EXPECT_EQ(CountColour(image, QRect(0, 0, 80, 60), qRgb(46, 63, 93)), 0);
    weather->weatherImagePath = dir.Path(QStringLiteral("missing.png"));
    const QImage fallback = Render(page);
    EXPECT_GT(CountColour(fallback, QRect(0, 0, 80, 60), qRgb(46, 63, 93)), 1000);
}
