// Stored records of the video controls, each against a record written by hand from its
// layout, and loads of damaged lists.

#include "ControlFixture.h"

#include "base/Translation.h"
#include "controls/XScrollPreviewFrame.h"
#include "controls/XVideoComboBox.h"
#include "controls/XVideoPreview.h"
#include "controls/XVideoPreviewFrame.h"
#include "controls/XWebCamera.h"
#include "model/ElementRecord.h"
#include "model/MyFile.h"
#include "model/TypeRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include <memory>

namespace {

using namespace ElementType;

// The common start of a record: version, type, name and the two points.
void WriteHead(MyFile& f, int type, const QString& name, std::initializer_list<qint32> bounds)
{
    f.WriteByte(0);
    f.WriteByte(type);
    f.WriteString(name);
    for (qint32 v : bounds)
        f.WriteDword(v);
}

MyFile& NewRecord(MyFile& f)
{
    f.OpenWriteMemory();
    return f;
}

DeviceInfoItem Device(const QString& id, const QString& host, const QString& uhd = QString())
{
    DeviceInfoItem d;
    d.id = id;
    d.name = QStringLiteral("Cam ") + id;
    d.previewAddress = QStringLiteral("rtsp://") + host + QStringLiteral(":2554/352");
    d.hdAddress = QStringLiteral("rtsp://") + host + QStringLiteral(":554/1080");
    d.uhdAddress = uhd;
    return d;
}

// A scrolling preview record up to its device count, with the defaults.
void WriteScrollHead(MyFile& f, const QString& name)
{
    WriteHead(f, kScrollPreviewFrame, name, {0, 0, 200, 100});
    for (int v : {1, 5, 0, 0, 1, 1, 22})
        f.WriteWord(v); // rows, columns, direction, flag1..3, captionSize
    f.WriteColor(0xFFFFFF);
    f.WriteWord(32);
    f.WriteWord(32);
    f.WriteColor(MakeRgb(0x28, 0x29, 0x2D));
    f.WriteString(QStringLiteral("NONE"));
    f.WriteWord(20);
}

} // namespace

class VideoRecordTest : public ControlFixture {
protected:
    // Reads one record as a page does; the file is kept for its error.
    XControl* ReadKeepingFile(const QByteArray& bytes)
    {
        file.OpenReadData(bytes);
        return ReadElementRecord(file, &CreateElement, [this](XControl* e) {
            e->mainDelegate = page->mainDelegate;
            e->projectData = page->projectData;
            e->page = page;
        });
    }
    void ExpectRecord(XControl& control, const QByteArray& expected)
    {
        EXPECT_EQ(Record(control), expected);
        std::unique_ptr<XControl> back(Read(expected));
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(Record(*back), expected);
    }
    MyFile file;
};

TEST_F(VideoRecordTest, WebCameraAndPreviewStoreOnlyTheirOwnFields)
{
    auto* camera = Add<XWebCamera>(-4, 8, 160, 90);
    camera->cameraAddress = QStringLiteral("192.168.1.64");
    camera->userName = QStringLiteral("admin");
    camera->password = QStringLiteral("密码");
    camera->text = QStringLiteral("not stored");
    MyFile f;
    WriteHead(NewRecord(f), kWebCamera, camera->name, {-4, 8, 156, 98});
    f.WriteString(QStringLiteral("192.168.1.64"));
    f.WriteString(QStringLiteral("admin"));
    f.WriteString(QStringLiteral("密码"));
    ExpectRecord(*camera, f.Written());

    auto* preview = Add<XVideoPreview>(0, 0, 500, 100);
    preview->rows = 20;
    preview->columns = 3;
    preview->previewFlag = 1;
    preview->fontSize = 48;
    WriteHead(NewRecord(f), kVideoPreview, preview->name, {0, 0, 500, 100});
    f.WriteWord(20);
    f.WriteWord(3);
    f.WriteWord(1);
    ExpectRecord(*preview, f.Written());
    std::unique_ptr<XControl> back(Read(f.Written()));
    EXPECT_EQ(static_cast<XFontText*>(back.get())->fontSize, 20) << "a loaded preview keeps its default font";
    EXPECT_EQ(static_cast<XFontText*>(back.get())->text, QStringLiteral("VIDEOPREVIEW"));
}

