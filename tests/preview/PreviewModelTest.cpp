// The preview's behaviour model on the demo project and on small projects built here:
// touches by element, what the panel would send, the looks and the pages shown.

#include "controls/XButton.h"
#include "controls/XPageContainer.h"
#include "controls/XRectangle.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/XPage.h"
#include "preview/PreviewModel.h"
#include "preview/PreviewRenderer.h"
#include "preview/PreviewSnapshot.h"
#include "preview/PrototypeWriter.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const QString kDemo = QStringLiteral(MVL_SOURCE_DIR "/examples/Lobby/Lobby.mvl");

struct LoadedDemo {
    HeadlessMainDelegate delegate;
    ProjectData project;
    bool ok = false;
    LoadedDemo()
    {
        project.mainDelegate = &delegate;
        QString message;
        ok = project.LoadProjectFile(kDemo, message);
    }
};

// "Page/Element" of every button the model shows pressed.
std::set<std::string> PressedButtons(const PreviewModel& model, const PreviewSnapshot& snapshot)
{
    std::set<std::string> pressed;
    for (const XPage* page : snapshot.Project().pages)
        for (const XControl* c : page->controls)
            if (model.ShowsPressed(c))
                pressed.insert((page->name + u'/' + c->name).toStdString());
    return pressed;
}

bool TapByName(PreviewModel& model, const QString& name)
{
    QPoint centre;
    if (!model.FindOnScreen(name, centre))
        return false;
    model.Tap(centre);
    return true;
}

struct Sent {
    const char* page;
    const char* element;
    int sendCode;
    int level;
    int channel;
    const char* command;
    const char* jump;
    bool runtimeOnly;
};

struct DemoCase {
    const char* title;
    const char* startPage;
    std::vector<const char*> taps;
    const char* shownAfter;
    std::vector<const char*> pressedNow;   // among others
    std::vector<const char*> releasedNow;  // must not show pressed
    std::vector<Sent> log;
};

const DemoCase kDemoCases[] = {
    {"a scene selects itself and releases the lit one", "", {"SceneMeeting"}, "Lobby",
     {"Lobby/SceneMeeting"}, {"Lobby/SceneWelcome", "Lobby/ScenePresentation"},
     {{"Lobby", "SceneMeeting", 2, -1, 0, "", "", false}}},
    {"the command string is logged as stored", "", {"SceneOff"}, "Lobby", {"Lobby/SceneOff"}, {"Lobby/SceneMeeting"},
     {{"Lobby", "SceneOff", 4, -1, 0, "LIGHTS OFF;BLINDS DOWN;PROJECTOR OFF", "", false}}},
    {"the bulb jumps to the lighting page", "", {"GoLighting"}, "Lighting", {"Lobby/SceneWelcome"}, {"Lobby/GoLighting"},
     {{"Lobby", "GoLighting", 0, -1, 0, "", "Lighting", false}}},
    {"interlocks on the page jumped to", "", {"GoLighting", "LoungeDim", "FacadeOn"}, "Lighting",
     {"Lighting/LoungeDim", "Lighting/FacadeOn", "Lighting/ReceptionOn"}, {"Lighting/LoungeOn", "Lighting/FacadeOff"},
     {{"Lobby", "GoLighting", 0, -1, 0, "", "Lighting", false},
      {"Lighting", "LoungeDim", 15, -1, 0, "", "", false},
      {"Lighting", "FacadeOn", 20, -1, 0, "", "", false}}},
    {"a button in the page container's sub-page", "", {"Source2"}, "Lobby", {"Music/Source2"}, {"Music/Source1"},
     {{"Music", "Source2", 25, -1, 0, "", "", false}}},
    {"a plain switch in the sub-page springs back", "", {"Mute"}, "Lobby", {}, {"Music/Mute"},
     {{"Music", "Mute", 23, -1, 0, "", "", false}}},
    {"a vertical slider takes its level from the touch", "", {"GoVolume", "LobbyFader"}, "Volume", {}, {},
     {{"Lobby", "GoVolume", 0, -1, 0, "", "Volume", false}, {"Volume", "LobbyFader", 51, 16, 0, "", "", false}}},
    {"volume and Dante bars", "Volume", {"Master", "StageFeed"}, "Volume", {}, {},
     {{"Volume", "Master", 60, 50, 0, "", "", false}, {"Volume", "StageFeed", 0, 50, 7, "", "", false}}},
    {"home jumps back to the lobby", "", {"GoVolume", "GoLobby"}, "Lobby", {}, {},
     {{"Lobby", "GoVolume", 0, -1, 0, "", "Volume", false}, {"Volume", "GoLobby", 0, -1, 0, "", "Lobby", false}}},
    {"platform controls are the runtime's", "Platform", {"Dahua", "SaveMode"}, "Platform", {}, {"Platform/SaveMode"},
     {{"Platform", "Dahua", 0, -1, 0, "", "", true}, {"Platform", "SaveMode", 0, -1, 0, "", "", true}}},
    {"a display wall is the runtime's", "Video", {"Wall"}, "Video", {}, {},
     {{"Video", "Wall", 0, -1, 0, "", "", true}}},
    {"decoration lets touches through to nothing", "", {"Title", "Footer"}, "Lobby", {"Lobby/SceneWelcome"}, {}, {}},
};

} // namespace

