#include "ViewTestFixture.h"

#include "editor/LayoutSettings.h"

#include <QSet>

namespace {

// A page of 800 × 600 with the control dragged, A, and another, B, to snap to.
constexpr IntRect kA{100, 100, 150, 140};
constexpr IntRect kB{200, 50, 260, 90};

LayoutSettings Layout(bool grid, bool guides)
{
    LayoutSettings s;
    s.snapToGrid = grid;
    s.smartGuides = guides;
    return s;
}

ViewKeys Keys(bool alt)
{
    ViewKeys k;
    k.alt = alt;
    return k;
}

enum class Gesture { Move, EndHandle, Create };

struct SnapRow {
    const char* name;
    LayoutSettings layout;
    double zoom;
    Gesture gesture;
    QPoint from;
    QPoint to;
    bool alt;
    IntRect expected;                // the dragged (or created) control after the drag
    std::vector<GuideLine> guides;   // shown during the last step
};

const SnapRow kSnapRows[] = {
    {"grid", Layout(true, false), 1, Gesture::Move, {120, 120}, {133, 127}, false, {110, 110, 160, 150}, {}},
    {"nothing to snap to", Layout(false, false), 1, Gesture::Move, {120, 120}, {133, 127}, false,
     {113, 107, 163, 147}, {}},
    {"another control's edge", Layout(true, true), 1, Gesture::Move, {120, 120}, {217, 120}, false,
     {200, 100, 250, 140}, {{true, 200, 50, 140}}},
    {"another control's centre", Layout(false, true), 1, Gesture::Move, {120, 120}, {223, 120}, false,
     {205, 100, 255, 140}, {{true, 230, 50, 140}}},
    {"the page's centre", Layout(false, true), 1, Gesture::Move, {120, 120}, {120, 298}, false,
     {100, 280, 150, 320}, {{false, 300, 0, 800}}},
    {"the page's edge", Layout(false, true), 1, Gesture::Move, {120, 120}, {23, 120}, false,
     {0, 100, 50, 140}, {{true, 0, 0, 600}}},
    {"Alt holds no snap", Layout(true, true), 1, Gesture::Move, {120, 120}, {217, 127}, true,
     {197, 107, 247, 147}, {}},
    {"too far at zoom 1", Layout(false, true), 1, Gesture::Move, {120, 120}, {212, 120}, false,
     {192, 100, 242, 140}, {}},
    {"too far on the screen at zoom 2", Layout(false, true), 2, Gesture::Move, {120, 120}, {217, 120}, false,
     {197, 100, 247, 140}, {}},
    {"near enough on the screen at zoom 0.5, on both axes", Layout(false, true), 0.5, Gesture::Move, {120, 120},
     {212, 120}, false, {200, 90, 250, 130}, {{true, 200, 50, 130}, {false, 90, 200, 260}}},
    {"a resize handle to two edges", Layout(false, true), 1, Gesture::EndHandle, {150, 140}, {197, 93}, false,
     {100, 90, 200, 100}, {{true, 200, 50, 90}, {false, 90, 200, 260}}},
    {"a new control's corners to the grid", Layout(true, false), 1, Gesture::Create, {13, 17}, {58, 44}, false,
     {10, 20, 60, 40}, {}},
};

TEST_F(ViewTest, DraggedEdgesSnapToTheGridThePageAndOtherControls)
{
    for (const SnapRow& row : kSnapRows) {
        SCOPED_TRACE(row.name);
        for (XControl* c : QList<XControl*>(page->controls)) {
            page->RemoveControl(c);
            delete c;
        }
        LayoutSettings layout = row.layout;
        t->delegate.layout = &layout;
        t->delegate.zoom = row.zoom;
        t->delegate.toolMode = 101;
        TestControl* a = Add(4, kA.left, kA.top, kA.right, kA.bottom);
        Add(4, kB.left, kB.top, kB.right, kB.bottom);
        if (row.gesture == Gesture::EndHandle)
            Click({120, 120}); // selected alone, so that its handles are hit
        if (row.gesture == Gesture::Create)
            t->delegate.toolMode = 4;

        ViewKeys keys = Keys(row.alt);
        Press(row.from, keys);
        keys.leftButton = true;
        view->LeftButtonMove(row.to, keys);
        EXPECT_EQ(view->Guides(), row.guides);
        keys.leftButton = false;
        view->LeftButtonUp(row.to, keys);
        EXPECT_TRUE(view->Guides().empty()) << "the guides go with the button";

        const XControl* moved = row.gesture == Gesture::Create ? page->controls.last() : a;
        EXPECT_EQ(Rect(moved), row.expected);
    }
    t->delegate.layout = nullptr;
}

TEST_F(ViewTest, KeyboardNudgesStayExactWhileTheGridSnaps)
{
    LayoutSettings layout = Layout(true, true);
    t->delegate.layout = &layout;
    TestControl* a = Add(4, 103, 107, 153, 147);
    Click({120, 120});
    view->HandleKey(Qt::Key_Right, Ctrl());
    view->HandleKey(Qt::Key_Down, {});
    EXPECT_EQ(Rect(a), (IntRect{104, 117, 154, 157}));
    t->delegate.layout = nullptr;
}

// ---------------------------------------------------------------- rubber band

struct BandRow {
    const char* name;
    bool background;       // a picture covering the whole page, under the buttons
    bool backgroundLocked;
    const char* preselected;
    QPoint from;
    QPoint to;
    bool shift;
    QSet<QString> expected; // the selected controls afterwards
    const char* current;    // the pane's element: a control's name, "page", or "" for none
};

const BandRow kBandRows[] = {
    {"over a locked background", true, true, "", {90, 90}, {260, 250}, false, {"b1", "b2", "b3", "b4"}, ""},
    {"an unlocked background is hit and moved", true, false, "", {90, 90}, {260, 250}, false, {"bg"}, "bg"},
    {"on the empty page, one control", false, false, "c", {90, 90}, {160, 150}, false, {"b1"}, "b1"},
    {"Shift adds to the selection", false, false, "c", {190, 90}, {260, 150}, true, {"b2", "c"}, ""},
    {"half inside is not inside", true, true, "", {90, 90}, {140, 250}, false, {}, "page"},
    {"a click on the locked background clears", true, true, "c", {90, 90}, {90, 90}, false, {}, "page"},
};

TEST_F(ViewTest, ABandSelectsWhatLiesWhollyInsideItAndLooksThroughLocks)
{
    for (const BandRow& row : kBandRows) {
        SCOPED_TRACE(row.name);
        for (XControl* c : QList<XControl*>(page->controls)) {
            page->RemoveControl(c);
            delete c;
        }
        t->delegate.current = nullptr;
        auto named = [this](XControl* c, const char* name) {
            c->name = QString::fromLatin1(name);
            return c;
        };
        XControl* bg = row.background ? named(Add(5, 0, 0, 800, 600), "bg") : nullptr;
        if (bg)
            bg->locked = row.backgroundLocked;
        named(Add(6, 100, 100, 150, 140), "b1");
        named(Add(6, 200, 100, 250, 140), "b2");
        named(Add(6, 100, 200, 150, 240), "b3");
        named(Add(6, 200, 200, 250, 240), "b4");
        named(Add(6, 400, 400, 450, 440), "c");
        if (*row.preselected)
            page->FindControl(QString::fromLatin1(row.preselected))->selected = true;

        ViewKeys keys;
        keys.shift = row.shift;
        Drag(row.from, {row.to}, keys);

        QSet<QString> selected;
        for (const XControl* c : page->Selected())
            selected.insert(c->name);
        EXPECT_EQ(selected, row.expected);
        const QString current = t->delegate.current == page ? QStringLiteral("page")
            : t->delegate.current                           ? t->delegate.current->name
                                                            : QString();
        EXPECT_EQ(current, QString::fromLatin1(row.current));
        if (row.expected.size() > 1)
            EXPECT_EQ(view->GetFocusControl(), page->FirstSelected()) << "the alignment commands have a focus";
        EXPECT_FALSE(view->IsBanding());
    }
}

} // namespace
