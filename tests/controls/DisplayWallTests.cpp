// What the display walls do: their screens, normalising, the screen under a point, the
// screen dialog's edits, property edits, copies and drawing.

#include "ControlFixture.h"

#include "base/Translation.h"
#include "controls/DisplayWallDialogRequests.h"
#include "controls/XVirtualDisplayWall.h"
#include "model/PropertyGridModel.h"
#include "model/TypeRegistry.h"

#include <QPainter>

#include <memory>

namespace {

constexpr QRgb kWallFill = 0xFF2E3F5D; // RGB(46, 63, 93)

QStringList Addresses(const XVirtualDisplayWall& wall)
{
    QStringList list;
    for (const DisplayWallScreen& s : wall.screens)
        list << s.ipAddress;
    return list;
}

QList<int> Horizontal(const XVirtualDisplayWall& wall)
{
    QList<int> list;
    for (const DisplayWallScreen& s : wall.screens)
        list << s.horizontalResolution;
    return list;
}

QList<int> Vertical(const XVirtualDisplayWall& wall)
{
    QList<int> list;
    for (const DisplayWallScreen& s : wall.screens)
        list << s.verticalResolution;
    return list;
}

} // namespace

class DisplayWallTest : public ControlFixture {
protected:
    // A wall of rows × columns fresh screens.
    XVirtualDisplayWall* Wall(int rows, int columns, int x = 0, int y = 0, int w = 400, int h = 300)
    {
        auto* wall = Add<XVirtualDisplayWall>(x, y, w, h);
        wall->rows = rows;
        wall->columns = columns;
        wall->BuildScreens();
        return wall;
    }
    // Answers the screen dialog once with the edit.
    void AnswerScreenDialog(const std::function<void(DisplayWallScreenDialogRequest&)>& edit, int result = 1)
    {
        ui.dialogs[DisplayWallScreenDialogRequest::Name()] = [edit, result](void* data) {
            auto* request = static_cast<DisplayWallScreenDialogRequest*>(data);
            if (result == 1)
                edit(*request);
            return result;
        };
    }
};

TEST_F(DisplayWallTest, ANewWallHasTwoScreensAtTheFirstAddresses)
{
    for (int type : {ElementType::kVirtualDisplayWall, ElementType::kSVirtualDisplayWall}) {
        SCOPED_TRACE(type);
        ASSERT_TRUE(TypeRegistry::HasClass(type));
        std::unique_ptr<XControl> element(CreateElement(type));
        auto* wall = dynamic_cast<XVirtualDisplayWall*>(element.get());
        ASSERT_NE(wall, nullptr);
        EXPECT_EQ(wall->GetType(), type);
        EXPECT_EQ(wall->rows, 1);
        EXPECT_EQ(wall->columns, 2);
        EXPECT_EQ(wall->color, 0xFFFFFFu);
        EXPECT_EQ(wall->lineWidth, 0);
        ASSERT_EQ(wall->screens.size(), 2u);
        EXPECT_EQ(Addresses(*wall), (QStringList{QStringLiteral("192.168.1.100"), QStringLiteral("192.168.1.101")}));
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(wall->screens[i].horizontalResolution, 1920);
            EXPECT_EQ(wall->screens[i].verticalResolution, 1080);
            EXPECT_EQ(wall->screens[i].row, 0);
            EXPECT_EQ(wall->screens[i].column, i);
            EXPECT_TRUE(wall->screens[i].ipGroup.isEmpty());
        }
    }
    EXPECT_EQ(GetTypeKey(ElementType::kSVirtualDisplayWall), QStringLiteral("SVIRTUALDISPLAYWALL"));
}