TEST(PreviewModel, DemoTouches)
{
    LoadedDemo demo;
    ASSERT_TRUE(demo.ok);
    const quint64 changes = demo.project.ChangeCount();
    for (const DemoCase& c : kDemoCases) {
        SCOPED_TRACE(c.title);
        PreviewSnapshot snapshot(demo.project);
        PreviewModel model(snapshot);
        model.Reset(QString::fromUtf8(c.startPage));
        for (const char* tap : c.taps)
            ASSERT_TRUE(TapByName(model, QString::fromUtf8(tap))) << tap;
        ASSERT_TRUE(model.ShownPage());
        EXPECT_EQ(model.ShownPage()->name.toStdString(), c.shownAfter);
        const std::set<std::string> pressed = PressedButtons(model, snapshot);
        for (const char* p : c.pressedNow)
            EXPECT_TRUE(pressed.count(p)) << p << " should show pressed";
        for (const char* p : c.releasedNow)
            EXPECT_FALSE(pressed.count(p)) << p << " should not show pressed";
        ASSERT_EQ(model.Log().size(), static_cast<qsizetype>(c.log.size()));
        for (size_t i = 0; i < c.log.size(); ++i) {
            const PreviewLogEntry& e = model.Log()[static_cast<int>(i)];
            const Sent& s = c.log[i];
            EXPECT_EQ(e.page.toStdString(), s.page);
            EXPECT_EQ(e.element.toStdString(), s.element);
            EXPECT_EQ(e.sendCode, s.sendCode) << s.element;
            EXPECT_EQ(e.level, s.level) << s.element;
            EXPECT_EQ(e.channel, s.channel) << s.element;
            EXPECT_EQ(e.command.toStdString(), s.command);
            EXPECT_EQ(e.jump.toStdString(), s.jump);
            EXPECT_EQ(e.runtimeOnly, s.runtimeOnly);
        }
    }
    // The preview ran on copies: the project is as it was loaded.
    EXPECT_EQ(demo.project.ChangeCount(), changes);
    EXPECT_FALSE(demo.project.IsModified());
    XPage* lobby = demo.project.FindPage(QStringLiteral("Lobby"));
    ASSERT_TRUE(lobby);
    EXPECT_EQ(static_cast<XButton*>(lobby->FindControl(QStringLiteral("SceneWelcome")))->showPressed, 1);
    EXPECT_EQ(static_cast<XButton*>(lobby->FindControl(QStringLiteral("SceneMeeting")))->showPressed, 0);
    EXPECT_EQ(lobby->UndoCount(), 0);
}

