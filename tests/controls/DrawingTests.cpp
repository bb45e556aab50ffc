// What the controls draw in the design view, and the text images written on save.

#include "ControlFixture.h"

#include "controls/ApplicationFont.h"
#include "controls/ImageCache.h"
#include "controls/TextDrawing.h"
#include "controls/XButton.h"
#include "controls/XFontButton.h"
#include "controls/XFontText.h"
#include "controls/XPageContainer.h"
#include "controls/XPhoto.h"
#include "controls/XRectangle.h"
#include "model/TypeRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr QRgb kPlaceholder = 0xFF2E3F5D; // RGB(46, 63, 93)

QRgb At(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

// The pixels near the outline of the text drawn with a font of the given pixel size at
// the top-left corner: glyph area widened by two pixels on every side.
QImage GlyphArea(const QString& family, int pixels, const QString& text, QSize size)
{
    QFont font(family);
    font.setPixelSize(pixels);
    QPainterPath path;
    path.addText(0, QFontMetricsF(font).ascent(), font, text);
    QImage mask(size, QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    QPainter p(&mask);
    p.setPen(QPen(Qt::black, 4));
    p.setBrush(Qt::black);
    p.drawPath(path);
    return mask;
}
}

class DrawingTest : public ControlFixture {};

TEST_F(DrawingTest, FontTextImageHasTheControlsSizeAndIsClearOutsideTheGlyphs)
{
    auto* text = Add<XFontText>(40, 30, 0, 0);
    text->name = QStringLiteral("Title");
    text->text = QStringLiteral("Hall 大堂");
    text->fontName = ApplicationFontName();
    text->fontSize = 30; // 40 pixels
    text->textColor = MakeRgb(200, 0, 0);
    text->NormalizeBounds();
    auto* empty = Add<XFontText>();
    empty->name = QStringLiteral("Empty");
    empty->text.clear();
    ASSERT_TRUE(project.SaveProjectFile());

    const QImage image(TextImagePath(QStringLiteral("Main_Title.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(text->Bounds().Width(), text->Bounds().Height()));
    EXPECT_TRUE(image.hasAlphaChannel());
    const QImage glyphs = GlyphArea(ToQFont(MakeTextFace(ApplicationFontName(), 30, 0)).family(), 40, text->text, image.size());
    int ink = 0;
    int stray = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = image.pixel(x, y);
            if (qAlpha(px) == 0)
                continue;
            if (qAlpha(glyphs.pixel(x, y)) == 0)
                ++stray;
            if (qAlpha(px) == 255) {
                ++ink;
                EXPECT_EQ(px & 0xFFFFFF, 0xC80000u);
            }
        }
    }
    EXPECT_GT(ink, 200);
    EXPECT_EQ(stray, 0);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
    EXPECT_FALSE(QFileInfo::exists(TextImagePath(QStringLiteral("Main_Empty.png"))));
}

TEST_F(DrawingTest, FontButtonWritesBothLabelImages)
{
    auto* button = Add<XFontButton>(0, 0, 160, 50);
    button->name = QStringLiteral("Go");
    button->text = QStringLiteral("Go");
    button->textColor = MakeRgb(0, 0, 255);
    button->pressedTextColor = MakeRgb(0, 255, 0);
    auto* silent = Add<XFontButton>(0, 0, 160, 50);
    silent->name = QStringLiteral("Silent");
    silent->text.clear();
    ASSERT_TRUE(project.SaveProjectFile());
    const QImage normal(TextImagePath(QStringLiteral("Main_Go.png")));
    const QImage pressed(TextImagePath(QStringLiteral("Main_Go_1.png")));
    ASSERT_EQ(normal.size(), QSize(160, 50));
    ASSERT_EQ(pressed.size(), QSize(160, 50));
    EXPECT_GT(CountColour(normal, normal.rect(), 0x0000FF), 20);
    EXPECT_EQ(CountColour(normal, normal.rect(), 0x00FF00), 0);
    EXPECT_GT(CountColour(pressed, pressed.rect(), 0x00FF00), 20);
    // The label is centred (alignment 5).
    const QRect ink = OpaqueBounds(normal);
    EXPECT_NEAR(ink.center().x(), 80, 3);
    EXPECT_NEAR(ink.center().y(), 25, 4);
    EXPECT_FALSE(QFileInfo::exists(TextImagePath(QStringLiteral("Main_Silent.png"))));
    EXPECT_FALSE(QFileInfo::exists(TextImagePath(QStringLiteral("Main_Silent_1.png"))));
}

TEST_F(DrawingTest, ZeroAreaTextWritesNothingAndSaves)
{
    auto* button = Add<XFontButton>(5, 5, 0, 40);
    button->name = QStringLiteral("Flat");
    ASSERT_TRUE(project.SaveProjectFile());
    EXPECT_TRUE(QDir(project.GetTextImageFolder()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(DrawingTest, NamesNeverLeadOutOfTheTextImageFolder)
{
    ASSERT_TRUE(page->Rename(QStringLiteral("a/b")));
    auto* text = Add<XFontText>();
    text->name = QStringLiteral("../../escape");
    text->NormalizeBounds();
    auto* other = Add<XFontText>();
    other->name = QStringLiteral("..\\x");
    other->NormalizeBounds();
    ASSERT_TRUE(project.SaveProjectFile());
    const QStringList files = QDir(project.GetTextImageFolder()).entryList(QDir::Files);
    EXPECT_EQ(files, (QStringList{QStringLiteral("a_b_.._.._escape.png"), QStringLiteral("a_b_.._x.png")}));
    EXPECT_FALSE(QFileInfo::exists(project.folder + QStringLiteral("/escape.png")));
    EXPECT_FALSE(QFileInfo::exists(project.GetImageFolder() + QStringLiteral("/escape.png")));
    EXPECT_EQ(TextImageFileName(QStringLiteral("p"), QStringLiteral("c"), QStringLiteral("_1")),
              QStringLiteral("p_c_1.png"));
}

TEST_F(DrawingTest, WithoutAPngEncoderTheSaveFails)
{
    struct NoPng : HeadlessMainDelegate {
        const char* GetPngEncoder() const override { return nullptr; }
    } noPng;
    auto* text = Add<XFontText>();
    text->mainDelegate = &noPng;
    text->NormalizeBounds();
    EXPECT_FALSE(project.SaveProjectFile());
    text->text.clear(); // without text nothing needs the encoder
    EXPECT_TRUE(project.SaveProjectFile());
}

TEST_F(DrawingTest, PlaceholderIsDarkBlueWithTheTextCentred)
{
    page->backgroundColor = MakeRgb(255, 255, 255);
    auto* photo = Add<XPhoto>(100, 100, 200, 100);
    const QImage image = Render(page);
    EXPECT_EQ(At(image, 101, 101), kPlaceholder);
    EXPECT_EQ(At(image, 298, 198), kPlaceholder);
    EXPECT_EQ(At(image, 300, 200), 0xFFFFFFFFu);
    QImage inside = image.copy(100, 100, 200, 100);
    const QRect white = [&] {
        QRect box;
        for (int y = 0; y < inside.height(); ++y)
            for (int x = 0; x < inside.width(); ++x)
                if (At(inside, x, y) == 0xFFFFFFFFu)
                    box |= QRect(x, y, 1, 1);
        return box;
    }();
    ASSERT_FALSE(white.isEmpty()); // the word PHOTO in white
    EXPECT_NEAR(white.center().x(), 100, 3);
    EXPECT_NEAR(white.center().y(), 50, 4);
    photo->alignment = 1;
    const QImage topLeft = Render(page);
    EXPECT_EQ(At(topLeft, 150, 180), kPlaceholder); // nothing in the lower half now
}

TEST_F(DrawingTest, ImageModesClipStretchAndFit)
{
    // A 40 × 30 image: left half red, right half blue.
    QImage source(40, 30, QImage::Format_RGB32);
    source.fill(Qt::blue);
    QPainter(&source).fillRect(0, 0, 20, 30, Qt::red);
    QDir().mkpath(project.GetImageFolder());
    ASSERT_TRUE(source.save(ImagePath(QStringLiteral("split.png"))));
    ASSERT_TRUE(project.AddImage(ImagePath(QStringLiteral("split.png")), QStringLiteral("split.png")));
    page->backgroundColor = MakeRgb(0, 255, 0);

    auto* clip = Add<XPhoto>(0, 0, 15, 50);
    clip->imageFile = QStringLiteral("split.png");
    clip->imageMode = 0;
    auto* stretch = Add<XPhoto>(100, 0, 80, 30);
    stretch->imageFile = QStringLiteral("split.png");
    auto* fit = Add<XPhoto>(200, 0, 5, 5);
    fit->imageFile = QStringLiteral("split.png");
    fit->imageMode = 2;
    fit->Refresh();
    EXPECT_EQ(fit->Bounds(), (IntRect{200, 0, 240, 30}));

    const QImage image = Render(page);
    EXPECT_EQ(At(image, 14, 10), 0xFFFF0000u);  // only the red top-left part fits
    EXPECT_EQ(At(image, 10, 40), 0xFF00FF00u);  // below the image: the page
    EXPECT_EQ(At(image, 170, 10), 0xFF0000FFu); // stretched: blue reaches the right
    EXPECT_EQ(At(image, 110, 10), 0xFFFF0000u);
    EXPECT_EQ(At(image, 238, 28), 0xFF0000FFu);
    const QImage zoomed = Render(page, 2.0);
    EXPECT_EQ(At(zoomed, 28, 20), 0xFFFF0000u);
    EXPECT_EQ(At(zoomed, 20, 80), 0xFF00FF00u);

    // An image file removed from the folder shows the placeholder (once the cache looks
    // at the file again).
    QFile::remove(ImagePath(QStringLiteral("split.png")));
    ImageCache::Clear();
    EXPECT_EQ(At(Render(page), 110, 10), kPlaceholder);
}

TEST_F(DrawingTest, RectanglesFollowWidthFillAndZoom)
{
    page->backgroundColor = MakeRgb(255, 255, 255);
    auto* frame = Add<XRectangle>(10, 10, 50, 40);
    frame->lineWidth = 4;
    frame->color = MakeRgb(0, 0, 255);
    auto* filled = Add<XRectangle>(100, 10, 50, 40);
    filled->hollow = 0;
    filled->lineWidth = 0;
    filled->fillColor = MakeRgb(255, 0, 0);
    auto* invisible = Add<XRectangle>(200, 10, 50, 40);
    invisible->lineWidth = 0;

    const QImage image = Render(page);
    EXPECT_EQ(At(image, 10, 30), 0xFF0000FFu);
    EXPECT_EQ(At(image, 35, 30), 0xFFFFFFFFu); // hollow inside
    EXPECT_EQ(At(image, 100, 10), 0xFFFF0000u);
    EXPECT_EQ(At(image, 149, 49), 0xFFFF0000u);
    EXPECT_EQ(At(image, 150, 50), 0xFFFFFFFFu);
    EXPECT_EQ(CountColour(image, QRect(195, 5, 60, 50), 0xFFFFFF), 60 * 50);
    const QImage zoomed = Render(page, 2.0);
    EXPECT_EQ(At(zoomed, 298, 98), 0xFFFF0000u);
    EXPECT_EQ(At(zoomed, 300, 100), 0xFFFFFFFFu);
    EXPECT_EQ(At(zoomed, 21, 60), 0xFF0000FFu); // the 8-pixel border at zoom 2
    EXPECT_EQ(At(zoomed, 30, 60), 0xFFFFFFFFu);
}

TEST_F(DrawingTest, SelectionMarksUseTheColourXorAA)
{
    page->backgroundColor = MakeRgb(255, 255, 255);
    auto* rect = Add<XRectangle>(20, 20, 60, 40);
    rect->lineWidth = 0;
    rect->color = MakeRgb(0x10, 0x20, 0x30);
    rect->selected = true;
    delegate.zoom = 1.0;
    QImage image(200, 100, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        page->Draw(p);
    }
    const QRgb mark = qRgb(0x10 ^ 0xAA, 0x20 ^ 0xAA, 0x30 ^ 0xAA);
    EXPECT_EQ(At(image, 50, 20), mark);        // frame, top edge
    EXPECT_EQ(At(image, 79, 40), mark);        // frame, right edge (exclusive right - 1)
    EXPECT_EQ(At(image, 17, 17), mark);        // handle around the first point
    EXPECT_EQ(At(image, 83, 63), mark);        // handle around the second point
    EXPECT_EQ(At(image, 50, 40), 0xFFFFFFFFu);
    // Pictures of a page never show selection marks.
    const QImage picture = Render(page);
    EXPECT_EQ(At(picture, 50, 20), 0xFFFFFFFFu);
    EXPECT_TRUE(rect->selected);
}

TEST_F(DrawingTest, ButtonsShowTheirStateAndBadge)
{
    page->backgroundColor = MakeRgb(255, 255, 255);
    auto* button = Add<XButton>(10, 10, 200, 80);
    button->hollow = 0;
    button->fillColor = MakeRgb(0, 0, 255);
    button->pressedFillColor = MakeRgb(0, 255, 0);
    button->text.clear();
    QImage image = Render(page);
    EXPECT_EQ(At(image, 100, 50), 0xFF0000FFu);
    EXPECT_EQ(CountColour(image, QRect(110, 50, 100, 40), 0xFF0000), 0); // no badge for 0
    EXPECT_EQ(At(image, 10, 10), 0xFF000000u); // black border
    button->sendCode = 4000;
    image = Render(page);
    auto reddish = [](const QImage& im, const QRect& area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb px = im.pixel(x, y);
                n += qRed(px) > 160 && qGreen(px) < 100 && qBlue(px) < 100;
            }
        return n;
    };
    EXPECT_GT(reddish(image, QRect(150, 65, 60, 25)), 15); // bottom right
    EXPECT_EQ(reddish(image, QRect(12, 12, 100, 40)), 0);
    button->showPressed = 1;
    image = Render(page);
    EXPECT_EQ(At(image, 100, 50), 0xFF00FF00u);
    EXPECT_EQ(At(image, 10, 10), 0xFFFF0000u); // red pressed border

    // A label placed by alignment: 1 top left, 9 bottom right.
    auto* label = Add<XFontButton>(300, 10, 200, 80);
    label->hollow = 1;
    label->lineWidth = 0;
    label->text = QStringLiteral("Mm");
    label->textColor = MakeRgb(255, 0, 255);
    label->alignment = 1;
    auto magenta = [&](const QImage& im) {
        QRect box;
        for (int y = 10; y < 90; ++y)
            for (int x = 300; x < 500; ++x)
                if (At(im, x, y) == 0xFFFF00FFu)
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    const QRect first = magenta(Render(page));
    label->alignment = 9;
    const QRect last = magenta(Render(page));
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(last.isEmpty());
    EXPECT_LT(first.left(), 310);
    EXPECT_LT(first.top(), 25);
    EXPECT_GT(last.right(), 490);
    EXPECT_GT(last.bottom(), 75);
}

TEST_F(DrawingTest, ContainerCropsALargerSubPageAndLeavesTheRestOfASmallerOne)
{
    page->backgroundColor = MakeRgb(255, 255, 255);
    XPage* sub = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("Pop"));
    sub->x2 = 400;
    sub->y2 = 300;
    sub->backgroundColor = MakeRgb(255, 0, 0);
    auto* marker = Add<XRectangle>(sub, 150, 80, 40, 40);
    marker->hollow = 0;
    marker->lineWidth = 0;
    marker->fillColor = MakeRgb(0, 0, 255);
    marker->selected = true; // selected in its own view: not shown in the container

    auto* container = Add<XPageContainer>(50, 50, 200, 100);
    container->SetSubPage(sub);
    QImage image = Render(page);
    EXPECT_EQ(At(image, 52, 52), 0xFFFF0000u);
    EXPECT_EQ(At(image, 249, 149), 0xFFFF0000u);
    EXPECT_EQ(At(image, 220, 150), 0xFFFFFFFFu); // cropped at the container's bottom
    EXPECT_EQ(At(image, 251, 100), 0xFFFFFFFFu); // and at its right edge
    EXPECT_EQ(At(image, 220, 140), 0xFF0000FFu); // the sub-page's control, shifted
    EXPECT_EQ(CountColour(image, QRect(195, 125, 50, 50), qRgb(0xAA, 0xAA, 0xAA)), 0);

    const QImage zoomed = Render(page, 2.0);
    EXPECT_EQ(At(zoomed, 102, 102), 0xFFFF0000u);
    EXPECT_EQ(At(zoomed, 440, 280), 0xFF0000FFu);
    EXPECT_EQ(At(zoomed, 440, 302), 0xFFFFFFFFu);

    // A container larger than its sub-page: the rest stays undrawn.
    sub->x2 = 100;
    sub->y2 = 60;
    image = Render(page);
    EXPECT_EQ(At(image, 140, 100), 0xFFFF0000u);
    EXPECT_EQ(At(image, 160, 100), 0xFFFFFFFFu);
    EXPECT_EQ(At(image, 140, 120), 0xFFFFFFFFu);

    // Hidden: nothing at all; no sub-page: the placeholder.
    container->visible = 0;
    EXPECT_EQ(At(Render(page), 60, 60), 0xFFFFFFFFu);
    container->visible = 1;
    container->SetSubPage(nullptr);
    EXPECT_EQ(At(Render(page), 60, 60), kPlaceholder);
}

TEST_F(DrawingTest, ContainersShowingEachOtherDoNotLoopForever)
{
    XPage* a = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("A"));
    XPage* b = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("B"));
    a->x2 = b->x2 = 300;
    a->y2 = b->y2 = 200;
    Add<XPageContainer>(a, 10, 10, 200, 150)->SetSubPage(b);
    Add<XPageContainer>(b, 10, 10, 200, 150)->SetSubPage(a);
    const QImage image = Render(a);
    EXPECT_EQ(image.size(), QSize(300, 200));
}
