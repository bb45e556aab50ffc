// A display wall drawn in a design view of the main frame and addressed with the
// address brush, screen by screen.

#include "FrameFixture.h"

#include "base/DialogRegistry.h"
#include "controls/XVirtualDisplayWall.h"
#include "model/BrushDialogRequests.h"

class FrameDisplayWall : public FrameFixture {
protected:
    void Click(const XPage* page, QPoint at)
    {
        CMarvolentaView* view = ViewOf(page);
        ASSERT_NE(view, nullptr);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, frame->PagePointToView(at.x(), at.y()));
    }
};

TEST_F(FrameDisplayWall, TheAddressBrushCountsScreensOnAndWrapsTheLastByte)
{
    NewProject(work.Path(QStringLiteral("Walls")));
    XPage* page = NewPage(QStringLiteral("Main"));
    ASSERT_NE(page, nullptr);

    // Both wall commands are there once the classes are registered.
    EXPECT_TRUE(frame->IsCommandEnabled(32939));
    EXPECT_TRUE(frame->IsCommandEnabled(32933));
    frame->OnCommand(32939);
    Drag(page, {20, 20}, {419, 219});
    ASSERT_EQ(page->controls.size(), 1);
    auto* wall = dynamic_cast<XSVirtualDisplayWall*>(page->controls[0]);
    ASSERT_NE(wall, nullptr);
    EXPECT_EQ(wall->name, QStringLiteral("SVIRTUALDISPLAYWALL-0"));
    EXPECT_EQ(wall->Bounds(), (IntRect{20, 20, 420, 219})); // the width rounded up to 2 columns
    const int steps = page->UndoCount();

    // The command is there once a dialog is filed under "address"; here the answer is scripted.
    DialogRegistry::Register(AddressDialogRequest::Name(), [](void*) { return 2; });
    ASSERT_TRUE(frame->IsCommandEnabled(32943));
    ui.dialogs[AddressDialogRequest::Name()] = [](void* data) {
        auto* request = static_cast<AddressDialogRequest*>(data);
        EXPECT_EQ(request->title, Translate("265"));
        EXPECT_EQ(request->address, 0xC0A80164u);
        request->address = 0xC0A801FE; // 192.168.1.254
        return 1;
    };
    frame->OnCommand(32943);
    EXPECT_EQ(frame->GetToolMode(), 107);
    EXPECT_TRUE(frame->IsCommandChecked(32943));

    Click(page, {300, 100}); // the second screen
    Click(page, {50, 100});
    Click(page, {300, 150});
    EXPECT_EQ(wall->screens[0].ipAddress, QStringLiteral("192.168.1.255"));
    EXPECT_EQ(wall->screens[1].ipAddress, QStringLiteral("192.168.1.0"));
    EXPECT_EQ(page->UndoCount(), steps + 3);
    EXPECT_EQ(frame->GetToolMode(), 107); // the brush stays armed
    // Just right of the wall: on the selected control's margin but on no screen.
    Click(page, {422, 100});
    EXPECT_EQ(page->UndoCount(), steps + 3);

    frame->OnCommand(32890);
    EXPECT_EQ(wall->screens[1].ipAddress, QStringLiteral("192.168.1.254"));
    EXPECT_EQ(wall->screens[0].ipAddress, QStringLiteral("192.168.1.255"));
    EXPECT_EQ(frame->NextBrushAddress(), QStringLiteral("192.168.1.1"));
}
