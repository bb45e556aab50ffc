#include "FrameFixture.h"

#include "app/Commands.h"
#include "model/ElementTypes.h"
#include "model/TypeRegistry.h"

#include <QAction>

namespace {

IntRect BoundsOf(const XControl* c)
{
    return {c->x1, c->y1, c->x2, c->y2};
}

std::string Text(const IntRect& r)
{
    return QStringLiteral("(%1,%2,%3,%4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom).toStdString();
}

// Three rectangles on a 1024 × 600 page; the first is the reference (the focus control).
class FrameAlignment : public FrameFixture {
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        NewProject(work.Path(QStringLiteral("Hall")), 1024, 600);
        page = NewPage(QStringLiteral("Lobby"));
        ASSERT_NE(page, nullptr);
        a = Add({100, 100, 200, 150});
        b = Add({300, 220, 340, 300});
        c = Add({500, 400, 560, 420});
        frame->SelectControl(a);
        b->selected = true;
        c->selected = true;
        ASSERT_EQ(page->SelectedCount(), 3);
    }

    XControl* Add(const IntRect& r)
    {
        XControl* control = CreateElement(ElementType::kRectangle);
        page->AddControl(control);
        control->SetBounds(r);
        return control;
    }

    // Runs a command as its tool-bar button does and checks where the three ended; the
    // move is one undo step, and undoing it restores the start.
    void Expect(int command, const IntRect& ea, const IntRect& eb, const IntRect& ec)
    {
        SCOPED_TRACE(command);
        // The undo at the end leaves another selection; it is made again before each command.
        frame->SelectControl(a);
        b->selected = true;
        c->selected = true;
        frame->UpdateCommandUI();
        QAction* action = frame->Action(command);
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->isEnabled());
        const int undoBefore = page->UndoCount();
        action->trigger();
        EXPECT_EQ(BoundsOf(a), ea) << Text(BoundsOf(a));
        EXPECT_EQ(BoundsOf(b), eb) << Text(BoundsOf(b));
        EXPECT_EQ(BoundsOf(c), ec) << Text(BoundsOf(c));
        EXPECT_EQ(page->UndoCount(), undoBefore + 1);
        page->Undo();
        EXPECT_EQ(BoundsOf(a), kA);
        EXPECT_EQ(BoundsOf(b), kB);
        EXPECT_EQ(BoundsOf(c), kC);
    }

    const IntRect kA{100, 100, 200, 150};
    const IntRect kB{300, 220, 340, 300};
    const IntRect kC{500, 400, 560, 420};
    XPage* page = nullptr;
    XControl* a = nullptr;
    XControl* b = nullptr;
    XControl* c = nullptr;
};

} // namespace

TEST_F(FrameAlignment, EdgesAndCentresFollowTheReference)
{
    Expect(Cmd::AlignLeft, kA, {100, 220, 140, 300}, {100, 400, 160, 420});
    Expect(Cmd::AlignRight, kA, {160, 220, 200, 300}, {140, 400, 200, 420});
    Expect(Cmd::AlignTop, kA, {300, 100, 340, 180}, {500, 100, 560, 120});
    Expect(Cmd::AlignBottom, kA, {300, 70, 340, 150}, {500, 130, 560, 150});
    // Vertical centres on the reference's 125, horizontal centres on its 150.
    Expect(Cmd::AlignMiddles, kA, {300, 85, 340, 165}, {500, 115, 560, 135});
    Expect(Cmd::AlignCentres, kA, {130, 220, 170, 300}, {120, 400, 180, 420});
}

TEST_F(FrameAlignment, TheSelectionCentresInThePageAndSpreadsEvenly)
{
    // The box 100..560 × 100..420 moves to the middle of 1024 × 600 as one block.
    Expect(Cmd::CenterHorizontally, {282, 100, 382, 150}, {482, 220, 522, 300}, {682, 400, 742, 420});
    Expect(Cmd::CenterVertically, {100, 140, 200, 190}, {300, 260, 340, 340}, {500, 440, 560, 460});
    // The outer two stay; the middle one gets equal gaps on both sides.
    Expect(Cmd::DistributeHorizontally, kA, {330, 220, 370, 300}, kC);
    Expect(Cmd::DistributeVertically, kA, {300, 235, 340, 315}, kC);
}

TEST_F(FrameAlignment, TooSmallASelectionDisablesAndMovesNothing)
{
    c->selected = false;
    frame->UpdateCommandUI();
    EXPECT_TRUE(frame->Action(Cmd::AlignMiddles)->isEnabled());
    EXPECT_FALSE(frame->Action(Cmd::DistributeHorizontally)->isEnabled());
    frame->OnCommand(Cmd::DistributeHorizontally);
    EXPECT_EQ(BoundsOf(b), kB);
    EXPECT_EQ(page->UndoCount(), 0);

    // Without an active page window none of them is enabled.
    frame->ActivatePage(nullptr, false);
    frame->UpdateCommandUI();
    for (int id : {int(Cmd::AlignLeft), int(Cmd::AlignMiddles), int(Cmd::AlignCentres), int(Cmd::CenterVertically)})
        EXPECT_FALSE(frame->Action(id)->isEnabled()) << id;
}
