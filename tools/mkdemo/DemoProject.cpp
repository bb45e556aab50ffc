#include "DemoProject.h"

#include "DemoArt.h"
#include "controls/ApplicationFont.h"
#include "controls/XAccount.h"
#include "controls/XButton.h"
#include "controls/XDaHua.h"
#include "controls/XDanteVolumeBar.h"
#include "controls/XFavorites.h"
#include "controls/XFontButton.h"
#include "controls/XFontText.h"
#include "controls/XHyperlink.h"
#include "controls/XLine.h"
#include "controls/XLogin.h"
#include "controls/XPageContainer.h"
#include "controls/XPhoto.h"
#include "controls/XPicker.h"
#include "controls/XPlaceholder.h"
#include "controls/XRecording.h"
#include "controls/XRVS.h"
#include "controls/XRectangle.h"
#include "controls/XSensor.h"
#include "controls/XSlider.h"
#include "controls/XSliderPhoto.h"
#include "controls/XScrollPreviewFrame.h"
#include "controls/XText.h"
#include "controls/XVideoComboBox.h"
#include "controls/XVirtualDisplayWall.h"
#include "controls/XVolumeBar.h"
#include "controls/XWeather.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QDir>
#include <QImage>

namespace {

constexpr COLORREF kWhite = MakeRgb(255, 255, 255);
constexpr COLORREF kMist = MakeRgb(150, 180, 212);
constexpr COLORREF kInk = MakeRgb(22, 30, 44);
constexpr COLORREF kAmber = MakeRgb(246, 176, 72);

class DemoBuilder {
public:
    DemoBuilder(ProjectData& project) : project(project) {}

    bool Image(const QString& name, const QImage& image)
    {
        const QString path = project.GetImageFolder() + u'/' + name;
        return QDir().mkpath(project.GetImageFolder()) && image.save(path, "PNG")
            && project.AddImage(path, name);
    }

    template <class T>
    T* Add(XPage* page, const QString& name, int x, int y, int w, int h)
    {
        auto* control = new T;
        page->AddControl(control);
        control->name = name;
        control->x1 = x;
        control->y1 = y;
        control->x2 = x + w;
        control->y2 = y + h;
        return control;
    }

    XFontText* Text(XPage* page, const QString& name, int x, int y, const QString& text, int points,
                    COLORREF colour, int style = 0)
    {
        auto* t = Add<XFontText>(page, name, x, y, 0, 0);
        t->text = text;
        t->fontName = ApplicationFontName();
        t->fontSize = points;
        t->fontStyle = style;
        t->textColor = colour;
        t->NormalizeBounds();
        return t;
    }

    XPhoto* Photo(XPage* page, const QString& name, int x, int y, int w, int h, const QString& image, int mode)
    {
        auto* p = Add<XPhoto>(page, name, x, y, w, h);
        p->imageFile = image;
        p->imageMode = mode;
        p->NormalizeBounds();
        return p;
    }

    XRectangle* Panel(XPage* page, const QString& name, int x, int y, int w, int h, COLORREF fill,
                      COLORREF border, int width)
    {
        auto* r = Add<XRectangle>(page, name, x, y, w, h);
        r->hollow = 0;
        r->fillColor = fill;
        r->color = border;
        r->lineWidth = width;
        return r;
    }

    // A tile button in the application font whose pressed state is the amber tile.
    XFontButton* SceneButton(XPage* page, const QString& name, int x, int y, const QString& label,
                             int sendCode, const QString& group, bool lit)
    {
        auto* b = Add<XFontButton>(page, name, x, y, 232, 68);
        b->text = label;
        b->fontName = ApplicationFontName();
        b->fontSize = 17;
        b->textColor = kWhite;
        b->pressedTextColor = kInk;
        b->lineWidth = 0;
        b->imageFile = QStringLiteral("tile.png");
        b->pressedImageFile = QStringLiteral("tile_on.png");
        b->sendCode = sendCode;
        b->showPressed = lit ? 1 : 0;
        b->SetInterlockGroup(group);
        return b;
    }

    // A square icon button with its caption below it.
    XButton* IconButton(XPage* page, const QString& name, int x, int y, const QString& icon,
                        const QString& caption)
    {
        auto* b = Add<XButton>(page, name, x, y, 96, 96);
        b->text.clear();
        b->lineWidth = 0;
        b->imageFile = icon + QStringLiteral(".png");
        b->pressedImageFile = icon + QStringLiteral("_on.png");
        Text(page, name + QStringLiteral("Caption"), x, y + 104, caption, 12, kMist);
        auto* label = static_cast<XFontText*>(page->controls.last());
        const int width = label->x2 - label->x1;
        label->x1 = x + (96 - width) / 2;
        label->x2 = label->x1 + width;
        return b;
    }