TEST_F(VideoRecordTest, PreviewFrameStoresRectangleFontAndAddressesAndRendersItsCaption)
{
    AddProjectImage(QStringLiteral("wall.png"), 8, 8);
    auto* frame = Add<XVideoPreviewFrame>(10, 20, 320, 180);
    frame->lineWidth = 3;
    frame->color = MakeRgb(1, 2, 3);
    frame->hollow = 0;
    frame->fillColor = MakeRgb(4, 5, 6);
    frame->imageFile = QStringLiteral("wall.png");
    frame->text = QStringLiteral("门口");
    frame->fontSize = 30;
    frame->textColor = MakeRgb(7, 8, 9);
    frame->fontStyle = 2;
    frame->fontName = QStringLiteral("Serif");
    frame->streamAddresses = QStringLiteral("rtsp://192.168.1.9:2554/352;rtsp://192.168.1.9:554/1080");
    MyFile f;
    WriteHead(NewRecord(f), kVideoPreviewFrame, frame->name, {10, 20, 330, 200});
    f.WriteWord(3);
    f.WriteColor(MakeRgb(1, 2, 3));
    f.WriteWord(0);
    f.WriteColor(MakeRgb(4, 5, 6));
    f.WriteString(QStringLiteral("wall.png"));
    f.WriteString(QStringLiteral("门口"));
    f.WriteWord(30);
    f.WriteColor(MakeRgb(7, 8, 9));
    f.WriteWord(2);
    f.WriteString(QStringLiteral("Serif"));
    f.WriteString(QStringLiteral("rtsp://192.168.1.9:2554/352;rtsp://192.168.1.9:554/1080"));
    const QString image = TextImagePath(QStringLiteral("Main_") + frame->name + QStringLiteral(".png"));
    ExpectRecord(*frame, f.Written());
    ASSERT_TRUE(project.SaveProjectFile());
    EXPECT_TRUE(QFileInfo(image).isFile()) << "the caption is rendered for the panel";

    // An image the project does not hold loads as none.
    frame->imageFile = QStringLiteral("gone.png");
    std::unique_ptr<XControl> back(Read(Record(*frame)));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(static_cast<XVideoPreviewFrame*>(back.get())->imageFile, QStringLiteral("NONE"));
}

TEST_F(VideoRecordTest, ScrollPreviewWritesItsDevicesAfterTheCount)
{
    auto* scroll = Add<XScrollPreviewFrame>(0, 0, 200, 100);
    MyFile f;
    WriteScrollHead(NewRecord(f), scroll->name);
    f.WriteWord(0);
    EXPECT_EQ(Record(*scroll), f.Written()) << "no devices: a count of 0 and nothing after it";

    scroll->rows = 2;
    scroll->columns = 4;
    scroll->direction = 1;
    scroll->flag1 = 1;
    scroll->flag2 = 0;
    scroll->flag3 = 0;
    scroll->captionSize = 500;
    scroll->captionColor = MakeRgb(9, 8, 7);
    scroll->setting1 = 100;
    scroll->setting2 = 1;
    scroll->background = MakeRgb(1, 1, 1);
    scroll->setting3 = 0xFFFF;
    const DeviceInfoList given = {new DeviceInfoItem(Device(QStringLiteral("7"), QStringLiteral("10.0.0.7"))),
                                  new DeviceInfoItem(Device(QStringLiteral("3"), QStringLiteral("10.0.0.3"),
                                                            QStringLiteral("rtsp://10.0.0.3:551/2160")))};
    scroll->SetDevices(given); // copies
    qDeleteAll(given);
    WriteHead(NewRecord(f), kScrollPreviewFrame, scroll->name, {0, 0, 200, 100});
    for (int v : {2, 4, 1, 1, 0, 0, 500})
        f.WriteWord(v);
    f.WriteColor(MakeRgb(9, 8, 7));
    f.WriteWord(100);
    f.WriteWord(1);
    f.WriteColor(MakeRgb(1, 1, 1));
    f.WriteString(QStringLiteral("NONE"));
    f.WriteWord(0xFFFF);
    f.WriteWord(2);
    for (const DeviceInfoItem& d : {Device(QStringLiteral("7"), QStringLiteral("10.0.0.7")),
                                    Device(QStringLiteral("3"), QStringLiteral("10.0.0.3"),
                                           QStringLiteral("rtsp://10.0.0.3:551/2160"))}) {
        f.WriteString(d.id);
        f.WriteString(d.name);
        f.WriteString(d.previewAddress);
        f.WriteString(d.hdAddress);
        f.WriteString(d.uhdAddress);
    }
    ExpectRecord(*scroll, f.Written());

    // More devices than the count word can say would be written with a wrong count.
    while (scroll->Devices().size() < 0xFFFF)
        scroll->GetDeviceList().append(new DeviceInfoItem);
    NewRecord(f);
    EXPECT_TRUE(scroll->Save(f));
    scroll->GetDeviceList().append(new DeviceInfoItem);
    NewRecord(f);
    EXPECT_FALSE(scroll->Save(f));
}

