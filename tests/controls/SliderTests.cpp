// Sliders, slider pictures and volume bars: records of every version, the link of a
// slider picture to its slider, the strip frame, ranges and drawing.

#include "ControlFixture.h"

#include "base/Translation.h"
#include "controls/XDanteVolumeBar.h"
#include "controls/XSlider.h"
#include "controls/XSliderPhoto.h"
#include "controls/XVolumeBar.h"
#include "model/MyFile.h"
#include "model/PropertyGridModel.h"

#include <QDir>
#include <QJsonObject>
#include <QPainter>

namespace {

QByteArray SliderRecord(int version)
{
    MyFile f;
    f.OpenWriteMemory();
    f.WriteByte(version);
    f.WriteByte(8);
    f.WriteString(QStringLiteral("Fader"));
    for (qint32 v : {10, 20, 74, 270})
        f.WriteDword(v);
    f.WriteWord(1);    // sliderVertical
    f.WriteWord(1000); // sliderSteps
    f.WriteDword(12);  // sendCode
    if (version >= 1)
        for (const char* image : {"knob.png", "NONE", "gone.png"})
            f.WriteString(QString::fromLatin1(image));
    if (version >= 2)
        f.WriteString(QStringLiteral("ZONE 1"));
    return f.Written();
}

} // namespace

class SliderTest : public ControlFixture {};

TEST_F(SliderTest, EveryReadableSliderVersionIsWrittenBackAsVersionTwo)
{
    AddProjectImage(QStringLiteral("knob.png"), 4, 4);
    const QByteArray current = SliderRecord(2);
    for (const int version : {0, 1, 2}) {
        SCOPED_TRACE(version);
        std::unique_ptr<XControl> c(Read(SliderRecord(version)));
        ASSERT_NE(c, nullptr);
        auto* s = static_cast<XSlider*>(c.get());
        EXPECT_EQ(s->sliderSteps, 1000);
        EXPECT_EQ(s->sendCode, 12);
        EXPECT_EQ(s->sliderImage1, version == 0 ? QStringLiteral("NONE") : QStringLiteral("knob.png"));
        EXPECT_EQ(s->sliderImage3, QStringLiteral("NONE")); // not in the project
        EXPECT_EQ(s->sliderData, version == 2 ? QStringLiteral("ZONE 1") : QString());
        const QByteArray saved = Record(*s);
        EXPECT_EQ(saved.left(4), QByteArray("0208"));
        if (version == 2)
            EXPECT_NE(saved, current); // the missing image is written as "NONE"
        std::unique_ptr<XControl> again(Read(saved));
        ASSERT_NE(again, nullptr);
        EXPECT_EQ(Record(*again), saved);
    }
    MyFile three;
    three.OpenWriteMemory();
    three.WriteByte(3);
    three.WriteByte(8);
    three.WriteString(QStringLiteral("F"));
    std::unique_ptr<XControl> refused(Read(three.Written()));
    EXPECT_EQ(refused, nullptr);
}

