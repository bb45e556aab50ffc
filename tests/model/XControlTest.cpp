#include "base/Translation.h"
#include "model/HeadlessMainDelegate.h"
#include "model/MyFile.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include "support/ScriptedUi.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// The smallest concrete element: a record of the common prefix only.
class Plain : public XControl {
public:
    explicit Plain(int x1_ = 0, int y1_ = 0, int x2_ = 0, int y2_ = 0, int width = 6)
    {
        x1 = x1_;
        y1 = y1_;
        x2 = x2_;
        y2 = y2_;
        lineWidth = width;
    }
    int GetType() const override { return 2; }
    void FillProperties(PropertyGridModel&) override {}
    bool OnPropertyChanged(CMFCMyPropertyGridProperty&) override { return false; }
    bool Save(MyFile& f) override
    {
        return WriteRecordVersion(f) && WriteType(f) && WriteName(f) && WriteBounds(f) && WriteLineWidth(f)
            && WriteColor(f);
    }
    bool Load(MyFile& f, int version) override
    {
        ReadName(f);
        ReadBounds(f);
        ReadLineWidth(f);
        ReadColor(f);
        return version == 0;
    }
    void Draw(QPainter& dc) override
    {
        if (selected) {
            DrawSelectionFrame(dc);
            DrawEndHandles(dc);
        }
    }
    void Refresh() override {}
};

} // namespace

TEST(XControl, CommonRecordPrefixRoundTrips)
{
    Plain a(-10, 20, 300, -400, 12);
    a.name = QStringLiteral("LINE-0");
    a.color = MakeRgb(0x12, 0x34, 0x56);
    MyFile w;
    w.OpenWriteMemory();
    ASSERT_TRUE(a.Save(w));
    EXPECT_EQ(w.Written(), QByteArray("00" "02" "800c") + QByteArray("L\0I\0N\0E\0-\0" "0\0", 12)
                               + "fffffff6" "00000014" "0000012c" "fffffe70" "000c" "123456");
    MyFile r;
    r.OpenReadData(w.Written());
    EXPECT_EQ(r.ReadByte(), 0);
    EXPECT_EQ(r.ReadByte(), 2);
    Plain b;
    ASSERT_TRUE(b.Load(r, 0));
    EXPECT_EQ(b.name, a.name);
    EXPECT_EQ(b.Bounds(), (IntRect{-10, -400, 300, 20}));
    EXPECT_EQ(b.x2, 300); // the points keep their order
    EXPECT_EQ(b.lineWidth, 12);
    EXPECT_EQ(b.color, a.color);
}

TEST(XControl, HitTestWidensWithTheLineAndMoreWhileSelected)
{
    Plain c(100, 100, 50, 60, 1); // drawn from bottom-right to top-left
    EXPECT_TRUE(c.HitTest({50, 60}));
    EXPECT_TRUE(c.HitTest({49, 60}));    // 1 / 2 + 1 = 1 pixel margin
    EXPECT_FALSE(c.HitTest({48, 60}));
    EXPECT_TRUE(c.HitTest({100, 100}));  // right edge excluded only after the margin
    EXPECT_FALSE(c.HitTest({101, 80}));
    c.selected = true;                   // width raised to 7: margin 4
    EXPECT_TRUE(c.HitTest({46, 80}));
    EXPECT_FALSE(c.HitTest({45, 80}));
    EXPECT_TRUE(c.HitTest({103, 80}));
    EXPECT_FALSE(c.HitTest({104, 80}));
}

TEST(XControl, HandlesAreSevenPixelSquaresAroundBothPoints)
{
    Plain c(10, 10, 40, 40);
    EXPECT_EQ(c.HitTestHandle({7, 7}), 1);
    EXPECT_EQ(c.HitTestHandle({13, 13}), 1);
    EXPECT_EQ(c.HitTestHandle({14, 10}), 0);
    EXPECT_EQ(c.HitTestHandle({43, 37}), 9);
    Plain overlap(10, 10, 12, 12); // both squares cover the point: the first wins
    EXPECT_EQ(overlap.HitTestHandle({11, 11}), 1);
}

TEST(XControl, ScalingTruncatesEachCoordinate)
{
    Plain c(1023, 700, 1000, 767);
    c.Scale(800, 1024, 600, 768);
    EXPECT_EQ(c.x1, 799);
    EXPECT_EQ(c.x2, 781);
    EXPECT_EQ(c.y1, 546);
    EXPECT_EQ(c.y2, 599);
    Plain neg(-5, -5, 0, 0);
    neg.Scale(1, 2, 1, 2);
    EXPECT_EQ(neg.x1, -2); // toward zero
}