TEST_F(DisplayWallTest, ScreensAreBuiltRowByRowAndTheLastByteWraps)
{
    XVirtualDisplayWall* wall = Wall(3, 4);
    ASSERT_EQ(wall->screens.size(), 12u);
    EXPECT_EQ(wall->screens[6].ipAddress, QStringLiteral("192.168.1.106"));
    EXPECT_EQ(wall->screens[6].row, 1);
    EXPECT_EQ(wall->screens[6].column, 2);
    EXPECT_EQ(wall->screens[11].row, 2);
    EXPECT_EQ(wall->screens[11].column, 3);

    wall->rows = 20;
    wall->columns = 20;
    wall->BuildScreens();
    ASSERT_EQ(wall->screens.size(), 400u);
    EXPECT_EQ(wall->screens[155].ipAddress, QStringLiteral("192.168.1.255"));
    EXPECT_EQ(wall->screens[156].ipAddress, QStringLiteral("192.168.1.0"));
    EXPECT_EQ(wall->screens[399].ipAddress, QStringLiteral("192.168.1.243"));
}

TEST_F(DisplayWallTest, NormalisingRoundsToTheGridAndKeepsTheBand)
{
    XVirtualDisplayWall* wall = Wall(3, 3, 10, 10, 100, 200);
    wall->NormalizeBounds();
    EXPECT_EQ(wall->Bounds().Width(), 102);
    EXPECT_EQ(wall->Bounds().Height(), 201); // 200 rounded up to 3 rows

    wall->SetBounds({10, 10, 110, 210});
    wall->wallFlag1 = 1;
    wall->NormalizeBounds();
    EXPECT_EQ(wall->Bounds().Height(), 201); // 60 + 141

    wall->wallFlag1 = 0;
    wall->wallText1 = QStringLiteral("Hall");
    wall->SetBounds({10, 10, 110, 260});
    wall->NormalizeBounds();
    EXPECT_EQ(wall->Bounds().Height(), 60 + 192); // 190 up to 3 rows of 64

    // Reversed corners, smaller than 80 × 80: ordered, then at least 80 (with the band).
    wall->wallText1.clear();
    wall->wallFlag3 = 1;
    wall->x1 = 50;
    wall->y1 = 40;
    wall->x2 = 20;
    wall->y2 = 30;
    wall->NormalizeBounds();
    EXPECT_EQ(wall->Bounds(), (IntRect{20, 30, 20 + 81, 30 + 60 + 21}));
    EXPECT_EQ(wall->x1, 20);
    EXPECT_EQ(wall->y1, 30);
}

TEST_F(DisplayWallTest, TheScreenUnderAPointIsCountedRowByRowInsideTheWallOnly)
{
    XVirtualDisplayWall* wall = Wall(2, 3, 100, 50, 300, 200); // cells 100 × 100
    EXPECT_EQ(wall->ScreenIndexAt({100, 50}), 0);
    EXPECT_EQ(wall->ScreenIndexAt({199, 149}), 0);
    EXPECT_EQ(wall->ScreenIndexAt({200, 149}), 1);
    EXPECT_EQ(wall->ScreenIndexAt({399, 50}), 2);
    EXPECT_EQ(wall->ScreenIndexAt({100, 150}), 3);
    EXPECT_EQ(wall->ScreenIndexAt({399, 249}), 5);
    // The hit margin is outside every screen: right of row 0 is not the first screen of
    // row 1, below the wall is not beyond the list.
    for (QPoint p : {QPoint(400, 60), QPoint(401, 60), QPoint(150, 250), QPoint(99, 60), QPoint(150, 49)})
        EXPECT_EQ(wall->ScreenIndexAt(p), -1) << p.x() << "," << p.y();
    EXPECT_TRUE(wall->HitTest({400, 60}));

    wall->x2 = wall->x1; // no width: no screen anywhere
    EXPECT_EQ(wall->ScreenIndexAt({100, 60}), -1);
}