TEST_F(VideoRecordTest, ComboBoxWritesExactlyRowsTimesColumnsChannelsWithoutACount)
{
    auto* box = Add<XVideoComboBox>(0, 0, 300, 100);
    box->rows = 2;
    box->columns = 3;
    box->id = 1000;
    box->ResetChannels();
    box->channels[4].uhdAddress = QStringLiteral("rtsp://192.168.1.105:551/2160");
    box->channels[5].name = QStringLiteral("大厅");
    MyFile f;
    WriteHead(NewRecord(f), kVideoComboBox, box->name, {0, 0, 300, 100});
    f.WriteWord(2);
    f.WriteWord(3);
    f.WriteWord(1000);
    for (int k = 1; k <= 6; ++k) {
        f.WriteString(k == 6 ? QStringLiteral("大厅") : QString::number(k));
        f.WriteString(QStringLiteral("rtsp://192.168.1.%1:2554/352").arg(100 + k));
        f.WriteString(QStringLiteral("rtsp://192.168.1.%1:554/1080").arg(100 + k));
        f.WriteString(k == 5 ? QStringLiteral("rtsp://192.168.1.105:551/2160") : QString());
    }
    ExpectRecord(*box, f.Written());
}

TEST_F(VideoRecordTest, InfoNamesEveryFieldAndListsChannelsAndDevicesAsObjects)
{
    auto* scroll = Add<XScrollPreviewFrame>();
    scroll->GetDeviceList().append(new DeviceInfoItem(Device(QStringLiteral("A1"), QStringLiteral("10.1.1.1"))));
    auto* box = Add<XVideoComboBox>();
    QJsonObject out;
    scroll->DescribeFields(out);
    for (const char* key : {"rows", "columns", "direction", "flag1", "flag2", "flag3", "captionSize", "captionColor",
                            "setting1", "setting2", "background", "imageFile", "setting3"})
        EXPECT_TRUE(out.contains(QLatin1String(key))) << key;
    const QJsonArray devices = out.value(QStringLiteral("devices")).toArray();
    ASSERT_EQ(devices.size(), 1);
    const QJsonObject device = devices[0].toObject();
    EXPECT_EQ(device.value(QStringLiteral("id")).toString(), QStringLiteral("A1"));
    EXPECT_EQ(device.value(QStringLiteral("name")).toString(), QStringLiteral("Cam A1"));
    EXPECT_EQ(device.value(QStringLiteral("hdAddress")).toString(), QStringLiteral("rtsp://10.1.1.1:554/1080"));
    EXPECT_TRUE(device.contains(QStringLiteral("previewAddress")) && device.contains(QStringLiteral("uhdAddress")));

    out = {};
    box->DescribeFields(out);
    EXPECT_EQ(out.value(QStringLiteral("id")).toInt(), 1);
    const QJsonArray channels = out.value(QStringLiteral("channels")).toArray();
    ASSERT_EQ(channels.size(), 1);
    EXPECT_EQ(channels[0].toObject().value(QStringLiteral("previewAddress")).toString(),
              QStringLiteral("rtsp://192.168.1.101:2554/352"));
    EXPECT_EQ(channels[0].toObject().value(QStringLiteral("name")).toString(), QStringLiteral("1"));

    out = {};
    Add<XVideoPreviewFrame>()->DescribeFields(out);
    for (const char* key : {"lineWidth", "color", "hollow", "fillColor", "imageFile", "text", "fontSize",
                            "textColor", "fontStyle", "fontName", "streamAddresses"})
        EXPECT_TRUE(out.contains(QLatin1String(key))) << key;
    out = {};
    Add<XWebCamera>()->DescribeFields(out);
    for (const char* key : {"cameraAddress", "userName", "password"})
        EXPECT_TRUE(out.contains(QLatin1String(key))) << key;
    out = {};
    Add<XVideoPreview>()->DescribeFields(out);
    for (const char* key : {"rows", "columns", "previewFlag"})
        EXPECT_TRUE(out.contains(QLatin1String(key))) << key;
}

