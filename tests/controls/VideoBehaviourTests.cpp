// Property edits, dialogs reached through the UI seam, hit tests, copies and drawing of
// the video controls.

#include "ControlFixture.h"

#include "base/Translation.h"
#include "controls/ControlDialogRequests.h"
#include "controls/XScrollPreviewFrame.h"
#include "controls/XVideoComboBox.h"
#include "controls/XVideoPreview.h"
#include "controls/XVideoPreviewFrame.h"
#include "controls/XWebCamera.h"
#include "model/PropertyGridModel.h"

#include <memory>

namespace {
constexpr QRgb kPlaceholder = qRgb(46, 63, 93);
}

class VideoBehaviourTest : public ControlFixture {};

TEST_F(VideoBehaviourTest, PropertyListsHoldTheirRowsInOrder)
{
    EXPECT_EQ(RowIds(*Add<XWebCamera>()).join(u' '), QStringLiteral("0 6 7 1 2 33 34 35"));
    EXPECT_EQ(RowIds(*Add<XVideoPreview>()).join(u' '), QStringLiteral("0 6 7 1 2 47 48 49"));
    EXPECT_EQ(RowIds(*Add<XVideoPreviewFrame>()).join(u' '), QStringLiteral("0 6 7 1 2 4 5 12 11 17 14 42 15 13 41 52"));
    EXPECT_EQ(RowIds(*Add<XScrollPreviewFrame>()).join(u' '),
              QStringLiteral("0 6 7 1 2 17 47 48 62 63 65 13 15 66 67 30 74 3 52"));
    auto* box = Add<XVideoComboBox>();
    EXPECT_EQ(RowIds(*box).join(u' '), QStringLiteral("0 6 7 1 2 47 48 68"));
    EXPECT_EQ(grid.FindByData(PropertyId::kComboBoxId)->caption, QStringLiteral("ID"));
    EXPECT_EQ(grid.FindByData(PropertyId::kComboBoxId)->description, Translate("414"));
    for (XControl* c : page->controls) {
        c->FillProperties(grid);
        for (const auto& g : grid.Groups())
            for (const auto& row : g->SubItems())
                EXPECT_FALSE(row->caption.isEmpty()) << c->GetTypeKey().toStdString() << " " << row->data;
    }
    Add<XScrollPreviewFrame>()->FillProperties(grid);
    EXPECT_TRUE(grid.FindByData(PropertyId::kDeviceList)->hasButton);
    EXPECT_EQ(grid.FindByData(PropertyId::kDeviceList)->GetText(), TranslateFormat("1210", {QStringLiteral("0")}));
}

TEST_F(VideoBehaviourTest, GridSizesOutsideTheirRangeAreRefusedAndTheOldValueKept)
{
    auto* preview = Add<XVideoPreview>();
    auto* scroll = Add<XScrollPreviewFrame>();
    auto* box = Add<XVideoComboBox>();
    struct Case {
        XControl* control;
        quint32 id;
        int value;
        const char* key;
        int high;
    };
    for (const Case& c : {Case{preview, PropertyId::kRows, 21, "240", 20}, Case{preview, PropertyId::kColumns, 0, "241", 20},
                          Case{scroll, PropertyId::kRows, 21, "240", 20}, Case{scroll, PropertyId::kColumns, 21, "241", 20},
                          Case{box, PropertyId::kRows, 11, "240", 10}, Case{box, PropertyId::kColumns, 11, "241", 10}}) {
        SCOPED_TRACE(c.control->GetTypeKey().toStdString() + " " + std::to_string(c.id));
        ui.messages.clear();
        const QByteArray before = Record(*c.control);
        EXPECT_FALSE(Edit(*c.control, c.id, c.value));
        ASSERT_EQ(ui.messages.size(), 1);
        EXPECT_EQ(ui.messages[0].text, TranslateFormat(c.key, RangeArgs(1, c.high)));
        EXPECT_EQ(ui.messages[0].caption, Translate("70"));
        EXPECT_EQ(Record(*c.control), before);
        EXPECT_EQ(last->GetValue().toInt(), c.id == PropertyId::kRows ? 1 : (c.control == box ? 1 : 5));
    }
    EXPECT_EQ(page->UndoCount(), 0);
    EXPECT_TRUE(Edit(*preview, PropertyId::kRows, 20));
    EXPECT_EQ(preview->rows, 20);
    EXPECT_EQ(page->UndoCount(), 1);
}

