// A damaged or hand-edited file drives no allocation or loop beyond what the biggest page
// needs: what such a file makes on save and on render is checked by its size, and what it
// cannot hold is refused on load with a message.

#include "ControlFixture.h"

#include "base/Translation.h"
#include "controls/ApplicationFont.h"
#include "controls/PageRendering.h"
#include "controls/XFontButton.h"
#include "controls/XFontText.h"
#include "controls/XPageContainer.h"
#include "controls/XPhoto.h"
#include "model/MyFile.h"
#include "model/TypeRegistry.h"
#include "model/WorkLimits.h"

#include <QFile>
#include <QImageReader>

namespace {

QSize StoredImageSize(const QString& path)
{
    return QImageReader(path).size();
}

}

class BoundedWorkTest : public ControlFixture {};

TEST_F(BoundedWorkTest, HugeControlsWriteTextImagesNoBiggerThanThePage)
{
    constexpr int kHuge = 900000; // accepted on load, far beyond any page
    auto* tall = Add<XFontText>(0, 0, 120, kHuge);
    tall->name = QStringLiteral("Tall");
    tall->text = QStringLiteral("Tall");
    auto* wide = Add<XFontButton>(-kHuge, 0, 2 * kHuge, 60);
    wide->name = QStringLiteral("Wide");
    wide->text = QStringLiteral("Wide");
    auto* normal = Add<XFontButton>(0, 0, 300, 80);
    normal->name = QStringLiteral("Normal");
    normal->text = QStringLiteral("Normal");
    ASSERT_TRUE(project.SaveProjectFile());

    EXPECT_EQ(StoredImageSize(TextImagePath(QStringLiteral("Main_Tall.png"))),
              QSize(120, WorkLimits::kMaxImageSide));
    EXPECT_EQ(StoredImageSize(TextImagePath(QStringLiteral("Main_Wide.png"))),
              QSize(WorkLimits::kMaxImageSide, 60));
    EXPECT_EQ(StoredImageSize(TextImagePath(QStringLiteral("Main_Wide_1.png"))),
              QSize(WorkLimits::kMaxImageSide, 60));
    // In-range controls keep their exact size.
    EXPECT_EQ(StoredImageSize(TextImagePath(QStringLiteral("Main_Normal.png"))), QSize(300, 80));
    // The stored values are kept, so the file says what it said.
    auto loaded = SaveAndReload();
    ASSERT_EQ(loaded->pages.size(), 1);
    EXPECT_EQ(loaded->pages[0]->FindControl(QStringLiteral("Tall"))->y2, kHuge);
}

TEST_F(BoundedWorkTest, HugeFontSizeIsDrawnAtMostPageHigh)
{
    auto* text = Add<XFontText>(0, 0, 10, 10);
    text->name = QStringLiteral("Big");
    text->fontName = ApplicationFontName();
    text->text = QString(MyFile::kMaxStringUnits, u'W');
    text->fontSize = 0xFFFF; // the largest a file can hold
    text->NormalizeBounds();
    const IntRect b = text->Bounds();
    // One line of one glyph height at most the size of the biggest face.
    EXPECT_LE(b.Height(), 2 * WorkLimits::kMaxImageSide);
    EXPECT_GT(b.Height(), WorkLimits::kMaxImageSide / 2);
    ASSERT_TRUE(project.SaveProjectFile());
    const QImage image(TextImagePath(QStringLiteral("Main_Big.png")));
    EXPECT_EQ(image.width(), WorkLimits::kMaxImageSide);
    EXPECT_EQ(image.height(), std::min(b.Height(), WorkLimits::kMaxImageSide));
    EXPECT_GT(CountColour(image, image.rect(), 0x000000), 1000) << "the clamped glyphs are drawn";
    EXPECT_EQ(text->fontSize, 0xFFFF);
}

TEST_F(BoundedWorkTest, RenderOfAHugePageAndContainerStopsAtThePageSize)
{
    XPage* sub = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("Sub"));
    sub->x2 = 800000;
    sub->y2 = 700000;
    sub->backgroundColor = MakeRgb(0, 200, 0);
    auto* box = Add<XPageContainer>(page, 0, 0, 600000, 600000);
    box->SetSubPage(sub);
    page->x2 = 900000;
    page->y2 = 100;

    const QImage whole = Render(page);
    EXPECT_EQ(whole.size(), QSize(WorkLimits::kMaxImageSide, 100));
    const QImage picture = Render(sub, 0.5);
    EXPECT_EQ(picture.size(), QSize(WorkLimits::kMaxImageSide / 2, WorkLimits::kMaxImageSide / 2));
    // The container drew the sub-page's background over the page's whole first row.
    EXPECT_EQ(CountColour(whole, QRect(0, 0, whole.width(), 1), 0x00C800), whole.width());
}