    // A small switch in the application font, drawn as a filled rectangle.
    XButton* Switch(XPage* page, const QString& name, int x, int y, int w, const QString& label, int sendCode)
    {
        auto* b = Add<XButton>(page, name, x, y, w, 48);
        b->text = label;
        b->fontSize = 20;
        b->textColor = kWhite;
        b->pressedTextColor = kInk;
        b->hollow = 0;
        b->fillColor = MakeRgb(40, 60, 88);
        b->pressedFillColor = kAmber;
        b->color = MakeRgb(86, 120, 160);
        b->pressedLineColor = MakeRgb(255, 226, 160);
        b->lineWidth = 1;
        b->sendCode = sendCode;
        return b;
    }

    // A text in the application font, as the panel draws it.
    XText* PanelText(XPage* page, const QString& name, int x, int y, const QString& text, int height,
                     COLORREF colour, int kind = 0)
    {
        auto* t = Add<XText>(page, name, x, y, 0, 0);
        t->text = text;
        t->fontSize = height;
        t->textColor = colour;
        t->contentKind = kind;
        t->NormalizeBounds();
        return t;
    }

    XSlider* Fader(XPage* page, const QString& name, int x, int y, const QString& label, int sendCode)
    {
        auto* s = Add<XSlider>(page, name, x, y, 100, 250);
        s->sliderVertical = 1;
        s->sliderSteps = 32;
        s->sendCode = sendCode;
        s->sliderData = QStringLiteral("ZONE ") + label;
        return s;
    }

private:
    ProjectData& project;
};

// A page of faders and level bars, with the panel's status line along its foot. The
// editor labels faders, bars and pickers with their type key: the panel draws them.
void AddVolumePage(DemoBuilder& demo, XPage* volume, XPage* lobby)
{
    demo.Photo(volume, QStringLiteral("Backdrop"), 0, 0, 1024, 600, QStringLiteral("backdrop.png"), 1);
    auto* home = demo.IconButton(volume, QStringLiteral("GoLobby"), 40, 24, QStringLiteral("home"),
                                 QStringLiteral("Lobby"));
    home->SetJumpTarget(lobby);
    demo.Text(volume, QStringLiteral("Title"), 160, 48, QStringLiteral("音量  Volume"), 28, kWhite, 1);
    demo.Panel(volume, QStringLiteral("FaderPanel"), 160, 130, 344, 320, MakeRgb(18, 30, 48), MakeRgb(52, 78, 110), 1);
    demo.PanelText(volume, QStringLiteral("FaderHeading"), 184, 144, QStringLiteral("Zones"), 20, kAmber);
    XSlider* first = nullptr;
    const QStringList zones{QStringLiteral("Lobby"), QStringLiteral("Bar"), QStringLiteral("Patio")};
    for (int i = 0; i < zones.size(); ++i) {
        XSlider* fader = demo.Fader(volume, zones[i] + QStringLiteral("Fader"), 180 + i * 106, 180, zones[i], 51 + i);
        first = first ? first : fader;
    }

    demo.Panel(volume, QStringLiteral("MeterPanel"), 520, 130, 464, 320, MakeRgb(18, 30, 48), MakeRgb(52, 78, 110), 1);
    demo.PanelText(volume, QStringLiteral("MeterHeading"), 544, 144, QStringLiteral("Lobby level"), 20, kAmber);
    auto* meter = demo.Add<XSliderPhoto>(volume, QStringLiteral("LobbyMeter"), 544, 180, 240, 60);
    meter->imageFile = QStringLiteral("meter.png");
    meter->frameCount = 6;
    meter->currentFrame = 4;
    meter->SetLinkedSlider(first);
    auto* master = demo.Add<XVolumeBar>(volume, QStringLiteral("Master"), 544, 262, 416, 56);
    master->sendCode = 60;
    master->sliderData = QStringLiteral("MASTER");
    auto* dante = demo.Add<XDanteVolumeBar>(volume, QStringLiteral("StageFeed"), 544, 340, 416, 56);
    dante->danteChannel = 7;
    auto* rule = demo.Add<XLine>(volume, QStringLiteral("Rule"), 40, 486, 944, 0);
    rule->lineWidth = 2;
    rule->color = MakeRgb(52, 78, 110);
    auto* accent = demo.Add<XLine>(volume, QStringLiteral("Accent"), 40, 486, 120, 0);
    accent->lineWidth = 4;
    accent->lineStyle = 1;
    accent->color = kAmber;

    // The status line: the panel fills in the date, the time and the sensor's reading.
    // Their texts are fixed here so that the demo is the same whenever it is written.
    demo.PanelText(volume, QStringLiteral("Place"), 40, 508, QStringLiteral("Grand Lobby"), 24, kWhite);
    demo.PanelText(volume, QStringLiteral("Date"), 240, 512, QStringLiteral("2026-01-01"), 20, kMist, 1);
    demo.PanelText(volume, QStringLiteral("Clock"), 392, 508, QStringLiteral("09:41"), 24, kAmber, 2);
    demo.PanelText(volume, QStringLiteral("SensorLabel"), 500, 512, QStringLiteral("Room °C"), 20, kMist);
    auto* sensor = demo.Add<XSensor>(volume, QStringLiteral("RoomTemperature"), 600, 504, 56, 36);
    sensor->sensorNumber = 3;
    sensor->fontSize = 24;
    sensor->textColor = kWhite;
    demo.Add<XWeather>(volume, QStringLiteral("Outside"), 680, 498, 64, 48);
    auto* source = demo.Add<XPicker>(volume, QStringLiteral("Source"), 764, 500, 120, 44);
    source->pickerData = QStringLiteral("Jazz;Radio;Line in");
    source->sendCode = 70;
    auto* help = demo.Add<XHyperlink>(volume, QStringLiteral("Help"), 900, 500, 84, 44);
    help->text = QStringLiteral("Help");
    help->fontName = ApplicationFontName();
    help->fontSize = 14;
    help->textColor = kMist;
    help->linkData = QStringLiteral("http://127.0.0.1/help");
}

// The platform page: video platforms, recording, search and device information.
void AddPlatformPage(DemoBuilder& demo, ProjectData& project, XPage* lobby)
{
    XPage* platform = project.NewPage(TypeRegistry::kPage, QStringLiteral("Platform"));
    platform->backgroundColor = MakeRgb(14, 24, 40);
    demo.Text(platform, QStringLiteral("Title"), 40, 24, QStringLiteral("平台  Platform"), 28, kWhite, 1);
    auto* dahua = demo.Add<XDaHua>(platform, QStringLiteral("Dahua"), 40, 100, 300, 120);
    dahua->server1Enabled = 1;
    dahua->server1Address = QStringLiteral("192.168.1.20");
    dahua->server1Port = 37777;
    dahua->userName = QStringLiteral("admin");
    auto* ivms = demo.Add<XIVMS8200>(platform, QStringLiteral("Ivms"), 360, 100, 300, 120);
    ivms->server1Enabled = 1;
    ivms->server1Address = QStringLiteral("192.168.1.21");
    auto* rvs = demo.Add<XRVS>(platform, QStringLiteral("Rvs"), 680, 100, 300, 120);
    rvs->serverAddress = QStringLiteral("192.168.1.22");
    demo.Add<XMeiDian>(platform, QStringLiteral("E8"), 40, 240, 300, 120);
    auto* recording = demo.Add<XRecording>(platform, QStringLiteral("Recorder"), 360, 240, 300, 120);
    recording->recorderId = 3;
    recording->recorderName = QStringLiteral("Lobby NVR");
    recording->serverAddress = QStringLiteral("192.168.1.30");
    demo.Add<XHost>(platform, QStringLiteral("Host"), 680, 240, 300, 120);
    auto* search = demo.Add<XSearch>(platform, QStringLiteral("Search"), 40, 380, 460, 60);
    search->resultCount = 12;
    demo.Add<XDevices>(platform, QStringLiteral("Devices"), 520, 380, 460, 120);
    auto* login = demo.Add<XLogin>(platform, QStringLiteral("Login"), 40, 460, 300, 120);
    login->backColor = MakeRgb(232, 238, 246);
    auto* account = demo.Add<XAccount>(platform, QStringLiteral("Account"), 680, 24, 300, 56);
    account->accountTextSize = 16;
    account->SetTargetPage(lobby);
    const int kButtonTop = 600 - 20 - 56;
    XFavorites* buttons[] = {demo.Add<XFavorites>(platform, QStringLiteral("Favorites"), 360, 460, 140, 56),
                             demo.Add<XModeSave>(platform, QStringLiteral("SaveMode"), 360, kButtonTop, 140, 56),
                             demo.Add<XModeOpen>(platform, QStringLiteral("OpenMode"), 520, kButtonTop, 140, 56)};
    for (XFavorites* b : buttons) {
        b->fontName = ApplicationFontName();
        b->fontSize = 14;
        b->textColor = kWhite;
        b->pressedTextColor = kInk;
        b->hollow = 0;
        b->fillColor = MakeRgb(40, 70, 110);
        b->pressedFillColor = kAmber;
    }
    static_cast<XModeSave*>(buttons[1])->modeData = QStringLiteral("SCENE SAVE 1");
    static_cast<XModeOpen*>(buttons[2])->modeData = QStringLiteral("SCENE OPEN 1");
}

// The video page: cameras to pick from, a strip of recent previews and the display wall.
void AddVideoPage(DemoBuilder& demo, ProjectData& project, XPage* lobby)
{
    XPage* video = project.NewPage(TypeRegistry::kPage, QStringLiteral("Video"));
    video->backgroundColor = MakeRgb(14, 24, 40);
    auto* home = demo.IconButton(video, QStringLiteral("GoLobby"), 40, 24, QStringLiteral("home"),
                                 QStringLiteral("Lobby"));
    home->SetJumpTarget(lobby);
    demo.Text(video, QStringLiteral("Title"), 160, 48, QStringLiteral("视频  Video"), 28, kWhite, 1);

    demo.PanelText(video, QStringLiteral("WallHeading"), 40, 150, QStringLiteral("Display wall"), 20, kAmber);
    auto* wall = demo.Add<XVirtualDisplayWall>(video, QStringLiteral("Wall"), 40, 180, 944, 200);
    wall->rows = 2;
    wall->columns = 3;
    wall->BuildScreens();
    wall->NormalizeBounds();

    demo.PanelText(video, QStringLiteral("CamerasHeading"), 40, 396, QStringLiteral("Cameras"), 20, kAmber);
    auto* cameras = demo.Add<XVideoComboBox>(video, QStringLiteral("Cameras"), 40, 424, 400, 156);
    cameras->rows = 2;
    cameras->columns = 2;
    cameras->ResetChannels();
    const QStringList names{QStringLiteral("Entrance"), QStringLiteral("Lobby"), QStringLiteral("Bar"),
                            QStringLiteral("Patio")};
    for (int i = 0; i < cameras->channels.size() && i < names.size(); ++i)
        cameras->channels[i].name = names[i];
    cameras->NormalizeBounds();

    demo.PanelText(video, QStringLiteral("RecentHeading"), 480, 396, QStringLiteral("Door cameras"), 20, kAmber);
    auto* recent = demo.Add<XScrollPreviewFrame>(video, QStringLiteral("DoorCameras"), 480, 424, 504, 156);
    recent->rows = 1;
    recent->columns = 2;
    DeviceInfoItem front{QStringLiteral("rtsp://192.168.1.121:2554/352"),
                         QStringLiteral("rtsp://192.168.1.121:554/1080"), QString(), QStringLiteral("Front door"),
                         QStringLiteral("1")};
    DeviceInfoItem back{QStringLiteral("rtsp://192.168.1.122:2554/352"),
                        QStringLiteral("rtsp://192.168.1.122:554/1080"),
                        QStringLiteral("rtsp://192.168.1.122:551/2160"), QStringLiteral("Back door"),
                        QStringLiteral("2")};
    recent->SetDevices({&front, &back});
}

} // namespace

