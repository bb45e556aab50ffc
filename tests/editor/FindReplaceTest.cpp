// Finding controls, replacing in names and texts and numbering send codes, each change one
// undo step on each page it touched.

#include "editor/FindReplace.h"

#include "support/OverviewExample.h"
#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include "controls/XButton.h"
#include "model/XPage.h"

#include <gtest/gtest.h>

namespace {

QStringList Places(const std::vector<FindHit>& hits)
{
    QStringList places;
    for (const FindHit& h : hits)
        places << h.page + u'/' + h.element;
    return places;
}

// Every control's name and text, to compare a project before and after.
QStringList State(const ProjectData& project)
{
    QStringList lines;
    for (const FindHit& h : FindReplace::Find(project, {FindField::Name, QString(), false, nullptr}))
        lines << h.page + u'/' + h.element;
    for (const FindHit& h : FindReplace::Find(project, {FindField::Text, QString(), false, nullptr}))
        lines << h.page + u'/' + h.element + u'=' + h.value;
    return lines;
}

} // namespace

TEST(FindReplace, FindsByEveryFieldOnEveryPageOrOne)
{
    ScriptedUi ui;
    TestFolder dir;
    OverviewExample venue(dir.Path(QStringLiteral("Venue")));
    const XPage* home = venue.Page(QStringLiteral("Home"));
    struct Case {
        FindField field;
        const char* text;
        bool matchCase;
        const XPage* page;
        QStringList places;
    };
    const Case cases[] = {
        {FindField::Name, "power", false, nullptr, {"Home/Power", "Home/Power2"}},
        {FindField::Name, "power", true, nullptr, {}},
        {FindField::Text, "welcome", false, nullptr, {"Home/Title", "Orphan/Note"}},
        {FindField::Text, "welcome", false, home, {"Home/Title"}},
        {FindField::SendCode, "10", false, nullptr, {"Home/Day", "Home/Night", "Lights/Back"}},
        {FindField::SendCode, "20-30", false, nullptr, {"Home/Power", "Home/Power2", "Lights/Dimmer"}},
        {FindField::SendCode, "", false, nullptr,
         {"Home/Day", "Home/Night", "Home/Power", "Home/Power2", "Lights/Dimmer", "Lights/Back"}},
        {FindField::SendCode, "ten", false, nullptr, {}},
        {FindField::Image, "LAMP", false, nullptr, {"Home/Day", "Lights/Lamp"}},
        {FindField::StreamAddress, "10.0.0.5:2554", false, nullptr, {"Lights/Cam"}},
    };
    for (const Case& c : cases) {
        const auto hits = FindReplace::Find(*venue.project, {c.field, QString::fromLatin1(c.text), c.matchCase, c.page});
        EXPECT_EQ(Places(hits), c.places) << c.text << " in field " << int(c.field) << ": " << Joined(Places(hits));
    }
    const auto stream = FindReplace::Find(*venue.project, {FindField::StreamAddress, QStringLiteral("2554")});
    ASSERT_EQ(stream.size(), 1u);
    EXPECT_EQ(stream[0].value, QStringLiteral("rtsp://10.0.0.5:2554/352"));
}

TEST(FindReplace, ReplacesInNamesAndTextsOneUndoStepPerPage)
{
    ScriptedUi ui;
    struct Case {
        const char* what;
        FindField field;
        const char* text;
        const char* replacement;
        int changed;
        QStringList pages; // that got an undo step
        QStringList refused;
        QStringList found;  // the replacement afterwards
    };
    const Case cases[] = {
        {"names", FindField::Name, "Power", "Mains", 2, {"Home"}, {}, {"Home/Mains", "Home/Mains2"}},
        {"a name taken on its page is refused", FindField::Name, "Night", "Day", 0, {}, {"Home / Night"}, {"Home/Day"}},
        {"texts on two pages", FindField::Text, "Welcome", "Hello", 2, {"Home", "Orphan"}, {},
         {"Home/Title", "Orphan/Note"}},
        {"a font text keeps a text it would lose", FindField::Text, "Welcome", "", 1, {"Orphan"}, {"Home / Title"}, {}},
        {"case as asked", FindField::Text, "SCENE", "mood", 2, {"Home"}, {}, {"Home/Day", "Home/Night"}},
    };
    for (const Case& c : cases) {
        TestFolder dir;
        OverviewExample venue(dir.Path(QStringLiteral("Venue")));
        ProjectData& project = *venue.project;
        const QStringList before = State(project);
        std::map<QString, int> undoBefore;
        for (XPage* p : project.pages)
            undoBefore[p->name] = p->UndoCount();

        const FindQuery query{c.field, QString::fromLatin1(c.text), false, nullptr};
        const ReplaceOutcome outcome = FindReplace::Replace(project, query, QString::fromLatin1(c.replacement));
        EXPECT_EQ(outcome.changed, c.changed) << c.what;
        EXPECT_EQ(outcome.pages, c.pages.size()) << c.what;
        EXPECT_EQ(outcome.refused, c.refused) << c.what << ": " << Joined(outcome.refused);
        if (!QString::fromLatin1(c.replacement).isEmpty()) {
            const auto found = FindReplace::Find(project, {c.field, QString::fromLatin1(c.replacement), true, nullptr});
            EXPECT_EQ(Places(found), c.found) << c.what;
        }
        for (XPage* p : project.pages)
            EXPECT_EQ(p->UndoCount(), undoBefore[p->name] + (c.pages.contains(p->name) ? 1 : 0)) << c.what << p->name.toStdString();
        // One undo on each page touched brings the whole project back.
        for (XPage* p : project.pages)
            if (c.pages.contains(p->name))
                p->Undo();
        EXPECT_EQ(State(project), before) << c.what << "\n" << Joined(State(project));
    }
}

TEST(FindReplace, RenumbersTheSelectedControlsInPageOrderAsOneStep)
{
    ScriptedUi ui;
    TestFolder dir;
    OverviewExample venue(dir.Path(QStringLiteral("Venue")));
    XPage* home = venue.Page(QStringLiteral("Home"));
    auto code = [home](const char* name) {
        return static_cast<XButton*>(home->FindControl(QString::fromLatin1(name)))->sendCode;
    };
    // Selected out of page order, with a container that has no send code among them.
    for (const char* name : {"Power2", "Box", "Night", "Day"})
        home->FindControl(QString::fromLatin1(name))->selected = true;
    const int steps = home->UndoCount();

    EXPECT_EQ(FindReplace::RenumberSelected(*home, 3999), 3);
    EXPECT_EQ(code("Day"), 3999);
    EXPECT_EQ(code("Night"), 4000);
    EXPECT_EQ(code("Power"), 20) << "not selected";
    EXPECT_EQ(code("Power2"), 1) << "after the highest code comes 1";
    EXPECT_EQ(home->UndoCount(), steps + 1);

    home->Undo();
    EXPECT_EQ(code("Day"), 10);
    EXPECT_EQ(code("Night"), 10);
    EXPECT_EQ(code("Power2"), 20);
    home->Redo();
    EXPECT_EQ(code("Power2"), 1);

    home->DeselectAll();
    EXPECT_EQ(FindReplace::RenumberSelected(*home, 5), 0);
    EXPECT_EQ(home->UndoCount(), steps + 1) << "nothing to number, no step";
}