// A held button shows pressed until the touch ends; a touch that ends outside does
// nothing; a drag moves a level; back returns along the jumps; reset starts again.
TEST(PreviewModel, HoldLeaveDragBackReset)
{
    LoadedDemo demo;
    ASSERT_TRUE(demo.ok);
    PreviewSnapshot snapshot(demo.project);
    PreviewModel model(snapshot);
    XPage* lobby = snapshot.FindPage(QStringLiteral("Lobby"));
    const XControl* meeting = lobby->FindControl(QStringLiteral("SceneMeeting"));
    QPoint centre;
    ASSERT_TRUE(model.FindOnScreen(QStringLiteral("SceneMeeting"), centre));
    EXPECT_FALSE(model.Press(centre).isEmpty());
    EXPECT_TRUE(model.ShowsPressed(meeting));
    EXPECT_FALSE(model.Release(QPoint(2, 2)).isEmpty());
    EXPECT_FALSE(model.ShowsPressed(meeting));
    EXPECT_TRUE(model.Log().isEmpty());

    ASSERT_TRUE(TapByName(model, QStringLiteral("GoVolume")));
    XPage* volume = snapshot.FindPage(QStringLiteral("Volume"));
    const XControl* fader = volume->FindControl(QStringLiteral("BarFader"));
    const IntRect b = fader->Bounds();
    model.Press(QPoint(b.left + 5, b.bottom - 1));
    EXPECT_EQ(model.Level(fader), 0);
    model.Drag(QPoint(b.left + 5, b.top));
    EXPECT_EQ(model.Level(fader), PreviewModel::LevelMaximum(fader));
    model.Release(QPoint(b.left + 5, b.top - 300)); // past the end: the top stays
    ASSERT_FALSE(model.Log().isEmpty());
    EXPECT_EQ(model.Log().last().level, 31);

    EXPECT_TRUE(model.Back());
    EXPECT_EQ(model.ShownPage(), lobby);
    EXPECT_FALSE(model.Back());
    model.Reset();
    EXPECT_TRUE(model.Log().isEmpty());
    EXPECT_EQ(model.Level(fader), 0);
}

namespace {

// A page with a container whose sub-page has tabs jumping to sibling sub-pages, and a
// sub-page whose own container shows the sub-page itself.
struct TabProject {
    HeadlessMainDelegate delegate;
    ProjectData project;
    XPage* page = nullptr;
    XPage* first = nullptr;
    XPage* second = nullptr;
    XPageContainer* box = nullptr;

    template <class T>
    T* Add(XPage* on, const QString& name, int x, int y, int w, int h)
    {
        auto* c = new T;
        on->AddControl(c);
        c->name = name;
        c->SetBounds({x, y, x + w, y + h});
        return c;
    }
    XButton* Button(XPage* on, const QString& name, int x, int y, XPage* jump, int code)
    {
        auto* b = Add<XButton>(on, name, x, y, 80, 40);
        b->SetJumpTarget(jump);
        b->sendCode = code;
        return b;
    }
    XPageContainer* Container(XPage* on, const QString& name, int x, int y, XPage* shows)
    {
        auto* c = Add<XPageContainer>(on, name, x, y, 300, 200);
        c->SetSubPage(shows);
        return c;
    }
    TabProject()
    {
        project.mainDelegate = &delegate;
        project.screen = {QStringLiteral("t"), 800, 600};
        page = project.NewPage(0, QStringLiteral("Main"));
        first = project.NewPage(1, QStringLiteral("First"));
        second = project.NewPage(1, QStringLiteral("Second"));
        for (XPage* sub : {first, second}) {
            sub->x2 = 300;
            sub->y2 = 200;
        }
        box = Container(page, QStringLiteral("Box"), 100, 100, first);
        // Kind and extra number are shown as stored: the runtime gives them their meaning.
        auto* toSecond = Button(first, QStringLiteral("ToSecond"), 10, 10, second, 1);
        toSecond->buttonKind = 2;
        toSecond->auxNumber = 5;
        Button(second, QStringLiteral("ToFirst"), 10, 10, first, 2);
        // Containers showing the sub-page they lie on: without a bound, drawing them
        // would take 40^8 sub-page drawings.
        for (int i = 0; i < 40; ++i)
            Container(second, QStringLiteral("Mirror%1").arg(i), 100, 60, second);
        Button(page, QStringLiteral("OpenSecond"), 500, 500, second, 3);
        auto* hidden = Container(page, QStringLiteral("Hidden"), 0, 0, second);
        hidden->visible = 0;
    }
};

} // namespace