TEST(XControl, AlignCodesMoveWithoutResizing)
{
    Plain c(10, 20, 50, 80);
    c.ApplyAlignCode(20, 100);
    EXPECT_EQ(c.Bounds(), (IntRect{100, 20, 140, 80}));
    c.ApplyAlignCode(21, 100);
    EXPECT_EQ(c.Bounds(), (IntRect{60, 20, 100, 80}));
    c.ApplyAlignCode(23, 0);
    EXPECT_EQ(c.Bounds(), (IntRect{60, -60, 100, 0}));
    c.ApplyAlignCode(24, -60);
    c.ApplyAlignCode(25, 60);
    EXPECT_EQ(c.Bounds(), (IntRect{0, 0, 40, 60}));
    c.ApplyAlignCode(28, 100); // centre vertically on 100: top + 30 → 100
    EXPECT_EQ(c.Bounds(), (IntRect{0, 70, 40, 130}));
    c.ApplyAlignCode(29, 0);
    EXPECT_EQ(c.Bounds(), (IntRect{-20, 70, 20, 130}));
    c.ApplyAlignCode(99, 5);
    EXPECT_EQ(c.Bounds(), (IntRect{-20, 70, 20, 130}));
}

TEST(XControl, RenameChecksNamesOnThePageOnly)
{
    ScriptedUi ui;
    XPage page;
    auto* a = new Plain;
    auto* b = new Plain;
    page.AddControl(a);
    page.AddControl(b);
    EXPECT_EQ(a->name, QStringLiteral("LINE-0"));
    EXPECT_EQ(b->name, QStringLiteral("LINE-1"));
    EXPECT_FALSE(b->Rename(QString()));
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_FALSE(b->Rename(QStringLiteral("LINE-0")));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, Translate("73"));
    EXPECT_EQ(ui.messages[0].caption, Translate("70"));
    EXPECT_TRUE(b->Rename(QStringLiteral("line-0")));
    EXPECT_TRUE(b->Rename(QStringLiteral("line-0"))); // its own name again
}

TEST(TypeRegistry, KeysNamesAndFactory)
{
    EXPECT_EQ(GetTypeKey(0), QStringLiteral("PAGE"));
    EXPECT_EQ(GetTypeKey(15), QStringLiteral("FONTBTN"));
    EXPECT_EQ(GetTypeKey(37), QStringLiteral("DANTESLIDER"));
    EXPECT_EQ(GetTypeKey(38), QString());
    EXPECT_EQ(GetTypeKey(-1), QString());
    EXPECT_EQ(CreateElement(38), nullptr);
    std::unique_ptr<XControl> sub(CreateElement(1));
    ASSERT_TRUE(sub);
    EXPECT_EQ(sub->GetType(), 1);
    EXPECT_EQ(sub->recordVersion, 1);
    EXPECT_EQ(TypeRegistry::TypeForMenuCommand(32884), 15);
    EXPECT_EQ(TypeRegistry::MenuCommandForType(6), 32836);

    QStringList taken{QStringLiteral("LINE-1"), QStringLiteral("LINE-2")};
    auto exists = [&](const QString& n) { return taken.contains(n); };
    EXPECT_EQ(MakeUniqueName(2, exists), QStringLiteral("LINE-0"));
    taken << QStringLiteral("LINE-0");
    EXPECT_EQ(MakeUniqueName(2, exists), QStringLiteral("LINE-3"));
}

TEST(XPage, HitTestingSkipsHiddenControlsAndStackingStepsStopAtTheEnds)
{
    XPage page;
    auto* below = new Plain(0, 0, 100, 100);
    auto* above = new Plain(0, 0, 100, 100);
    page.AddControl(below);
    page.AddControl(above);
    EXPECT_EQ(page.ControlAt({50, 50}), above);
    above->visible = 0;
    EXPECT_EQ(page.ControlAt({50, 50}), below);
    EXPECT_EQ(page.ControlAt({500, 500}), nullptr);

    EXPECT_FALSE(page.RaiseControl(above));
    EXPECT_FALSE(page.LowerControl(below));
    EXPECT_TRUE(page.RaiseControl(below));
    EXPECT_EQ(page.controls, (QList<XControl*>{above, below}));
    page.MoveControlAfter(above, below);
    EXPECT_EQ(page.controls, (QList<XControl*>{below, above}));
}

TEST(XPage, SelectionDrawsInTheColourXorAA)
{
    HeadlessMainDelegate md;
    md.zoom = 2.0;
    XPage page;
    page.mainDelegate = &md;
    page.x2 = 50;
    page.y2 = 50;
    page.backgroundColor = MakeRgb(255, 255, 255);
    auto* c = new Plain(5, 5, 20, 20);
    page.AddControl(c);
    c->color = MakeRgb(0, 0x0F, 0xFF);
    c->selected = true;
    QImage image(100, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    page.Draw(painter);
    painter.end();
    const QColor mark = ToQColor(MakeRgb(0xAA, 0xA5, 0x55));
    EXPECT_EQ(image.pixelColor(10, 25), mark);  // frame edge at x = 5 × 2
    EXPECT_EQ(image.pixelColor(7, 7), mark);    // handle around (10, 10)
    EXPECT_EQ(image.pixelColor(12, 12), mark);
    EXPECT_EQ(image.pixelColor(25, 25), Qt::white);
}