TEST_F(SliderTest, PictureAndVolumeBarRecordsFollowTheirLayout)
{
    AddProjectImage(QStringLiteral("strip.png"), 4, 8);
    Add<XSlider>()->name = QStringLiteral("Fader");
    MyFile photo;
    photo.OpenWriteMemory();
    photo.WriteByte(0);
    photo.WriteByte(12);
    photo.WriteString(QStringLiteral("Meter"));
    for (qint32 v : {1, 2, 3, 4})
        photo.WriteDword(v);
    photo.WriteString(QStringLiteral("strip.png"));
    photo.WriteWord(4);
    photo.WriteWord(3);
    photo.WriteString(QStringLiteral("Fader"));
    std::unique_ptr<XControl> p(Read(photo.Written()));
    ASSERT_NE(p, nullptr);
    p->ResolveReferences();
    EXPECT_NE(static_cast<XSliderPhoto*>(p.get())->LinkedSlider(), nullptr);
    EXPECT_EQ(Record(*p), photo.Written());
    QJsonObject info;
    p->DescribeFields(info);
    EXPECT_EQ(info.value(QStringLiteral("linkedSliderName")).toString(), QStringLiteral("Fader"));
    EXPECT_EQ(info.value(QStringLiteral("frameCount")).toInt(), 4);

    for (const int type : {30, 37}) {
        SCOPED_TRACE(type);
        const bool dante = type == 37;
        MyFile f;
        f.OpenWriteMemory();
        f.WriteByte(0);
        f.WriteByte(type);
        f.WriteString(QStringLiteral("Bar"));
        for (qint32 v : {0, 0, 300, 40})
            f.WriteDword(v);
        f.WriteColor(MakeRgb(1, 1, 1));
        f.WriteString(QStringLiteral("strip.png"));
        if (!dante)
            f.WriteWord(0);
        for (int i = 2; i <= 5; ++i)
            f.WriteColor(MakeRgb(i, i, i));
        f.WriteWord(11);
        if (!dante)
            f.WriteWord(1);
        f.WriteColor(MakeRgb(6, 6, 6));
        f.WriteColor(MakeRgb(7, 7, 7));
        f.WriteString(QStringLiteral("NONE"));
        f.WriteColor(MakeRgb(8, 8, 8));
        f.WriteWord(12);
        if (!dante) {
            f.WriteWord(101);
            f.WriteDword(4000);
        }
        f.WriteString(QStringLiteral("DATA"));
        if (dante) {
            f.WriteWord(255);
            f.WriteWord(2);
        }
        std::unique_ptr<XControl> c(Read(f.Written()));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(static_cast<XVolumeLook*>(c.get())->volumeTextSize2, 12);
        EXPECT_EQ(Record(*c), f.Written());
    }
    XVolumeBar bar;
    EXPECT_EQ(bar.sliderSteps, 101);
    XDanteVolumeBar channel;
    EXPECT_EQ(channel.volumeColor8, 0xFFFFFFu);
    EXPECT_EQ(bar.volumeColor8, MakeRgb(1, 1, 1));
}

TEST_F(SliderTest, RemovingASliderUnlinksItsPicturesAndUndoLinksThemAgain)
{
    auto* fader = Add<XSlider>();
    auto* meter = Add<XSliderPhoto>();
    auto* other = Add<XSliderPhoto>();
    EXPECT_TRUE(Edit(*meter, PropertyId::kLinkedSlider, fader->name));
    EXPECT_EQ(meter->LinkedSlider(), fader);
    page->SelectOnly(fader);
    ASSERT_TRUE(page->DeleteSelection());
    EXPECT_EQ(meter->LinkedSlider(), nullptr);
    EXPECT_EQ(meter->LinkedSliderName(), QStringLiteral("NONE"));
    EXPECT_TRUE(Record(*meter).endsWith(QByteArray("8008") + QByteArray("N\0O\0N\0E\0", 8)));
    // A new slider taking the old name is not followed.
    auto* newcomer = Add<XSlider>();
    newcomer->name = fader->name;
    EXPECT_EQ(meter->LinkedSlider(), nullptr);
    page->RemoveControl(newcomer);
    delete newcomer;

    page->Undo();
    EXPECT_TRUE(page->controls.contains(fader));
    EXPECT_EQ(meter->LinkedSlider(), fader);
    EXPECT_EQ(meter->LinkedSliderName(), fader->name);
    EXPECT_EQ(other->LinkedSliderName(), QStringLiteral("NONE"));
    // Undoing the link itself, then redoing it.
    page->Undo();
    EXPECT_EQ(meter->LinkedSlider(), nullptr);
    page->Redo();
    EXPECT_EQ(meter->LinkedSlider(), fader);
    // A copy without identity (duplicate, paste) follows nothing.
    std::unique_ptr<XControl> copy(meter->Clone(false));
    EXPECT_EQ(static_cast<XSliderPhoto*>(copy.get())->LinkedSliderName(), QStringLiteral("NONE"));
}