TEST_F(VideoBehaviourTest, ChangingTheComboBoxGridRegeneratesTheChannels)
{
    auto* box = Add<XVideoComboBox>(0, 0, 100, 40);
    ASSERT_EQ(box->channels.size(), 1);
    EXPECT_EQ(box->channels[0].name, QStringLiteral("1"));
    EXPECT_EQ(box->channels[0].previewAddress, QStringLiteral("rtsp://192.168.1.101:2554/352"));
    EXPECT_EQ(box->channels[0].hdAddress, QStringLiteral("rtsp://192.168.1.101:554/1080"));
    EXPECT_TRUE(box->channels[0].uhdAddress.isEmpty());

    ASSERT_TRUE(Edit(*box, PropertyId::kColumns, 3));
    ASSERT_EQ(box->channels.size(), 3);
    box->channels[2].name = QStringLiteral("edited");
    ASSERT_TRUE(Edit(*box, PropertyId::kRows, 2));
    ASSERT_EQ(box->channels.size(), 6);
    EXPECT_EQ(box->channels[2].name, QStringLiteral("3")) << "edited channels are discarded";
    EXPECT_EQ(box->channels[5].hdAddress, QStringLiteral("rtsp://192.168.1.106:554/1080"));
    // The size is refitted to whole cells.
    EXPECT_EQ(box->Bounds().Width(), 102);
    EXPECT_EQ(box->Bounds().Height(), 40);

    // An undo brings back the grid with its channels.
    page->Undo();
    ASSERT_EQ(box->rows, 1);
    ASSERT_EQ(box->channels.size(), 3);
    EXPECT_EQ(box->channels[2].name, QStringLiteral("edited"));

    // The ID is kept as it is; outside 0..1000 it is refused.
    ui.messages.clear();
    EXPECT_FALSE(Edit(*box, PropertyId::kComboBoxId, 1001));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, TranslateFormat("376", RangeArgs(0, 1000)));
    EXPECT_TRUE(Edit(*box, PropertyId::kComboBoxId, 0));
    EXPECT_EQ(box->channels.size(), 3) << "the ID does not touch the channels";
}

TEST_F(VideoBehaviourTest, ComboBoxNormaliseOrdersTheCornersAndRoundsUpToWholeCells)
{
    auto* box = Add<XVideoComboBox>(0, 0, 100, 40);
    box->rows = 3;
    box->columns = 7;
    box->SetBounds({150, 90, 50, 10}); // dragged up and to the left
    box->NormalizeBounds();
    EXPECT_EQ((IntRect{box->x1, box->y1, box->x2, box->y2}), (IntRect{50, 10, 155, 91}));
    box->NormalizeBounds();
    EXPECT_EQ((IntRect{box->x1, box->y1, box->x2, box->y2}), (IntRect{50, 10, 155, 91})) << "already whole cells";
}

TEST_F(VideoBehaviourTest, ComboBoxFindsTheCellUnderAPoint)
{
    auto* box = Add<XVideoComboBox>(100, 50, 300, 100); // cells 100 × 50
    box->rows = 2;
    box->columns = 3;
    box->ResetChannels();
    EXPECT_EQ(box->CellAt({100, 50}), 0);
    EXPECT_EQ(box->CellAt({199, 99}), 0);
    EXPECT_EQ(box->CellAt({200, 50}), 1);
    EXPECT_EQ(box->CellAt({399, 50}), 2);
    EXPECT_EQ(box->CellAt({100, 100}), 3);
    EXPECT_EQ(box->CellAt({399, 149}), 5);
    // The hit test reaches a few pixels beyond the bounds: no cell there.
    EXPECT_EQ(box->CellAt({400, 60}), -1) << "not the first cell of the next row";
    EXPECT_EQ(box->CellAt({98, 60}), -1);
    EXPECT_EQ(box->CellAt({150, 48}), -1);
    EXPECT_EQ(box->CellAt({150, 150}), -1);

    // Cells of a width that does not divide evenly are found with fractional sizes.
    box->SetBounds({0, 0, 10, 10});
    box->rows = 3;
    box->columns = 3;
    box->ResetChannels();
    EXPECT_EQ(box->CellAt({3, 3}), 0);   // 3 ÷ 3.33 = 0.9
    EXPECT_EQ(box->CellAt({4, 7}), 7);   // row 2, column 1
    box->SetBounds({0, 0, 0, 10});
    EXPECT_EQ(box->CellAt({0, 3}), -1) << "a box without width has no cells";
}

