#include "ViewTestFixture.h"

namespace {

class BrushTest : public ViewTest {
protected:
    ViewKeys WithD()
    {
        ViewKeys k;
        k.keyD = true;
        return k;
    }
};

TEST_F(BrushTest, SendCodeBrushNumbersMatchingControlsAndDClears)
{
    TestControl* b1 = Add(6, 0, 0, 50, 50);
    TestControl* b2 = Add(15, 100, 0, 150, 50);
    TestControl* rect = Add(4, 200, 0, 250, 50);
    TestControl* volume = Add(30, 300, 0, 350, 50);
    t->delegate.toolMode = 102;
    t->delegate.sendCode = 7;

    Click({20, 20});
    Click({120, 20});
    EXPECT_EQ(b1->value, 7);
    EXPECT_EQ(b2->value, 8);
    EXPECT_EQ(t->delegate.current, b2);
    EXPECT_EQ(page->UndoCount(), 2);

    // Another type: nothing at all, the counter does not move.
    t->delegate.log.clear();
    Click({220, 20});
    EXPECT_EQ(rect->value, 0);
    EXPECT_EQ(t->delegate.sendCode, 9);
    EXPECT_EQ(t->delegate.Calls("SelectControl"), 0);
    EXPECT_EQ(page->UndoCount(), 2);

    Click({320, 20});
    EXPECT_EQ(volume->value, 9);

    Click({20, 20}, WithD());
    EXPECT_EQ(b1->value, 0);
    EXPECT_EQ(t->delegate.sendCode, 10);
    EXPECT_EQ(page->UndoCount(), 4);

    page->Undo();
    EXPECT_EQ(b1->value, 7);
    // The brush stays armed.
    EXPECT_EQ(t->delegate.toolMode, 102);
}

TEST_F(BrushTest, ABrushThatChangesNothingRecordsNothingButSelects)
{
    TestControl* text = Add(3, 0, 0, 50, 50);
    text->textColor = 0x00FF00;
    t->delegate.brushColour = 0x00FF00;
    t->delegate.toolMode = 103;
    Click({20, 20});
    EXPECT_FALSE(page->CanUndo());
    EXPECT_EQ(t->delegate.current, text);
    // The discarded snapshot is checked by TearDown's count of live controls.
}

TEST_F(BrushTest, ColourFontAndTextBrushesApplyToTheirTypesOnly)
{
    TestControl* text = Add(3, 0, 0, 50, 50);
    TestControl* fontText = Add(14, 100, 0, 150, 50);
    TestControl* rect = Add(4, 200, 0, 250, 50);
    t->delegate.brushColour = 0x0000FF;
    t->delegate.brushFont = {QStringLiteral("Sans"), 32, 1};
    t->delegate.brushText = QStringLiteral("Hello");

    t->delegate.toolMode = 103;
    Click({20, 20});
    Click({220, 20});
    EXPECT_EQ(text->textColor, 0x0000FFu);
    EXPECT_EQ(rect->textColor, 0u);

    t->delegate.toolMode = 104;
    Click({20, 20}); // a plain text takes no font
    Click({120, 20});
    EXPECT_EQ(text->font.size, 20);
    EXPECT_EQ(fontText->font.name, "Sans");
    EXPECT_EQ(fontText->font.size, 32);

    t->delegate.toolMode = 105;
    Click({20, 20});
    Click({120, 20});
    Click({220, 20});
    EXPECT_EQ(text->text, "Hello");
    EXPECT_EQ(fontText->text, "Hello");
    EXPECT_EQ(rect->text, "");
    EXPECT_EQ(page->UndoCount(), 4);
}

TEST_F(BrushTest, InterlockBrushWorksOnlyOnItsPage)
{
    page->AddGroup(QStringLiteral("Lights"));
    TestControl* button = Add(6, 0, 0, 50, 50);
    t->delegate.toolMode = 106;
    t->delegate.interlockName = QStringLiteral("Lights");

    t->delegate.interlockPage = t->AddPage(QStringLiteral("Other"));
    Click({20, 20});
    EXPECT_EQ(button->GroupName(), "NONE");
    EXPECT_EQ(t->delegate.current, nullptr);

    t->delegate.interlockPage = page;
    Click({20, 20});
    EXPECT_EQ(button->GroupName(), "Lights");
    Click({20, 20}, WithD());
    EXPECT_EQ(button->GroupName(), "NONE");
    EXPECT_EQ(page->UndoCount(), 2);
}

TEST_F(BrushTest, AddressBrushGivesTheScreenUnderThePointTheNextAddress)
{
    TestControl* wall = Add(20, 0, 0, 100, 100);
    TestControl* button = Add(6, 200, 0, 250, 50);
    t->delegate.toolMode = 107;
    t->delegate.brushAddress = 0xC0A801FF; // 192.168.1.255
    Click({20, 20});
    EXPECT_EQ(wall->screenAddress, "192.168.1.255");
    Click({60, 60});
    EXPECT_EQ(wall->screenAddress, "192.168.1.0"); // the last byte wraps alone
    Click({220, 20});
    EXPECT_EQ(button->screenAddress, "");
    // Inside the hit margin but outside the wall: no screen there, nothing recorded.
    Click({102, 50});
    EXPECT_EQ(wall->screenAddress, "192.168.1.0");
    EXPECT_EQ(page->UndoCount(), 2);
    page->Undo();
    EXPECT_EQ(wall->screenAddress, "192.168.1.255");
}

TEST_F(BrushTest, FormatBrushNeedsASourceOfTheSameType)
{
    TestControl* rect = Add(4, 0, 0, 50, 50);
    TestControl* text = Add(3, 100, 0, 150, 50);
    t->delegate.toolMode = 108;
    Click({20, 20});
    EXPECT_FALSE(page->CanUndo());

    TestControl* source = MakeTestControl(4, 0, 0, 10, 10);
    source->color = 0x445566;
    source->lineWidth = 2;
    t->delegate.formatSource = source;
    Click({120, 20});
    EXPECT_EQ(text->color, 0u);
    Click({20, 20});
    EXPECT_EQ(rect->color, 0x445566u);
    EXPECT_EQ(rect->lineWidth, 2);
    EXPECT_EQ(Rect(rect), (IntRect{0, 0, 50, 50}));
    EXPECT_EQ(page->UndoCount(), 1);
    page->Undo();
    EXPECT_EQ(rect->color, 0u);
    EXPECT_EQ(rect->lineWidth, 6);
}

TEST_F(BrushTest, StreamBrushGivesPreviewFramesAndHyperlinksTheNextUrls)
{
    TestControl* frame = Add(21, 0, 0, 50, 50);
    TestControl* link = Add(19, 100, 0, 150, 50);
    TestControl* preview = Add(17, 200, 0, 250, 50);
    t->delegate.toolMode = 109;
    Click({20, 20});
    Click({120, 20});
    Click({220, 20});
    EXPECT_EQ(frame->linkText, "rtsp://192.168.1.100:2554/352;rtsp://192.168.1.100:554/1080");
    EXPECT_EQ(link->linkText, "rtsp://192.168.1.101:2554/352;rtsp://192.168.1.101:554/1080");
    EXPECT_EQ(preview->linkText, "");
}

TEST_F(BrushTest, ABrushClickOnTheEmptyPageDoesNothing)
{
    Add(6, 0, 0, 50, 50);
    t->delegate.toolMode = 102;
    Click({300, 300});
    EXPECT_EQ(t->delegate.sendCode, 1);
    EXPECT_TRUE(t->delegate.log.filter("SelectControl").isEmpty());
    EXPECT_EQ(view->GetHitKind(), HitKind::Brush);
}

} // namespace
