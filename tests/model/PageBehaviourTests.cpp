// Pages and sub-pages: their record versions, size rules, stacking order, identity and
// interlock groups.

#include "base/Translation.h"
#include "model/ElementRecord.h"
#include "model/HeadlessMainDelegate.h"
#include "model/MyFile.h"
#include "model/ProjectData.h"
#include "model/PropertyGridModel.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class PageTest : public ::testing::Test {
protected:
    PageTest()
    {
        project.mainDelegate = &delegate;
        project.screen = {QString(), 1024, 600};
        page = project.NewPage(TypeRegistry::kPage, QStringLiteral("Main"));
        sub = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("Pop"));
    }
    // Adds a control of a class every build registers (the page itself is enough for
    // stacking and hit tests: any element with bounds will do).
    XControl* AddBox(int x, int y, int w, int h)
    {
        XControl* c = CreateElement(4); // RECTANGLE
        if (!c)
            return nullptr;
        page->AddControl(c);
        c->SetBounds({x, y, x + w, y + h});
        return c;
    }
    bool Edit(XPage& p, quint32 id, const QVariant& value)
    {
        p.FillProperties(grid);
        CMFCMyPropertyGridProperty* row = grid.FindByData(id);
        if (!row)
            return false;
        row->SetValueFromEditor(value);
        return p.OnPropertyChanged(*row);
    }
    ScriptedUi ui;
    HeadlessMainDelegate delegate;
    ProjectData project;
    PropertyGridModel grid;
    XPage* page;
    XPage* sub;
};

} // namespace

TEST_F(PageTest, VersionZeroPageTakesTheRuntimeDefaultsAndIsWrittenAsVersionOne)
{
    MyFile f;
    f.OpenWriteMemory();
    f.WriteByte(0);
    f.WriteByte(0);
    f.WriteString(QStringLiteral("Old"));
    for (qint32 v : {0, 0, 800, 480})
        f.WriteDword(v);
    f.WriteColor(MakeRgb(1, 2, 3));
    f.WriteWord(1);
    f.WriteString(QStringLiteral("G"));
    f.WriteWord(0);
    MyFile in;
    in.OpenReadData(f.Written());
    std::unique_ptr<XControl> loaded(
        ReadElementRecord(in, &CreateElement, [this](XControl* e) { e->projectData = &project; }));
    ASSERT_NE(loaded, nullptr);
    auto* p = static_cast<XPage*>(loaded.get());
    EXPECT_EQ(p->runtimeValue, 0);
    EXPECT_EQ(p->runtimeFlag, 1);
    EXPECT_EQ(p->GroupNames(), QStringList{QStringLiteral("G")});
    MyFile out;
    out.OpenWriteMemory();
    ASSERT_TRUE(p->Save(out));
    EXPECT_TRUE(out.Written().startsWith("0100"));
    EXPECT_TRUE(out.Written().contains("0102030000" "0001" "0001"));
}

TEST_F(PageTest, SubPageSizeStaysWithin200And5000)
{
    for (const int bad : {199, 5001}) {
        ui.messages.clear();
        EXPECT_FALSE(Edit(*sub, 1, bad));
        ASSERT_EQ(ui.messages.size(), 1);
        EXPECT_EQ(ui.messages[0].text, TranslateFormat("209", RangeArgs(200, 5000)));
        EXPECT_FALSE(Edit(*sub, 2, bad));
    }
    EXPECT_TRUE(Edit(*sub, 1, 200));
    EXPECT_TRUE(Edit(*sub, 2, 5000));
    EXPECT_EQ(sub->Bounds(), (IntRect{0, 0, 200, 5000}));
    // A full page keeps the project's size.
    EXPECT_FALSE(Edit(*page, 1, 300));
    EXPECT_EQ(page->Bounds().Width(), 1024);
}

TEST_F(PageTest, PageNamesAreUniqueInTheProject)
{
    EXPECT_FALSE(Edit(*page, 0, QStringLiteral("Pop")));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(page->name, QStringLiteral("Main"));
    EXPECT_FALSE(Edit(*page, 0, QStringLiteral("NONE")));
    EXPECT_FALSE(Edit(*page, 0, QString()));
    EXPECT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(Edit(*page, 0, QStringLiteral("pop"))); // case matters
}

TEST_F(PageTest, StackingOrderAndHiddenControls)
{
    XControl* lower = AddBox(0, 0, 100, 100);
    XControl* upper = AddBox(0, 0, 100, 100);
    ASSERT_TRUE(lower && upper);
    EXPECT_EQ(page->ControlAt({50, 50}), upper);
    upper->visible = 0;
    EXPECT_EQ(page->ControlAt({50, 50}), lower); // a click falls through
    EXPECT_FALSE(page->RaiseControl(upper));
    EXPECT_FALSE(page->LowerControl(lower));
    EXPECT_TRUE(page->LowerControl(upper));
    EXPECT_EQ(page->controls.first(), upper);
}

TEST_F(PageTest, EveryPageObjectHasItsOwnSerial)
{
    EXPECT_NE(page->serial, sub->serial);
    const quint64 old = sub->serial;
    project.DeletePage(sub);
    XPage* next = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("Pop"));
    EXPECT_NE(next->serial, old);
    EXPECT_GT(next->serial, old);
}

TEST_F(PageTest, RemovedGroupEntriesAreRetiredNotReused)
{
    QString* scenes = page->AddGroup(QStringLiteral("Scenes"));
    EXPECT_TRUE(page->IsGroupEntry(scenes));
    ASSERT_TRUE(page->RemoveGroup(QStringLiteral("Scenes")));
    EXPECT_FALSE(page->IsGroupEntry(scenes));
    EXPECT_EQ(*scenes, QStringLiteral("Scenes")); // still readable
    QString* next = page->AddGroup(QStringLiteral("Moods"));
    EXPECT_NE(next, scenes);
    EXPECT_EQ(page->GroupNames(), QStringList{QStringLiteral("Moods")});
    EXPECT_FALSE(page->RemoveGroup(QStringLiteral("Scenes")));
}
