// What the overview reads of a project, and how it follows edits, undo and redo without
// reading the pages that did not change.

#include "editor/ProjectOverview.h"

#include "support/OverviewExample.h"
#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include "controls/XButton.h"
#include "editor/OverviewTableModel.h"
#include "editor/OverviewTables.h"
#include "model/TActionCommand.h"
#include "model/XPage.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QStringList Codes(const ProjectOverview& o)
{
    QStringList lines;
    for (const SendCodeEntry& e : o.SendCodesByCode())
        lines << QStringLiteral("%1 %2/%3 kind=%4 group=%5 shared=%6%7")
                     .arg(e.code)
                     .arg(e.page, e.element)
                     .arg(e.kind)
                     .arg(e.group)
                     .arg(e.sharedWith)
                     .arg(e.sharedOnPage ? QStringLiteral(" on-page") : QString());
    return lines;
}

} // namespace

TEST(ProjectOverview, TablesOfTheVenue)
{
    ScriptedUi ui;
    TestFolder dir;
    OverviewExample venue(dir.Path(QStringLiteral("Venue")));
    ProjectOverview o;
    o.Refresh(*venue.project);

    // By code, then in project order; a code shared only inside one interlock group of a
    // page is not shared, one sent on another page is, one sent twice on a page warns.
    const QStringList codes{
        QStringLiteral("10 Home/Day kind=1 group=Scenes shared=1"),
        QStringLiteral("10 Home/Night kind=1 group=Scenes shared=1"),
        QStringLiteral("10 Lights/Back kind=0 group= shared=2"),
        QStringLiteral("20 Home/Power kind=0 group= shared=1 on-page"),
        QStringLiteral("20 Home/Power2 kind=0 group= shared=1 on-page"),
        QStringLiteral("30 Lights/Dimmer kind=-1 group= shared=0"),
    };
    EXPECT_EQ(Codes(o), codes) << Joined(Codes(o));
    EXPECT_EQ(o.SendCodesByCode()[3].command, QStringLiteral("PWR \"ON\";PWR \"OFF\""));

    struct Jump {
        const char* page;
        const char* element;
        const char* target;
        bool shows;
        bool resolves;
    };
    const Jump jumps[] = {
        {"Home", "Day", "Lights", false, true},
        {"Home", "Box", "Panel", true, true},
        {"Lights", "Back", "Home", false, true},
        {"Lights", "Broken", "Nowhere", false, false},
    };
    ASSERT_EQ(o.Jumps().size(), std::size(jumps));
    for (size_t i = 0; i < std::size(jumps); ++i) {
        const JumpEntry& j = o.Jumps()[i];
        EXPECT_EQ(j.page, QString::fromLatin1(jumps[i].page)) << i;
        EXPECT_EQ(j.element, QString::fromLatin1(jumps[i].element)) << i;
        EXPECT_EQ(j.target, QString::fromLatin1(jumps[i].target)) << i;
        EXPECT_EQ(j.shows, jumps[i].shows) << i;
        EXPECT_EQ(j.resolves, jumps[i].resolves) << i;
    }
    EXPECT_EQ(o.UnreachedPages(), QStringList{QStringLiteral("Orphan")});
    EXPECT_EQ(o.UnshownSubPages(), QStringList{QStringLiteral("Spare")});

    ASSERT_EQ(o.Groups().size(), 1u);
    EXPECT_EQ(o.Groups()[0].page, QStringLiteral("Home"));
    EXPECT_EQ(o.Groups()[0].members, (QStringList{QStringLiteral("Day"), QStringLiteral("Night")}));

    struct Image {
        const char* name;
        QStringList users;
        bool listed;
        QSize pixels;
    };
    const Image images[] = {
        {"lamp.png", {QStringLiteral("Home / Day"), QStringLiteral("Lights / Lamp")}, true, {40, 30}},
        {"spare.png", {}, true, {8, 8}},
        {"stray.png", {}, false, {16, 16}},
    };
    ASSERT_EQ(o.Images().size(), std::size(images));
    for (size_t i = 0; i < std::size(images); ++i) {
        const ImageEntry& e = o.Images()[i];
        EXPECT_EQ(e.name, QString::fromLatin1(images[i].name));
        EXPECT_EQ(e.users, images[i].users) << images[i].name;
        EXPECT_EQ(e.listed, images[i].listed) << images[i].name;
        EXPECT_TRUE(e.hasFile) << images[i].name;
        EXPECT_EQ(e.pixels, images[i].pixels) << images[i].name;
        EXPECT_GT(e.bytes, 0) << images[i].name;
    }

    // The lines the pane shows (in project order; the view sorts them) mark what needs a look.
    using Mark = OverviewRow::Mark;
    const auto codeRows = OverviewTables::SendCodeRows(o);
    const Mark codeMarks[] = {Mark::Note, Mark::Note, Mark::Warning, Mark::Warning, Mark::None, Mark::Note};
    for (size_t i = 0; i < std::size(codeMarks); ++i)
        EXPECT_EQ(codeRows[i].mark, codeMarks[i]) << i;
    EXPECT_EQ(OverviewTables::JumpRows(o)[3].mark, Mark::Error);
    const auto imageRows = OverviewTables::ImageRows(o, *venue.project);
    EXPECT_EQ(imageRows[0].mark, Mark::None);
    EXPECT_EQ(imageRows[1].mark, Mark::Warning);
    EXPECT_EQ(imageRows[0].page, QStringLiteral("Home"));
    EXPECT_EQ(imageRows[0].element, QStringLiteral("Day"));
}