TEST(PreviewModel, SubPageJumpsFillTheirContainer)
{
    TabProject tabs;
    PreviewSnapshot snapshot(tabs.project);
    PreviewModel model(snapshot);
    const XControl* box = snapshot.FindPage(QStringLiteral("Main"))->FindControl(QStringLiteral("Box"));
    struct Step {
        const char* tap;
        const char* boxShows; // then
    };
    const Step steps[] = {{"ToSecond", "Second"}, {"ToFirst", "First"}, {"OpenSecond", "Second"}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.tap);
        ASSERT_TRUE(TapByName(model, QString::fromUtf8(s.tap)));
        EXPECT_EQ(model.ShownPage()->name, QStringLiteral("Main"));
        ASSERT_TRUE(model.SubPageOf(box));
        EXPECT_EQ(model.SubPageOf(box)->name.toStdString(), s.boxShows);
    }
    ASSERT_EQ(model.Log().size(), 3);
    EXPECT_TRUE(model.Log()[0].detail.contains(QStringLiteral("5")));
    EXPECT_TRUE(model.Log()[1].detail.isEmpty());
    // The sub-page showing itself is drawn and touched to the nesting limit, no further.
    EXPECT_FALSE(PreviewRenderer::RenderShownPage(model).isNull());
    QPoint inMirror(100 + 100 + 50, 100 + 60 + 50);
    model.Tap(inMirror);
    EXPECT_EQ(model.ShownPage()->name, QStringLiteral("Main"));
}

// Touches redraw only the area they return, and that area holds every change: the page
// drawn in part after a touch matches the page drawn whole (within anti-aliasing noise).
TEST(PreviewRenderer, PartialRedrawMatchesWholePage)
{
    LoadedDemo demo;
    ASSERT_TRUE(demo.ok);
    PreviewSnapshot snapshot(demo.project);
    PreviewModel model(snapshot);
    QImage screen = PreviewRenderer::RenderShownPage(model);
    ASSERT_FALSE(screen.isNull());
    const QImage before = screen;
    for (const char* tap : {"SceneMeeting", "Source3", "Blinds"}) {
        SCOPED_TRACE(tap);
        QPoint centre;
        ASSERT_TRUE(model.FindOnScreen(QString::fromUtf8(tap), centre));
        const QRect area = model.Tap(centre);
        ASSERT_FALSE(area.isEmpty());
        {
            QPainter painter(&screen);
            painter.setClipRect(area);
            PreviewRenderer::DrawPage(painter, *model.ShownPage(), PreviewRenderer::LooksOf(model), area);
        }
        const QImage whole = PreviewRenderer::RenderShownPage(model);
        ASSERT_EQ(whole.size(), screen.size());
        int differing = 0;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x) {
                const QRgb a = whole.pixel(x, y);
                const QRgb b = screen.pixel(x, y);
                if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) > 24)
                    ++differing;
            }
        EXPECT_LT(differing, 40);
    }
    // And the scene's pressed look did change the picture there.
    QPoint centre;
    ASSERT_TRUE(model.FindOnScreen(QStringLiteral("SceneMeeting"), centre));
    EXPECT_NE(before.pixel(centre + QPoint(-100, -20)), screen.pixel(centre + QPoint(-100, -20)));
}

// A control stacked above a container stays above the sub-page the prototype lays into
// it: the part of it over the container is a picture placed after the container.
TEST(PrototypeWriter, ControlsAboveAContainerCoverItsSubPage)
{
    TabProject tabs;
    // A badge over Box's top-left corner, half inside it.
    auto* badge = tabs.Add<XRectangle>(tabs.page, QStringLiteral("Badge"), 80, 80, 40, 40);
    badge->fillColor = 0x0000FF;
    badge->hollow = 0;
    QTemporaryDir out;
    QString error;
    ASSERT_TRUE(PrototypeWriter(tabs.project).Write(out.path(), error)) << error.toStdString();
    QFile html(out.filePath(QStringLiteral("index.html")));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(html.readAll());
    const qsizetype box = text.indexOf(QStringLiteral("data-element=\"Box\""));
    const qsizetype over = text.indexOf(QStringLiteral("class=\"over\""), box);
    ASSERT_GE(box, 0);
    ASSERT_GT(over, box);
    EXPECT_LT(over, text.indexOf(QStringLiteral("data-element=\"Badge\""))) << "between the container and the badge";
    const qsizetype main = text.indexOf(QStringLiteral("data-page=\"Main\""));
    const QString mainPage = text.mid(main, text.indexOf(QStringLiteral("</section>"), main) - main);
    EXPECT_EQ(mainPage.count(QStringLiteral("class=\"over\"")), 1) << "only where something lies above a container";
    const QString src = text.mid(over).section(u'"', 5, 5);
    const QImage picture(out.filePath(src));
    ASSERT_EQ(picture.size(), QSize(300, 200)) << src.toStdString();
    EXPECT_GT(qAlpha(picture.pixel(10, 10)), 0) << "the badge's part inside the box";
    EXPECT_EQ(qAlpha(picture.pixel(150, 100)), 0) << "the rest lets the sub-page show";
}