TEST_F(SliderTest, AnUnresolvedSliderNameIsKept)
{
    auto* meter = Add<XSliderPhoto>();
    MyFile f;
    f.OpenWriteMemory();
    f.WriteByte(0);
    f.WriteByte(12);
    f.WriteString(QStringLiteral("M"));
    for (qint32 v : {0, 0, 10, 10})
        f.WriteDword(v);
    f.WriteString(QStringLiteral("NONE"));
    f.WriteWord(0xFFFF); // a frame count no strip has
    f.WriteWord(0);
    f.WriteString(QStringLiteral("Elsewhere"));
    std::unique_ptr<XControl> c(Read(f.Written()));
    ASSERT_NE(c, nullptr);
    c->ResolveReferences();
    auto* loaded = static_cast<XSliderPhoto*>(c.get());
    EXPECT_EQ(loaded->LinkedSlider(), nullptr);
    EXPECT_EQ(Record(*loaded), f.Written());
    // The frame list stays bounded and the shown frame lies within it.
    loaded->FillProperties(grid);
    EXPECT_EQ(grid.FindByData(PropertyId::kCurrentFrame)->options.size(), 1000);
    EXPECT_EQ(loaded->ShownFrame(), 1);
    (void)meter;
}

TEST_F(SliderTest, AFourFrameStripShowsTheThirdFramesRows)
{
    // Four frames of 100 rows, each its own colour.
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
    QImage strip(50, 400, QImage::Format_RGB32);
    {
        QPainter p(&strip);
        for (int i = 0; i < 4; ++i)
            p.fillRect(0, i * 100, 50, 100, QColor(colours[i]));
    }
    QDir().mkpath(project.GetImageFolder());
    ASSERT_TRUE(strip.save(ImagePath(QStringLiteral("strip.png"))));
    ASSERT_TRUE(project.AddImage(ImagePath(QStringLiteral("strip.png")), QStringLiteral("strip.png")));
    auto* meter = Add<XSliderPhoto>(20, 20, 50, 100);
    meter->imageFile = QStringLiteral("strip.png");
    meter->frameCount = 4;
    meter->currentFrame = 3;
    EXPECT_EQ(meter->FrameRows(50, 400), QRect(0, 200, 50, 100));
    const QImage image = Render(page);
    EXPECT_EQ(CountColour(image, QRect(22, 22, 46, 96), colours[2]), 46 * 96);

    // Changing the frame count offers that many frames; a frame not listed becomes 1.
    EXPECT_TRUE(Edit(*meter, PropertyId::kFrameCount, 5));
    meter->FillProperties(grid);
    EXPECT_EQ(grid.FindByData(PropertyId::kCurrentFrame)->options,
              (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_TRUE(Edit(*meter, PropertyId::kCurrentFrame, QStringLiteral("9")));
    EXPECT_EQ(meter->currentFrame, 1);
    EXPECT_TRUE(Edit(*meter, PropertyId::kFrameCount, 2));
    EXPECT_LE(meter->currentFrame, 2);
}

TEST_F(SliderTest, RangesAreRefusedAtBothBounds)
{
    struct Case {
        XControl* control;
        quint32 id;
        int low;
        int high;
        const char* key;
    };
    auto* slider = Add<XSlider>();
    auto* meter = Add<XSliderPhoto>();
    auto* bar = Add<XVolumeBar>();
    auto* dante = Add<XDanteVolumeBar>();
    const Case cases[] = {
        {slider, PropertyId::kSliderSteps, 2, 1000, "156"},   {slider, PropertyId::kSendCode, 0, 4000, "113"},
        {meter, PropertyId::kFrameCount, 2, 1000, "160"},     {bar, PropertyId::kSliderSteps, 2, 1000, "156"},
        {bar, PropertyId::kVolumeTextSize1, 1, 500, "117"},   {bar, PropertyId::kVolumeTextSize2, 1, 500, "117"},
        {dante, PropertyId::kDanteChannel, 1, 255, "446"},    {bar, PropertyId::kHeight, 0, 5000, "116"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " " + c.key);
        const QByteArray before = Record(*c.control);
        for (const int bad : {c.low - 1, c.high + 1}) {
            ui.messages.clear();
            EXPECT_FALSE(Edit(*c.control, c.id, bad));
            ASSERT_EQ(ui.messages.size(), 1);
            EXPECT_EQ(ui.messages[0].text, TranslateFormat(QString::fromLatin1(c.key), RangeArgs(c.low, c.high)));
        }
        EXPECT_EQ(Record(*c.control), before);
        ui.messages.clear();
        for (const int good : {c.high, c.low})
            EXPECT_TRUE(Edit(*c.control, c.id, good));
        EXPECT_TRUE(ui.messages.isEmpty());
    }
    EXPECT_TRUE(Edit(*dante, PropertyId::kDanteMode, Translate("443")));
    EXPECT_EQ(dante->danteMode, 2);
    EXPECT_TRUE(slider->SetValue(12));
    EXPECT_FALSE(slider->SetValue(12));
    EXPECT_FALSE(bar->SetValue(4001));
}

TEST_F(SliderTest, PlaceholdersShowTextAndBadge)
{
    auto* slider = Add<XSlider>(0, 0, 200, 100);
    slider->sendCode = 12;
    auto* bar = Add<XVolumeBar>(0, 200, 200, 60);
    const QImage image = Render(page);
    const QRgb dark = qRgb(46, 63, 93);
    EXPECT_GT(CountColour(image, QRect(0, 0, 200, 100), dark), 10000);
    auto inkOf = [&](const QRect& area, auto test) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += test(image.pixel(x, y)) ? 1 : 0;
        return n;
    };
    auto white = [](QRgb c) { return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200; };
    auto red = [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; };
    // "SLIDER" in white at the top left, "12" in red at the bottom right, nothing red elsewhere.
    EXPECT_GT(inkOf(QRect(0, 0, 100, 40), white), 0);
    EXPECT_EQ(inkOf(QRect(100, 60, 100, 40), white), 0);
    EXPECT_GT(inkOf(QRect(140, 60, 60, 40), red), 0);
    EXPECT_EQ(inkOf(QRect(0, 0, 100, 50), red), 0);
    // A volume bar without a send code has no badge.
    EXPECT_EQ(inkOf(QRect(0, 200, 200, 60), red), 0);
    (void)bar;
}

TEST_F(SliderTest, PasteCarriesImagesAndCutsTheLinkAndScalingScalesTextSizes)
{
    AddProjectImage(QStringLiteral("a.png"), 4, 4);
    AddProjectImage(QStringLiteral("b.png"), 4, 4);
    auto* slider = Add<XSlider>();
    slider->sliderImage1 = QStringLiteral("a.png");
    slider->sliderImage3 = QStringLiteral("b.png");
    EXPECT_EQ(slider->ImageNames(), (QStringList{"a.png", "b.png"}));
    auto* bar = Add<XVolumeBar>();
    bar->volumeImage2 = QStringLiteral("b.png");
    EXPECT_EQ(bar->ImageNames(), (QStringList{"b.png"}));
    auto* meter = Add<XSliderPhoto>();
    meter->SetLinkedSlider(slider);
    meter->ClearReferences();
    EXPECT_EQ(meter->LinkedSliderName(), QStringLiteral("NONE"));
    EXPECT_EQ(meter->LinkedSlider(), nullptr);

    // The format brush takes images only when this project holds them.
    auto* target = Add<XSlider>(0, 0, 10, 10);
    slider->sliderImage2 = QStringLiteral("elsewhere.png");
    target->CopyAppearance(*slider);
    EXPECT_EQ(target->sliderImage1, QStringLiteral("a.png"));
    EXPECT_EQ(target->sliderImage2, QStringLiteral("NONE"));
    EXPECT_EQ(target->Bounds().Width(), slider->Bounds().Width());

    bar->volumeTextSize1 = 9;
    bar->volumeTextSize2 = 400;
    bar->Scale(1600, 800, 600, 600);
    EXPECT_EQ(bar->volumeTextSize1, 18);
    EXPECT_EQ(bar->volumeTextSize2, 500); // stays within what the row accepts
}