TEST_F(VideoRecordTest, ADeviceCountTheRestOfTheFileCannotHoldFailsBeforeAnyDeviceIsMade)
{
    auto* scroll = Add<XScrollPreviewFrame>();
    MyFile f;
    WriteScrollHead(NewRecord(f), scroll->name);
    f.WriteWord(0xFFFF); // 65535 devices announced, one given
    const DeviceInfoItem d = Device(QStringLiteral("1"), QStringLiteral("10.0.0.1"));
    for (const QString& s : {d.id, d.name, d.previewAddress, d.hdAddress, d.uhdAddress})
        f.WriteString(s);
    const QByteArray oversized = f.Written();

    EXPECT_EQ(ReadKeepingFile(oversized), nullptr);
    EXPECT_EQ(file.LastError(), MyFile::Error::BadCount);
    EXPECT_EQ(file.FailedCount(), 0xFFFF);

    // Opening such a project says what is wrong and where.
    ASSERT_TRUE(project.SaveProjectFile());
    QFile data(project.GetDataFilePath());
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    QByteArray bytes = data.readAll();
    data.close();
    ASSERT_TRUE(bytes.endsWith("0000")) << "the preview's device count ends the file";
    bytes.replace(bytes.size() - 4, 4, "ffff");
    ASSERT_TRUE(data.open(QIODevice::WriteOnly | QIODevice::Truncate));
    data.write(bytes);
    data.close();
    ProjectData loaded;
    loaded.mainDelegate = &reloadDelegate;
    QString message;
    EXPECT_FALSE(loaded.LoadProjectFile(project.GetDataFilePath(), message));
    EXPECT_EQ(message, TranslateFormat("1200", {QStringLiteral("SCROLLVIDEOPREVIEW"), QString::number(bytes.size()),
                                                QStringLiteral("65535")}));
    EXPECT_FALSE(Translate("1200").isEmpty());

    // Cut inside the count word: the short read is reported as such.
    WriteScrollHead(NewRecord(f), scroll->name);
    const QByteArray cut = f.Written() + QByteArray("00");
    EXPECT_EQ(ReadKeepingFile(cut), nullptr);
    EXPECT_EQ(file.LastError(), MyFile::Error::Truncated);

    // Two announced and one given: the short read ends the load.
    auto withDevices = [&](int announced, int given) {
        WriteScrollHead(NewRecord(f), scroll->name);
        f.WriteWord(announced);
        for (int i = 0; i < given; ++i)
            for (const QString& s : {d.id, d.name, d.previewAddress, d.hdAddress, d.uhdAddress})
                f.WriteString(s);
        return f.Written();
    };
    EXPECT_EQ(ReadKeepingFile(withDevices(2, 1)), nullptr);
    EXPECT_EQ(file.LastError(), MyFile::Error::Truncated);
    std::unique_ptr<XControl> back(ReadKeepingFile(withDevices(2, 2)));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(static_cast<XScrollPreviewFrame*>(back.get())->Devices().size(), 2);
    EXPECT_TRUE(file.AtEnd());
}

TEST_F(VideoRecordTest, AComboBoxGridOutsideItsRangeFailsTheLoad)
{
    for (const auto& [rows, columns] : {std::pair{11, 1}, std::pair{0, 3}, std::pair{2, 0}, std::pair{0xFFFF, 0xFFFF}}) {
        SCOPED_TRACE(std::to_string(rows) + " x " + std::to_string(columns));
        MyFile f;
        WriteHead(NewRecord(f), kVideoComboBox, QStringLiteral("VIDEOCOMBOBOX-9"), {0, 0, 10, 10});
        f.WriteWord(rows);
        f.WriteWord(columns);
        f.WriteWord(1);
        for (int i = 0; i < 4 * 11; ++i)
            f.WriteString(QStringLiteral("x"));
        EXPECT_EQ(ReadKeepingFile(f.Written()), nullptr);
        EXPECT_EQ(file.LastError(), MyFile::Error::BadCount);
        EXPECT_EQ(file.FailedType(), kVideoComboBox);
    }
}