TEST_F(DisplayWallTest, AHorizontalResolutionGoesToItsColumnAndAVerticalOneToItsRow)
{
    XVirtualDisplayWall* wall = Wall(3, 4, 0, 0, 400, 300); // cells 100 × 100
    AnswerScreenDialog([](DisplayWallScreenDialogRequest& r) {
        EXPECT_EQ(r.ipAddress, QStringLiteral("192.168.1.102"));
        EXPECT_EQ(r.horizontalResolution, 1920);
        EXPECT_EQ(r.verticalResolution, 1080);
        r.horizontalResolution = 1280;
    });
    wall->OnDoubleClick({250, 50}); // row 0, column 2
    ASSERT_EQ(ui.dialogsRun, QStringList{DisplayWallScreenDialogRequest::Name()});
    EXPECT_EQ(Horizontal(*wall), (QList<int>{1920, 1920, 1280, 1920, 1920, 1920, 1280, 1920, 1920, 1920, 1280, 1920}));
    EXPECT_EQ(Vertical(*wall), QList<int>(12, 1080));

    AnswerScreenDialog([](DisplayWallScreenDialogRequest& r) {
        r.verticalResolution = 720;
        r.ipAddress = QStringLiteral("10.0.0.9");
        r.ipGroup = {QStringLiteral("10.0.1.1")};
    });
    wall->OnDoubleClick({50, 150}); // row 1, column 0
    EXPECT_EQ(Vertical(*wall), (QList<int>{1080, 1080, 1080, 1080, 720, 720, 720, 720, 1080, 1080, 1080, 1080}));
    EXPECT_EQ(Horizontal(*wall)[2], 1280);
    EXPECT_EQ(wall->screens[4].ipAddress, QStringLiteral("10.0.0.9"));
    EXPECT_EQ(wall->screens[4].ipGroup, QStringList{QStringLiteral("10.0.1.1")});
    EXPECT_EQ(wall->screens[5].ipAddress, QStringLiteral("192.168.1.105"));
    EXPECT_TRUE(wall->screens[5].ipGroup.isEmpty());

    // Each accepted edit is one undo step.
    ASSERT_EQ(page->UndoCount(), 2);
    page->Undo();
    EXPECT_EQ(Vertical(*wall), QList<int>(12, 1080));
    EXPECT_EQ(wall->screens[4].ipAddress, QStringLiteral("192.168.1.104"));
    page->Undo();
    EXPECT_EQ(Horizontal(*wall), QList<int>(12, 1920));
}

TEST_F(DisplayWallTest, ACancelledOrUnchangedScreenDialogRecordsNothing)
{
    XVirtualDisplayWall* wall = Wall(1, 2, 0, 0, 200, 100);
    AnswerScreenDialog([](DisplayWallScreenDialogRequest& r) { r.horizontalResolution = 1; }, 2);
    wall->OnDoubleClick({20, 20});
    AnswerScreenDialog([](DisplayWallScreenDialogRequest&) {});
    wall->OnDoubleClick({120, 20});
    EXPECT_EQ(Horizontal(*wall), (QList<int>{1920, 1920}));
    EXPECT_EQ(page->UndoCount(), 0);
    // Outside the screens (in the hit margin) nothing opens.
    ui.dialogsRun.clear();
    wall->OnDoubleClick({201, 20});
    EXPECT_TRUE(ui.dialogsRun.isEmpty());
}

TEST_F(DisplayWallTest, TheAddressBrushSetsTheScreenUnderThePointOnly)
{
    XVirtualDisplayWall* wall = Wall(2, 2, 0, 0, 200, 200);
    EXPECT_TRUE(wall->SetScreenAddressAt({150, 150}, QStringLiteral("10.1.1.1")));
    EXPECT_EQ(Addresses(*wall), (QStringList{QStringLiteral("192.168.1.100"), QStringLiteral("192.168.1.101"),
                                             QStringLiteral("192.168.1.102"), QStringLiteral("10.1.1.1")}));
    EXPECT_FALSE(wall->SetScreenAddressAt({150, 150}, QStringLiteral("10.1.1.1"))); // no change
    EXPECT_FALSE(wall->SetScreenAddressAt({201, 150}, QStringLiteral("10.1.1.2")));
    EXPECT_EQ(wall->screens[3].ipAddress, QStringLiteral("10.1.1.1"));
}