TEST_F(BoundedWorkTest, ContainerChainsAndFanOutDrawABoundedNumberOfPictures)
{
    // Sixteen sub-pages, each holding sixteen containers of different sizes that show the
    // next one: without the nesting bound and the paint-pass pictures this is 16^16 draws.
    constexpr int kLevels = 16;
    constexpr int kFan = 16;
    QList<XPage*> subs;
    for (int i = 0; i < kLevels; ++i)
        subs << project.NewPage(TypeRegistry::kSubPage, QStringLiteral("S%1").arg(i));
    for (int i = 0; i + 1 < kLevels; ++i)
        for (int k = 0; k < kFan; ++k)
            Add<XPageContainer>(subs[i], k, k, 100 + k, 100 + k)->SetSubPage(subs[i + 1]);
    subs.last()->backgroundColor = MakeRgb(255, 0, 0);
    for (int k = 0; k < kFan; ++k)
        Add<XPageContainer>(page, 10 * k, 0, 200, 200)->SetSubPage(subs[0]);

    int drawn = 0;
    class Counting : public XPageContainer {
    public:
        explicit Counting(int& n) : count(n) {}
        void Draw(QPainter& dc) override
        {
            ++count;
            XPageContainer::Draw(dc);
        }
        int& count;
    };
    auto* counted = new Counting(drawn);
    subs[2]->AddControl(counted);
    counted->x2 = counted->y2 = 50;
    counted->SetSubPage(subs[3]);

    QImage image;
    {
        PagePaintPass pass;
        image = Render(page);
    }
    EXPECT_EQ(image.size(), QSize(800, 600));
    // Each distinct picture of sub-page 2 is drawn once per pass: one per container size
    // on sub-page 1, never once per path through the chain.
    EXPECT_GE(drawn, 1);
    EXPECT_LE(drawn, kFan);
}

TEST_F(BoundedWorkTest, HugeScaledImageIsDrawnWithoutAScaledCopy)
{
    AddProjectImage(QStringLiteral("red.png"), 4, 4, 0xFF0000);
    auto* photo = Add<XPhoto>(0, 0, 600000, 600000);
    photo->imageFile = QStringLiteral("red.png");
    photo->imageMode = 1; // stretched to the control
    const QImage image = Render(page);
    ASSERT_EQ(image.size(), QSize(800, 600));
    // Stretched over the whole page: every pixel of the page is the image's.
    EXPECT_EQ(CountColour(image, image.rect(), 0xFF0000), 800 * 600);
}

TEST_F(BoundedWorkTest, PositionsBeyondTheEditorsArithmeticAreRefusedOnLoad)
{
    auto* text = Add<XFontText>(0, 0, 50, 20);
    text->name = QStringLiteral("Far");
    text->text.clear();
    text->y2 = 16000001; // the size the fault was first seen with
    ASSERT_TRUE(project.SaveProjectFile());
    ProjectData loaded;
    loaded.mainDelegate = &reloadDelegate;
    QString message;
    EXPECT_FALSE(loaded.LoadProjectFile(project.GetDataFilePath(), message));
    EXPECT_TRUE(message.contains(QStringLiteral("FONTTEXT"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QString::number(WorkLimits::kMaxCoordinate))) << message.toStdString();

    // The extreme a dword holds, on the page itself.
    text->y2 = 20;
    page->x1 = std::numeric_limits<qint32>::min();
    ASSERT_TRUE(project.SaveProjectFile());
    ProjectData again;
    again.mainDelegate = &reloadDelegate;
    EXPECT_FALSE(again.LoadProjectFile(project.GetDataFilePath(), message));
    EXPECT_TRUE(message.contains(QStringLiteral("PAGE"))) << message.toStdString();
}

TEST_F(BoundedWorkTest, InRangeFileResavesByteForByte)
{
    auto* text = Add<XFontText>(-5000, -5000, 10, 10);
    text->name = QStringLiteral("Edge");
    text->fontSize = 500;
    text->text = QStringLiteral("Edge");
    text->NormalizeBounds();
    Add<XPageContainer>(0, 0, 5000, 5000)->name = QStringLiteral("Box");
    ASSERT_TRUE(project.SaveProjectFile());
    QFile first(project.GetDataFilePath());
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QByteArray before = first.readAll();
    first.close();
    auto loaded = SaveAndReload();
    loaded->folder = dir.Path(QStringLiteral("Again"));
    ASSERT_TRUE(loaded->SaveProjectFile());
    QFile second(loaded->GetDataFilePath());
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_EQ(second.readAll(), before);
}