bool WriteDemoProject(const QString& folder, QString& error)
{
    QDir(folder).removeRecursively();
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    HeadlessMainDelegate delegate;
    ProjectData project;
    project.mainDelegate = &delegate;
    project.folder = QDir::cleanPath(folder);
    project.screen = {QStringLiteral("1024x600"), 1024, 600};
    DemoBuilder demo(project);

    bool art = demo.Image(QStringLiteral("backdrop.png"), DemoArt::Backdrop(1024, 600))
        && demo.Image(QStringLiteral("emblem.png"), DemoArt::Emblem(72))
        && demo.Image(QStringLiteral("tile.png"), DemoArt::Tile(232, 68, false))
        && demo.Image(QStringLiteral("tile_on.png"), DemoArt::Tile(232, 68, true))
        && demo.Image(QStringLiteral("meter.png"), DemoArt::LevelStrip(240, 60, 6));
    for (const char* icon : {"bulb", "speaker", "home", "blinds", "projector"}) {
        const QString name = QString::fromLatin1(icon);
        art = art && demo.Image(name + QStringLiteral(".png"), DemoArt::Icon(name, 96))
            && demo.Image(name + QStringLiteral("_on.png"), DemoArt::Icon(name, 96, true));
    }
    if (!art) {
        error = QStringLiteral("cannot write the demo pictures in %1").arg(project.GetImageFolder());
        return false;
    }

    XPage* lobby = project.NewPage(TypeRegistry::kPage, QStringLiteral("Lobby"));
    lobby->backgroundColor = MakeRgb(14, 24, 40);
    XPage* lights = project.NewPage(TypeRegistry::kPage, QStringLiteral("Lighting"));
    lights->backgroundColor = MakeRgb(14, 24, 40);
    XPage* volume = project.NewPage(TypeRegistry::kPage, QStringLiteral("Volume"));
    volume->backgroundColor = MakeRgb(14, 24, 40);
    XPage* music = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("Music"));
    music->x2 = 360;
    music->y2 = 300;
    music->backgroundColor = MakeRgb(24, 38, 58);

    // ---- Lobby: scenes, shortcuts and the music panel
    demo.Photo(lobby, QStringLiteral("Backdrop"), 0, 0, 1024, 600, QStringLiteral("backdrop.png"), 1);
    demo.Photo(lobby, QStringLiteral("Emblem"), 40, 30, 72, 72, QStringLiteral("emblem.png"), 2);
    demo.Text(lobby, QStringLiteral("Title"), 128, 32, QStringLiteral("大堂  Grand Lobby"), 28, kWhite, 1);
    demo.Text(lobby, QStringLiteral("Subtitle"), 130, 78, QStringLiteral("Touch a scene to set the mood"), 13, kMist);
    demo.Panel(lobby, QStringLiteral("ScenePanel"), 40, 130, 540, 250, MakeRgb(18, 30, 48), MakeRgb(52, 78, 110), 1);
    demo.Text(lobby, QStringLiteral("ScenesHeading"), 64, 146, QStringLiteral("场景  Scenes"), 14, kAmber, 1);
    lobby->AddGroup(QStringLiteral("Scenes"));
    demo.SceneButton(lobby, QStringLiteral("SceneWelcome"), 64, 190, QStringLiteral("Welcome"), 1,
                     QStringLiteral("Scenes"), true);
    demo.SceneButton(lobby, QStringLiteral("SceneMeeting"), 324, 190, QStringLiteral("Meeting"), 2,
                     QStringLiteral("Scenes"), false);
    demo.SceneButton(lobby, QStringLiteral("ScenePresentation"), 64, 280, QStringLiteral("Presentation"), 3,
                     QStringLiteral("Scenes"), false);
    auto* off = demo.SceneButton(lobby, QStringLiteral("SceneOff"), 324, 280, QStringLiteral("All off"), 4,
                                 QStringLiteral("Scenes"), false);
    off->commandString = QStringLiteral("LIGHTS OFF;BLINDS DOWN;PROJECTOR OFF");

    auto* toLights = demo.IconButton(lobby, QStringLiteral("GoLighting"), 64, 404, QStringLiteral("bulb"),
                                     QStringLiteral("Lighting"));
    toLights->SetJumpTarget(lights);
    auto* blinds = demo.IconButton(lobby, QStringLiteral("Blinds"), 200, 404, QStringLiteral("blinds"),
                                   QStringLiteral("Blinds"));
    blinds->sendCode = 31;
    blinds->commandString = QStringLiteral("BLINDS TOGGLE");
    auto* projector = demo.IconButton(lobby, QStringLiteral("Projector"), 336, 404, QStringLiteral("projector"),
                                      QStringLiteral("Projector"));
    projector->sendCode = 41;
    auto* toVolume = demo.IconButton(lobby, QStringLiteral("GoVolume"), 472, 404, QStringLiteral("speaker"),
                                     QStringLiteral("Volume"));
    toVolume->SetJumpTarget(volume);

    demo.Text(lobby, QStringLiteral("MusicHeading"), 624, 146, QStringLiteral("音乐  Music"), 14, kAmber, 1);
    auto* panel = demo.Add<XPageContainer>(lobby, QStringLiteral("MusicPanel"), 624, 186, 360, 300);
    panel->SetSubPage(music);
    demo.Text(lobby, QStringLiteral("Footer"), 40, 548,
              QStringLiteral("Marvolenta demo · scenes send codes 1–4 · the bulb opens the lighting page"), 11, kMist);

    // ---- Lighting: one row per zone, on and off interlocked
    demo.Photo(lights, QStringLiteral("Backdrop"), 0, 0, 1024, 600, QStringLiteral("backdrop.png"), 1);
    auto* home = demo.IconButton(lights, QStringLiteral("GoLobby"), 40, 24, QStringLiteral("home"),
                                 QStringLiteral("Lobby"));
    home->SetJumpTarget(lobby);
    demo.Text(lights, QStringLiteral("Title"), 160, 48, QStringLiteral("灯光  Lighting"), 28, kWhite, 1);
    demo.Panel(lights, QStringLiteral("ZonePanel"), 160, 150, 660, 380, MakeRgb(18, 30, 48), MakeRgb(52, 78, 110), 1);
    const QStringList zones{QStringLiteral("Reception"), QStringLiteral("Lounge"), QStringLiteral("Corridor"),
                            QStringLiteral("Facade")};
    for (int i = 0; i < zones.size(); ++i) {
        const QString& zone = zones[i];
        const int y = 176 + i * 88;
        lights->AddGroup(zone);
        demo.Text(lights, zone + QStringLiteral("Label"), 192, y + 10, zone, 16, kWhite);
        auto* on = demo.Switch(lights, zone + QStringLiteral("On"), 420, y, 110, QStringLiteral("On"), 11 + 3 * i);
        auto* dim = demo.Switch(lights, zone + QStringLiteral("Dim"), 544, y, 110, QStringLiteral("50%"), 12 + 3 * i);
        auto* offSwitch = demo.Switch(lights, zone + QStringLiteral("Off"), 668, y, 110, QStringLiteral("Off"),
                                      13 + 3 * i);
        for (XButton* b : {on, dim, offSwitch})
            b->SetInterlockGroup(zone);
        (i == 3 ? offSwitch : on)->showPressed = 1;
    }
    demo.Photo(lights, QStringLiteral("Bulb"), 856, 300, 128, 128, QStringLiteral("bulb_on.png"), 1);

    AddVolumePage(demo, volume, lobby);

    // ---- Music: a sub-page shown in the lobby's page container
    demo.Panel(music, QStringLiteral("Frame"), 0, 0, 360, 300, MakeRgb(24, 38, 58), MakeRgb(70, 104, 140), 2);
    demo.Photo(music, QStringLiteral("Speaker"), 20, 18, 56, 56, QStringLiteral("speaker.png"), 1);
    demo.Text(music, QStringLiteral("Now"), 90, 22, QStringLiteral("Background music"), 15, kWhite, 1);
    demo.Text(music, QStringLiteral("Track"), 90, 50, QStringLiteral("Lounge jazz · zone 1"), 11, kMist);
    music->AddGroup(QStringLiteral("Source"));
    for (int i = 0; i < 3; ++i) {
        static const char* const sources[] = {"Jazz", "Radio", "Line in"};
        auto* source = demo.Add<XFontButton>(music, QStringLiteral("Source%1").arg(i + 1), 20 + i * 110, 96, 100, 52);
        source->text = QString::fromUtf8(sources[i]);
        source->fontName = ApplicationFontName();
        source->fontSize = 13;
        source->textColor = kWhite;
        source->pressedTextColor = kInk;
        source->lineWidth = 0;
        source->imageFile = QStringLiteral("tile.png");
        source->pressedImageFile = QStringLiteral("tile_on.png");
        source->sendCode = 24 + i;
        source->showPressed = i == 0 ? 1 : 0;
        source->SetInterlockGroup(QStringLiteral("Source"));
    }
    demo.Switch(music, QStringLiteral("VolumeDown"), 20, 176, 100, QStringLiteral("−"), 21);
    demo.Switch(music, QStringLiteral("Mute"), 130, 176, 100, QStringLiteral("Mute"), 23);
    demo.Switch(music, QStringLiteral("VolumeUp"), 240, 176, 100, QStringLiteral("+"), 22);
    demo.Text(music, QStringLiteral("Hint"), 20, 248, QStringLiteral("Volume steps send codes 21 and 22"), 10, kMist);

    AddPlatformPage(demo, project, lobby);
    AddVideoPage(demo, project, lobby);

    if (!project.SaveProjectFile()) {
        error = QStringLiteral("cannot save the demo project in %1").arg(folder);
        return false;
    }
    return true;
}