TEST_F(DisplayWallTest, PropertyRowsTheirRangesAndEffects)
{
    XVirtualDisplayWall* wall = Wall(2, 3, 0, 0, 300, 200);
    wall->FillProperties(grid);
    QStringList ids;
    for (const auto& row : grid.Groups().front()->SubItems())
        ids << QString::number(row->data);
    EXPECT_EQ(ids.join(u' '), QStringLiteral("0 6 7 1 2 47 48 51 57 58 50 59 60 61"));
    EXPECT_EQ(grid.FindByData(47)->caption, Translate("238"));
    EXPECT_EQ(grid.FindByData(48)->caption, Translate("239"));
    EXPECT_EQ(grid.FindByData(51)->options, (QStringList{Translate("141"), Translate("142")}));
    EXPECT_EQ(grid.FindByData(60)->options, (QStringList{Translate("314") + u'1', Translate("314") + u'2'}));
    EXPECT_EQ(grid.FindByData(60)->GetText(), Translate("314") + u'2');
    EXPECT_EQ(grid.FindByData(61)->options, (QStringList{Translate("327"), Translate("328")}));

    // Rows and columns: 1 to 20, refused with their messages; a change builds new screens.
    wall->screens[0].ipAddress = QStringLiteral("10.9.9.9");
    EXPECT_FALSE(Edit(*wall, 47, 21));
    EXPECT_FALSE(Edit(*wall, 48, 0));
    EXPECT_EQ(ui.Texts(), (QStringList{TranslateFormat("240", RangeArgs(1, 20)), TranslateFormat("241", RangeArgs(1, 20))}));
    EXPECT_EQ(last->GetValue().toInt(), 3);
    EXPECT_EQ(wall->screens.size(), 6u);
    EXPECT_EQ(wall->screens[0].ipAddress, QStringLiteral("10.9.9.9"));
    EXPECT_TRUE(Edit(*wall, 47, 4));
    EXPECT_EQ(wall->rows, 4);
    ASSERT_EQ(wall->screens.size(), 12u);
    EXPECT_EQ(wall->screens[0].ipAddress, QStringLiteral("192.168.1.100"));
    EXPECT_EQ(wall->screens[11].row, 3);
    EXPECT_TRUE(Edit(*wall, 48, 1));
    EXPECT_EQ(wall->screens.size(), 4u);
    page->Undo();
    EXPECT_EQ(wall->screens.size(), 12u);

    // The band settings refit the height; wallFlag2 does not.
    wall->SetBounds({0, 0, 300, 201});
    EXPECT_TRUE(Edit(*wall, 57, Translate("141")));
    EXPECT_EQ(wall->Bounds().Height(), 201);
    EXPECT_TRUE(Edit(*wall, 51, Translate("141")));
    EXPECT_EQ(wall->wallFlag1, 1);
    EXPECT_EQ(wall->Bounds().Height(), 60 + 144); // 141 up to 4 rows of 36
    wall->SetBounds({0, 0, 300, 203});
    EXPECT_TRUE(Edit(*wall, 50, QStringLiteral("Lobby")));
    EXPECT_EQ(wall->Bounds().Height(), 60 + 144);
    EXPECT_TRUE(Edit(*wall, 51, Translate("142")));
    EXPECT_EQ(wall->Bounds().Height(), 60 + 144); // the text keeps the band
    EXPECT_TRUE(Edit(*wall, 50, QString()));
    EXPECT_EQ(wall->Bounds().Height(), 204); // no band: 204 is 4 rows of 51
    wall->SetBounds({0, 0, 300, 201});
    EXPECT_TRUE(Edit(*wall, 58, Translate("141")));
    EXPECT_EQ(wall->wallFlag3, 1);
    EXPECT_EQ(wall->Bounds().Height(), 60 + 144);

    EXPECT_TRUE(Edit(*wall, 60, Translate("314") + u'1'));
    EXPECT_EQ(wall->wallVersion, 1);
    EXPECT_TRUE(Edit(*wall, 61, Translate("328")));
    EXPECT_EQ(wall->deviceGeneration, 3);
    EXPECT_FALSE(Edit(*wall, 61, QStringLiteral("4")));
    EXPECT_EQ(wall->deviceGeneration, 3);
    EXPECT_EQ(last->GetText(), Translate("328"));
    EXPECT_TRUE(Edit(*wall, 59, QStringLiteral("Second")));
    EXPECT_EQ(wall->wallText2, QStringLiteral("Second"));

    // Width edits fit the grid of 3 columns.
    EXPECT_TRUE(Edit(*wall, 1, 100));
    EXPECT_EQ(wall->Bounds().Width(), 102);
    EXPECT_TRUE(Edit(*wall, 1, 200));
    EXPECT_EQ(wall->Bounds().Width(), 201);
}