TEST_F(VideoBehaviourTest, DoubleClickOnAComboBoxCellEditsThatChannelInTheRtspDialog)
{
    auto* box = Add<XVideoComboBox>(0, 0, 200, 100);
    box->rows = 2;
    box->columns = 2;
    box->ResetChannels();
    VideoChannel shown;
    ui.dialogs[RtspInfoDialogRequest::Name()] = [&](void* data) {
        VideoChannel* channel = static_cast<RtspInfoDialogRequest*>(data)->channel;
        shown = *channel;
        channel->name = QStringLiteral("Gate");
        channel->uhdAddress = QStringLiteral("rtsp://192.168.1.104:551/2160");
        return 1;
    };
    box->OnDoubleClick({150, 80}); // bottom right
    EXPECT_EQ(shown.name, QStringLiteral("4"));
    EXPECT_EQ(shown.previewAddress, QStringLiteral("rtsp://192.168.1.104:2554/352"));
    EXPECT_EQ(box->channels[3].name, QStringLiteral("Gate"));
    EXPECT_EQ(box->channels[3].uhdAddress, QStringLiteral("rtsp://192.168.1.104:551/2160"));
    EXPECT_EQ(box->channels[0].name, QStringLiteral("1"));
    EXPECT_EQ(page->UndoCount(), 1);
    page->Undo();
    EXPECT_EQ(box->channels[3].name, QStringLiteral("4"));

    // Cancel changes nothing, and a click beside the grid opens nothing.
    ui.dialogs[RtspInfoDialogRequest::Name()] = [](void* data) {
        static_cast<RtspInfoDialogRequest*>(data)->channel->name = QStringLiteral("typed, then cancelled");
        return 0;
    };
    box->OnDoubleClick({10, 10});
    EXPECT_EQ(box->channels[0].name, QStringLiteral("1"));
    ui.dialogsRun.clear();
    box->OnDoubleClick({203, 10});
    EXPECT_TRUE(ui.dialogsRun.isEmpty());
}

TEST_F(VideoBehaviourTest, StreamAddressEditsAreNormalisedAndAnUnchangedListIsNoUndoStep)
{
    auto* frame = Add<XVideoPreviewFrame>();
    const QString fullWidth = QString(QChar(0xFF1B));
    ASSERT_TRUE(Edit(*frame, PropertyId::kStreamAddresses,
                     QStringLiteral("  rtsp://10.0.0.1:2554/352") + fullWidth + QStringLiteral("rtsp://10.0.0.1:554/1080")
                         + fullWidth + QStringLiteral(" \t")));
    EXPECT_EQ(frame->streamAddresses, QStringLiteral("rtsp://10.0.0.1:2554/352;rtsp://10.0.0.1:554/1080"));
    EXPECT_EQ(last->GetText(), frame->streamAddresses) << "the pane shows the kept text";
    EXPECT_EQ(page->UndoCount(), 1);

    // Normalised to what is there already: nothing recorded.
    EXPECT_FALSE(Edit(*frame, PropertyId::kStreamAddresses, frame->streamAddresses + QStringLiteral("; ")));
    EXPECT_EQ(page->UndoCount(), 1);
    // Only one final semicolon goes.
    ASSERT_TRUE(Edit(*frame, PropertyId::kStreamAddresses, QStringLiteral("rtsp://10.0.0.2/1;;")));
    EXPECT_EQ(frame->streamAddresses, QStringLiteral("rtsp://10.0.0.2/1;"));
    EXPECT_EQ(XVideoPreviewFrame::NormalizeStreamAddresses(QStringLiteral(" ; ")), QString());

    // The stream brush replaces the list whole and reports whether it changed.
    EXPECT_TRUE(frame->SetLinkText(QStringLiteral("rtsp://10.0.0.3:2554/352")));
    EXPECT_EQ(frame->streamAddresses, QStringLiteral("rtsp://10.0.0.3:2554/352"));
    EXPECT_FALSE(frame->SetLinkText(QStringLiteral("rtsp://10.0.0.3:2554/352")));
}

