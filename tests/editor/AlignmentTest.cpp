#include "ViewTestFixture.h"

#include "editor/Alignment.h"

namespace {

using namespace Alignment;

class AlignmentTest : public ViewTest {
protected:
    // Three selected controls of different sizes; the first is the reference.
    void SetUpThree()
    {
        ref = Add(4, 100, 100, 200, 140);  // 100 x 40
        b = Add(4, 300, 50, 320, 110);     // 20 x 60
        c = Add(4, 10, 400, 60, 405);      // 50 x 5
        for (XControl* x : {ref, b, c})
            x->selected = true;
    }
    TestControl* ref = nullptr;
    TestControl* b = nullptr;
    TestControl* c = nullptr;
};

TEST_F(AlignmentTest, EdgesFollowTheReferenceAndSizesStay)
{
    SetUpThree();
    ASSERT_TRUE(Apply(page, ref, kAlignLeft));
    EXPECT_EQ(Rect(b), (IntRect{100, 50, 120, 110}));
    EXPECT_EQ(Rect(c), (IntRect{100, 400, 150, 405}));
    EXPECT_EQ(Rect(ref), (IntRect{100, 100, 200, 140}));
    ASSERT_TRUE(Apply(page, ref, kAlignRight));
    EXPECT_EQ(Rect(b), (IntRect{180, 50, 200, 110}));
    ASSERT_TRUE(Apply(page, ref, kAlignTop));
    EXPECT_EQ(Rect(c), (IntRect{150, 100, 200, 105}));
    ASSERT_TRUE(Apply(page, ref, kAlignBottom));
    EXPECT_EQ(Rect(b), (IntRect{180, 80, 200, 140}));
    EXPECT_EQ(Rect(c), (IntRect{150, 135, 200, 140}));
    EXPECT_EQ(page->UndoCount(), 4);
    // Each command is one step.
    page->Undo();
    EXPECT_EQ(Rect(b), (IntRect{180, 100, 200, 160}));
    EXPECT_EQ(Rect(c), (IntRect{150, 100, 200, 105}));
}

TEST_F(AlignmentTest, MiddlesAndCentresUseTruncatingHalves)
{
    SetUpThree();
    // Reference middle: 100 + 40 / 2 = 120. c is 5 high: its middle 400 + 2.
    ASSERT_TRUE(Apply(page, ref, kAlignMiddles));
    EXPECT_EQ(Rect(b), (IntRect{300, 90, 320, 150}));
    EXPECT_EQ(Rect(c), (IntRect{10, 118, 60, 123}));
    // Reference centre: 150; b's centre 310, c's 35.
    ASSERT_TRUE(Apply(page, ref, kAlignCentres));
    EXPECT_EQ(Rect(b), (IntRect{140, 90, 160, 150}));
    EXPECT_EQ(Rect(c), (IntRect{125, 118, 175, 123}));
}

TEST_F(AlignmentTest, NothingAlreadyAlignedMeansNoStep)
{
    ref = Add(4, 100, 100, 200, 140);
    b = Add(4, 100, 300, 150, 310);
    ref->selected = b->selected = true;
    EXPECT_FALSE(Apply(page, ref, kAlignLeft));
    EXPECT_FALSE(page->CanUndo());
}

TEST_F(AlignmentTest, AReferenceThatIsNotSelectedOrMissingDoesNothing)
{
    SetUpThree();
    EXPECT_FALSE(Apply(page, nullptr, kAlignLeft));
    ref->selected = false;
    EXPECT_FALSE(Apply(page, ref, kAlignLeft));
    EXPECT_FALSE(Apply(page, ref, kCentreInPageHorizontally));
    EXPECT_FALSE(Apply(page, b, 32999));
    EXPECT_EQ(Rect(c), (IntRect{10, 400, 60, 405}));
    EXPECT_FALSE(page->CanUndo());
}

TEST_F(AlignmentTest, ALineDrawnBackwardsAlignsByItsLeftEnd)
{
    ref = Add(4, 100, 100, 200, 140);
    TestControl* line = Add(2, 80, 10, 20, 70); // from right to left
    ref->selected = line->selected = true;
    ASSERT_TRUE(Apply(page, ref, kAlignLeft));
    EXPECT_EQ(Rect(line), (IntRect{160, 10, 100, 70}));
}

TEST_F(AlignmentTest, CentringInThePageMovesTheSelectionAsABlock)
{
    // Page 800 x 600. Box of the selection: 10..320 wide, 50..405 high.
    SetUpThree();
    ASSERT_TRUE(Apply(page, ref, kCentreInPageHorizontally));
    // New left = (800 - 320 + 10) / 2 = 245: everything moves by 235.
    EXPECT_EQ(Rect(ref), (IntRect{335, 100, 435, 140}));
    EXPECT_EQ(Rect(b), (IntRect{535, 50, 555, 110}));
    EXPECT_EQ(Rect(c), (IntRect{245, 400, 295, 405}));
    EXPECT_FALSE(Apply(page, ref, kCentreInPageHorizontally)); // centred already

    ASSERT_TRUE(Apply(page, ref, kCentreInPageVertically));
    // New top = (600 - 405 + 50) / 2 = 122 (122.5 truncated): moved by 72.
    EXPECT_EQ(Rect(b), (IntRect{535, 122, 555, 182}));
    EXPECT_EQ(page->UndoCount(), 2);
}

TEST_F(AlignmentTest, ASingleControlCanBeCentred)
{
    ref = Add(4, 0, 0, 101, 50);
    ref->selected = true;
    ASSERT_TRUE(Apply(page, ref, kCentreInPageHorizontally));
    EXPECT_EQ(Rect(ref), (IntRect{349, 0, 450, 50})); // (800 - 101) / 2 = 349
}

TEST_F(AlignmentTest, DistributionSpreadsTheInnerControlsEvenly)
{
    // Sorted by left edge: first [0,10), inner 20 and 30 wide, last starts at 110.
    TestControl* last = Add(4, 110, 0, 120, 10);
    TestControl* inner1 = Add(4, 15, 50, 35, 60);
    TestControl* first = Add(4, 0, 0, 10, 10);
    TestControl* inner2 = Add(4, 12, 80, 42, 90);
    for (XControl* x : page->controls)
        x->selected = true;
    // span 100, sum 50, gap 50 / 3 = 16.
    ASSERT_TRUE(Apply(page, first, kDistributeHorizontally));
    EXPECT_EQ(Rect(inner2), (IntRect{26, 80, 56, 90}));
    EXPECT_EQ(Rect(inner1), (IntRect{72, 50, 92, 60}));
    EXPECT_EQ(Rect(first), (IntRect{0, 0, 10, 10}));
    EXPECT_EQ(Rect(last), (IntRect{110, 0, 120, 10}));
    EXPECT_EQ(page->UndoCount(), 1);
}

TEST_F(AlignmentTest, EqualLeftEdgesKeepTheirListOrder)
{
    TestControl* first = Add(4, 0, 0, 10, 10);
    TestControl* x = Add(4, 50, 0, 60, 10);
    TestControl* y = Add(4, 50, 20, 60, 30);
    TestControl* last = Add(4, 200, 0, 210, 10);
    for (XControl* c : page->controls)
        c->selected = true;
    // span 190, sum 20, gap 170 / 3 = 56: x first, then y.
    ASSERT_TRUE(Apply(page, first, kDistributeHorizontally));
    EXPECT_EQ(x->x1, 66);
    EXPECT_EQ(y->x1, 132);
    EXPECT_EQ(last->x1, 200);
}

TEST_F(AlignmentTest, DistributionNeedsThreeControlsAndRoom)
{
    TestControl* a = Add(4, 0, 0, 10, 10);
    TestControl* b2 = Add(4, 100, 0, 110, 10);
    a->selected = b2->selected = true;
    EXPECT_FALSE(Apply(page, a, kDistributeHorizontally));

    // The inner control is wider than the room between the outer ones.
    TestControl* wide = Add(4, 20, 30, 150, 40);
    wide->selected = true;
    EXPECT_FALSE(Apply(page, a, kDistributeHorizontally));
    EXPECT_EQ(Rect(wide), (IntRect{20, 30, 150, 40}));
    EXPECT_FALSE(page->CanUndo());

    // Vertically there is room. wide and low both start at 30; the list order puts wide
    // inside: span 30 - 10 = 20, sum 10, gap 10 / 2 = 5.
    TestControl* low = Add(4, 0, 30, 10, 40);
    page->DeselectAll();
    a->selected = wide->selected = low->selected = true;
    ASSERT_TRUE(Apply(page, a, kDistributeVertically));
    EXPECT_EQ(Rect(wide), (IntRect{20, 15, 150, 25}));
    EXPECT_EQ(Rect(low), (IntRect{0, 30, 10, 40}));
    // Evenly spread already: no step.
    EXPECT_FALSE(Apply(page, a, kDistributeVertically));
    EXPECT_EQ(page->UndoCount(), 1);
}

TEST_F(AlignmentTest, EnableRulesCountTheSelection)
{
    EXPECT_FALSE(IsEnabled(nullptr, kAlignLeft));
    Add(4, 0, 0, 10, 10)->selected = true;
    EXPECT_FALSE(IsEnabled(page, kAlignLeft));
    EXPECT_FALSE(IsEnabled(page, kAlignCentres));
    EXPECT_TRUE(IsEnabled(page, kCentreInPageHorizontally));
    EXPECT_TRUE(IsEnabled(page, kCentreInPageVertically));
    Add(4, 0, 0, 10, 10)->selected = true;
    for (int id : {kAlignLeft, kAlignRight, kAlignTop, kAlignBottom, kAlignMiddles, kAlignCentres})
        EXPECT_TRUE(IsEnabled(page, id)) << id;
    EXPECT_FALSE(IsEnabled(page, kDistributeHorizontally));
    Add(4, 0, 0, 10, 10)->selected = true;
    EXPECT_TRUE(IsEnabled(page, kDistributeVertically));
    EXPECT_FALSE(IsEnabled(page, 32875));
}

} // namespace
