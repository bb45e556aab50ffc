// The video controls in the main frame: their creation commands, the stream brush armed
// through its dialog and stamped onto preview frames and hyperlinks in the design view,
// and the combo box's double click reaching the channel under the pointer.

#include "FrameFixture.h"

#include "base/DialogRegistry.h"
#include "controls/ControlDialogRequests.h"
#include "controls/XHyperlink.h"
#include "controls/XVideoComboBox.h"
#include "controls/XVideoPreviewFrame.h"
#include "controls/ui/ControlDialogs.h"
#include "model/BrushDialogRequests.h"

namespace {

constexpr int kStreamBrushCommand = 32968;

QString ThirdGeneration(int lastOctet)
{
    return QStringLiteral("rtsp://192.168.1.%1:2554/352;rtsp://192.168.1.%1:554/1080;rtsp://192.168.1.%1:551/2160")
        .arg(lastOctet);
}

} // namespace

class FrameVideo : public FrameFixture {
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        // As the application does at start: the stream command is there once its dialog is.
        RegisterControlDialogs([](const QString& name, DialogRunner runner) { DialogRegistry::Register(name, runner); });
    }
    template <class T> T* Create(XPage* page, int command, QPoint from, QPoint to)
    {
        frame->OnCommand(command);
        Drag(page, from, to);
        frame->OnCommand(32825); // back to selecting
        return dynamic_cast<T*>(page->controls.isEmpty() ? nullptr : page->controls.back());
    }
    void Click(const XPage* page, QPoint at)
    {
        QTest::mouseClick(ViewOf(page)->viewport(), Qt::LeftButton, {}, frame->PagePointToView(at.x(), at.y()));
    }
};

TEST_F(FrameVideo, EveryVideoControlCanBeCreatedOnAPage)
{
    NewProject(work.Path(QStringLiteral("Hall")));
    XPage* page = NewPage(QStringLiteral("Lobby"));
    int y = 10;
    for (int command : {32840, 32931, 32940, 32949, 32962}) {
        SCOPED_TRACE(command);
        frame->UpdateCommandUI();
        EXPECT_TRUE(frame->Action(command)->isEnabled());
        const int before = page->controls.size();
        frame->OnCommand(command);
        Drag(page, {10, y}, {200, y + 60});
        ASSERT_EQ(page->controls.size(), before + 1);
        EXPECT_EQ(page->controls.back()->GetType(), TypeRegistry::TypeForMenuCommand(command));
        y += 80;
    }
}

TEST_F(FrameVideo, TheStreamBrushStampsAddressListsOntoFramesAndHyperlinks)
{
    NewProject(work.Path(QStringLiteral("Hall")));
    XPage* page = NewPage(QStringLiteral("Lobby"));
    auto* first = Create<XVideoPreviewFrame>(page, 32940, {10, 10}, {150, 100});
    auto* second = Create<XVideoPreviewFrame>(page, 32940, {200, 10}, {340, 100});
    auto* link = Create<XHyperlink>(page, 32937, {400, 10}, {540, 100});
    Create<XVideoComboBox>(page, 32962, {10, 200}, {150, 300});
    ASSERT_TRUE(first && second && link);
    const int stepsBefore = page->UndoCount();

    StreamDialogRequest shown;
    ui.dialogs[QStringLiteral("stream")] = [&](void* data) {
        auto* request = static_cast<StreamDialogRequest*>(data);
        shown = *request;
        request->address = 0xC0A8010A; // 192.168.1.10
        request->streamCount = 3;
        return 1;
    };
    frame->UpdateCommandUI();
    ASSERT_TRUE(frame->Action(kStreamBrushCommand)->isEnabled());
    frame->OnCommand(kStreamBrushCommand);
    EXPECT_EQ(shown.address, 0xC0A80164u) << "the dialog opens with the frame's values";
    EXPECT_EQ(shown.streamCount, 2);
    EXPECT_EQ(frame->GetToolMode(), 109);
    EXPECT_TRUE(frame->IsCommandChecked(kStreamBrushCommand));

    Click(page, {50, 50});
    Click(page, {80, 250}); // a combo box takes no stream list and uses up no address
    Click(page, {250, 50});
    Click(page, {450, 50});
    EXPECT_EQ(first->streamAddresses, ThirdGeneration(10));
    EXPECT_EQ(second->streamAddresses, ThirdGeneration(11));
    EXPECT_EQ(link->linkData, ThirdGeneration(12));
    EXPECT_EQ(page->UndoCount(), stepsBefore + 3);
    page->Undo();
    EXPECT_TRUE(link->linkData.isEmpty());

    // Opened again, the dialog shows where the brush has got to.
    frame->OnCommand(kStreamBrushCommand);
    EXPECT_EQ(shown.address, 0xC0A8010Du);
    EXPECT_EQ(shown.streamCount, 3);
    // Cancelled, it leaves both values alone.
    ui.dialogs[QStringLiteral("stream")] = [](void*) { return 0; };
    frame->OnCommand(32825);
    frame->OnCommand(kStreamBrushCommand);
    EXPECT_EQ(frame->GetToolMode(), 101);
    Click(page, {50, 50});
    EXPECT_EQ(first->streamAddresses, ThirdGeneration(10));
}

TEST_F(FrameVideo, ADoubleClickOnAComboBoxCellOpensThatChannel)
{
    NewProject(work.Path(QStringLiteral("Hall")));
    XPage* page = NewPage(QStringLiteral("Lobby"));
    auto* box = Create<XVideoComboBox>(page, 32962, {100, 100}, {400, 300});
    ASSERT_NE(box, nullptr);
    box->rows = 2;
    box->columns = 3;
    box->ResetChannels();
    box->Refresh();
    QString opened;
    ui.dialogs[RtspInfoDialogRequest::Name()] = [&](void* data) {
        opened = static_cast<RtspInfoDialogRequest*>(data)->channel->name;
        return 0;
    };
    Click(page, {350, 250});
    const QPoint at = frame->PagePointToView(350, 250);
    QTest::mouseDClick(ViewOf(page)->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(opened, QStringLiteral("6")) << "bottom right of a 2 × 3 grid";
}