TEST_F(VideoBehaviourTest, TheScrollPreviewOpensTheDeviceDialogOnItsList)
{
    auto* scroll = Add<XScrollPreviewFrame>(0, 0, 300, 200);
    DeviceInfoManageDelegate* asked = nullptr;
    ui.dialogs[DeviceInfoDialogRequest::Name()] = [&](void* data) {
        asked = static_cast<DeviceInfoDialogRequest*>(data)->owner;
        auto* item = new DeviceInfoItem;
        item->id = QStringLiteral("9");
        item->name = QStringLiteral("Porch");
        item->previewAddress = QStringLiteral("rtsp://10.0.0.9:2554/352");
        item->hdAddress = QStringLiteral("rtsp://10.0.0.9:554/1080");
        asked->GetDeviceList().append(item);
        return 0;
    };
    scroll->OnDoubleClick({5, 5});
    EXPECT_EQ(asked, scroll);
    ASSERT_EQ(scroll->Devices().size(), 1);
    EXPECT_EQ(scroll->Devices()[0]->name, QStringLiteral("Porch"));
    EXPECT_EQ(page->UndoCount(), 1) << "a changed list can be taken back";

    // The property button opens the same dialog; a list left as it was is no step.
    ui.dialogs[DeviceInfoDialogRequest::Name()] = [](void*) { return 0; };
    scroll->FillProperties(grid);
    ui.dialogsRun.clear();
    EXPECT_EQ(scroll->OnPropertyButton(*grid.FindByData(PropertyId::kDeviceList)), 1);
    EXPECT_EQ(ui.dialogsRun, QStringList{DeviceInfoDialogRequest::Name()});
    EXPECT_EQ(page->UndoCount(), 1);

    page->Undo();
    EXPECT_TRUE(scroll->Devices().isEmpty());
    page->Redo();
    ASSERT_EQ(scroll->Devices().size(), 1);
    EXPECT_EQ(scroll->Devices()[0]->id, QStringLiteral("9"));
}