TEST(ProjectOverview, FollowsEditsUndoAndRedoReadingOnlyTheChangedPage)
{
    ScriptedUi ui;
    TestFolder dir;
    OverviewExample venue(dir.Path(QStringLiteral("Venue")));
    ProjectData& project = *venue.project;
    ProjectOverview o;
    OverviewTableModel model;
    model.SetHeaders(OverviewTables::SendCodeHeaders());
    o.Refresh(project);
    model.SetRows(OverviewTables::SendCodeRows(o));
    EXPECT_EQ(o.PagesReadLastTime(), 5);

    XPage* home = venue.Page(QStringLiteral("Home"));
    XPage* lights = venue.Page(QStringLiteral("Lights"));
    auto* dimmer = lights->FindControl(QStringLiteral("Dimmer"));
    auto* power2 = static_cast<XButton*>(home->FindControl(QStringLiteral("Power2")));

    struct Step {
        const char* what;
        std::function<void()> act;
        int pagesRead;
        QString lastCode; // the last line of the code table afterwards
        int linesChanged;
        unsigned parts;   // that changed
    };
    constexpr unsigned kCodes = ProjectOverview::kCodes;
    const Step steps[] = {
        {"nothing changed", [] {}, 0, QStringLiteral("30 Lights/Dimmer kind=-1 group= shared=0"), 0, 0},
        {"an edit recorded for undo",
         [&] {
             XControl* before = power2->Clone(true);
             power2->sendCode = 40;
             home->PushCommand(new TControlChangeCommand(before, power2));
         },
         1, QStringLiteral("40 Home/Power2 kind=0 group= shared=0"), 2, kCodes},
        {"its undo", [&] { home->Undo(); }, 1, QStringLiteral("30 Lights/Dimmer kind=-1 group= shared=0"), 2, kCodes},
        {"its redo", [&] { home->Redo(); }, 1, QStringLiteral("40 Home/Power2 kind=0 group= shared=0"), 2, kCodes},
        {"a control duplicated", [&] { home->SelectOnly(home->FindControl(QStringLiteral("Power"))), home->DuplicateSelection(); },
         1, QStringLiteral("40 Home/Power2 kind=0 group= shared=0"), 2, kCodes},
        {"a control deleted", [&] { lights->SelectOnly(dimmer), lights->DeleteSelection(); }, 1,
         QStringLiteral("40 Home/Power2 kind=0 group= shared=0"), 1, kCodes},
        {"a page renamed: every page names it", [&] { lights->name = QStringLiteral("Lamps"), lights->NoteModified(); },
         5, QStringLiteral("40 Home/Power2 kind=0 group= shared=0"), 1, ProjectOverview::kAll},
    };
    for (const Step& step : steps) {
        step.act();
        o.Refresh(project);
        model.SetRows(OverviewTables::SendCodeRows(o));
        EXPECT_EQ(o.PagesReadLastTime(), step.pagesRead) << step.what;
        EXPECT_EQ(o.ChangedLastTime(), step.parts) << step.what;
        EXPECT_EQ(Codes(o).last(), step.lastCode) << step.what << "\n" << Joined(Codes(o));
        EXPECT_EQ(model.LinesChangedLastTime(), step.linesChanged) << step.what;
        EXPECT_TRUE(model.Rows() == OverviewTables::SendCodeRows(o)) << step.what;
    }
    // After the rename the jump names the page by its new name, and still resolves.
    EXPECT_EQ(o.Jumps()[0].target, QStringLiteral("Lamps"));
    EXPECT_TRUE(o.Jumps()[0].resolves);
    EXPECT_EQ(o.UnreachedPages(), QStringList{QStringLiteral("Orphan")});
}