TEST_F(DisplayWallTest, CopiesTakeTheScreensAndTheFormatBrushTakesOnlyTheLook)
{
    XVirtualDisplayWall* source = Wall(2, 2, 0, 0, 200, 200);
    source->color = MakeRgb(255, 0, 0);
    source->screens[1].ipGroup = {QStringLiteral("10.0.0.1")};
    source->wallText2 = QStringLiteral("Two");

    std::unique_ptr<XControl> copy(source->Clone(true));
    auto& clone = static_cast<XVirtualDisplayWall&>(*copy);
    EXPECT_EQ(clone.screens, source->screens);
    EXPECT_EQ(clone.wallText2, QStringLiteral("Two"));
    EXPECT_EQ(clone.color, source->color);
    source->screens[1].ipGroup.clear(); // a deep copy
    EXPECT_EQ(clone.screens[1].ipGroup, QStringList{QStringLiteral("10.0.0.1")});

    XVirtualDisplayWall* target = Wall(1, 3, 500, 0, 90, 80);
    target->CopyAppearance(*source);
    EXPECT_EQ(target->color, MakeRgb(255, 0, 0));
    EXPECT_EQ(target->Bounds(), (IntRect{500, 0, 701, 200})); // the source's size, fitted to 3 columns
    EXPECT_EQ(target->screens.size(), 3u);
    EXPECT_TRUE(target->wallText2.isEmpty());
}

TEST_F(DisplayWallTest, DrawsTheGridInItsColourAndEachScreensText)
{
    XVirtualDisplayWall* wall = Wall(2, 3, 20, 20, 750, 500); // cells 250 × 250
    wall->color = MakeRgb(0, 255, 0);
    page->backgroundColor = 0;
    const QImage image = Render(page);
    EXPECT_EQ(image.pixel(25, 25) | 0xFF000000u, kWallFill);
    // One horizontal line at y = 270 and vertical lines at x = 270 and 520, 1 pixel wide.
    EXPECT_EQ(CountColour(image, QRect(20, 270, 750, 1), 0xFF00FF00), 750);
    EXPECT_EQ(CountColour(image, QRect(20, 269, 750, 1), 0xFF00FF00), 2);
    EXPECT_EQ(CountColour(image, QRect(270, 20, 1, 500), 0xFF00FF00), 500);
    EXPECT_EQ(CountColour(image, QRect(520, 20, 1, 500), 0xFF00FF00), 500);
    EXPECT_EQ(CountColour(image, QRect(20, 20, 750, 500), 0xFF00FF00), 750 + 2 * 500 - 2);
    // Every cell holds white text, the page around the wall none.
    for (int i = 0; i < 6; ++i) {
        const QRect cell(20 + (i % 3) * 250, 20 + (i / 3) * 250, 250, 250);
        EXPECT_GT(CountColour(image, cell.adjusted(2, 2, -2, -2), 0xFFFFFFFF), 20) << i;
    }
    EXPECT_EQ(CountColour(image, QRect(0, 0, 20, 600), 0xFFFFFFFF), 0);
    EXPECT_EQ(CountColour(image, QRect(0, 520, 800, 80), 0xFFFFFFFF), 0);

    // Selected: the frame in the selection colour around it.
    wall->selected = true;
    QImage marked(800, 600, QImage::Format_ARGB32);
    marked.fill(Qt::black);
    {
        QPainter painter(&marked);
        wall->Draw(painter);
    }
    EXPECT_EQ(marked.pixel(400, 20) | 0xFF000000u, 0xFF000000u | ToQColor(MakeRgb(0, 255, 0) ^ 0xAAAAAA).rgb());
}