TEST_F(VideoBehaviourTest, CopiesAreDeepAndTheFormatBrushTakesOnlyTheLook)
{
    AddProjectImage(QStringLiteral("bg.png"), 4, 4);
    auto* source = Add<XScrollPreviewFrame>(0, 0, 300, 200);
    source->rows = 3;
    source->setting3 = 7;
    source->background = MakeRgb(1, 2, 3);
    source->imageFile = QStringLiteral("bg.png");
    source->GetDeviceList().append(new DeviceInfoItem{QStringLiteral("rtsp://1.1.1.1/1"), QStringLiteral("rtsp://1.1.1.1/2"),
                                                      QString(), QStringLiteral("One"), QStringLiteral("1")});
    std::unique_ptr<XControl> copy(source->Clone(false));
    auto* scrollCopy = static_cast<XScrollPreviewFrame*>(copy.get());
    ASSERT_EQ(scrollCopy->Devices().size(), 1);
    EXPECT_NE(scrollCopy->Devices()[0], source->Devices()[0]);
    source->GetDeviceList()[0]->name = QStringLiteral("Renamed");
    EXPECT_EQ(scrollCopy->Devices()[0]->name, QStringLiteral("One"));
    EXPECT_EQ(scrollCopy->rows, 3);

    auto* target = Add<XScrollPreviewFrame>(50, 60, 10, 10);
    target->CopyAppearance(*source);
    EXPECT_EQ((IntRect{target->x1, target->y1, target->x2, target->y2}), (IntRect{50, 60, 350, 260}));
    EXPECT_EQ(target->setting3, 7);
    EXPECT_EQ(target->background, MakeRgb(1, 2, 3));
    EXPECT_EQ(target->imageFile, QStringLiteral("bg.png"));
    EXPECT_EQ(target->rows, 1) << "rows, columns and devices are not the look";
    EXPECT_TRUE(target->Devices().isEmpty());

    auto* look = Add<XVideoPreviewFrame>(0, 0, 80, 60);
    look->lineWidth = 5;
    look->hollow = 0;
    look->fontSize = 44;
    look->text = QStringLiteral("Source");
    look->streamAddresses = QStringLiteral("rtsp://1.2.3.4/1");
    auto* frame = Add<XVideoPreviewFrame>(5, 5, 10, 10);
    frame->CopyAppearance(*look);
    EXPECT_EQ(frame->lineWidth, 5);
    EXPECT_EQ(frame->hollow, 0);
    EXPECT_EQ(frame->fontSize, 44);
    EXPECT_EQ(frame->text, QStringLiteral("VIDEOPREVIEWFRAME"));
    EXPECT_TRUE(frame->streamAddresses.isEmpty());
    EXPECT_EQ(frame->Bounds().Width(), 80);

    auto* preview = Add<XVideoPreview>(0, 0, 10, 10);
    auto* shape = Add<XVideoPreview>(0, 0, 90, 30);
    shape->rows = 4;
    shape->columns = 2;
    shape->previewFlag = 1;
    preview->CopyAppearance(*shape);
    EXPECT_EQ(preview->rows, 4);
    EXPECT_EQ(preview->columns, 2);
    EXPECT_EQ(preview->previewFlag, 1);
    EXPECT_EQ(preview->Bounds().Width(), 90);
}

TEST_F(VideoBehaviourTest, DrawingFillsTheirAreasAndDrawsTheComboGrid)
{
    page->x2 = 800;
    page->y2 = 600;
    auto* box = Add<XVideoComboBox>(0, 0, 300, 200);
    box->rows = 2;
    box->columns = 3;
    box->ResetChannels();
    auto* scroll = Add<XScrollPreviewFrame>(400, 0, 300, 200);
    scroll->background = MakeRgb(10, 200, 30);
    Add<XVideoPreview>(0, 300, 300, 100);
    Add<XWebCamera>(400, 300, 300, 100);
    const QImage image = Render(page);
    // Grid lines at the cell borders, white and one pixel wide.
    EXPECT_EQ(image.pixel(100, 20) | 0xFF000000u, qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(101, 20) | 0xFF000000u, kPlaceholder);
    EXPECT_EQ(image.pixel(99, 20) | 0xFF000000u, kPlaceholder);
    EXPECT_EQ(image.pixel(20, 100) | 0xFF000000u, qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(200, 180) | 0xFF000000u, qRgb(255, 255, 255));
    EXPECT_EQ(CountColour(image, QRect(0, 0, 300, 200), qRgb(255, 255, 255)) > 600, true)
        << "two lines of 300 and two of 200 pixels, and the channel names";
    // The scrolling preview fills with its own background, the others with the dark placeholder.
    EXPECT_EQ(image.pixel(405, 5) | 0xFF000000u, qRgb(10, 200, 30));
    EXPECT_EQ(image.pixel(5, 305) | 0xFF000000u, kPlaceholder);
    EXPECT_EQ(image.pixel(405, 305) | 0xFF000000u, kPlaceholder);
    // Every caption leaves white in the middle of its control.
    for (const QRect& r : {QRect(400, 0, 300, 200), QRect(0, 300, 300, 100), QRect(400, 300, 300, 100)})
        EXPECT_GT(CountColour(image, r, qRgb(255, 255, 255)), 20) << r.x() << "," << r.y();
}
