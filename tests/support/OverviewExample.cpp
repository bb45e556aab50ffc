#include "OverviewExample.h"

#include "TestFolders.h"
#include "controls/XButton.h"
#include "controls/XFontText.h"
#include "controls/XPageContainer.h"
#include "controls/XPhoto.h"
#include "controls/XSlider.h"
#include "controls/XVideoPreviewFrame.h"
#include "model/FieldTable.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QDir>

namespace {

template <class T>
T* Place(XPage* page, const QString& name, int x, int y)
{
    auto* c = new T;
    page->AddControl(c);
    c->name = name;
    c->SetBounds({x, y, x + 100, y + 40});
    return c;
}

XButton* Button(XPage* page, const QString& name, int x, int y, int code, const QString& label)
{
    auto* b = Place<XButton>(page, name, x, y);
    b->sendCode = code;
    b->text = label;
    return b;
}

} // namespace

OverviewExample::OverviewExample(const QString& folder) : project(std::make_unique<ProjectData>())
{
    ProjectData& p = *project;
    p.mainDelegate = &delegate;
    p.folder = QDir::cleanPath(folder);
    p.screen = {QStringLiteral("800x480"), 800, 480};
    WriteTestPng(p.ImagePath(QStringLiteral("lamp.png")), 40, 30);
    WriteTestPng(p.ImagePath(QStringLiteral("spare.png")), 8, 8);
    WriteTestPng(p.ImagePath(QStringLiteral("stray.png")), 16, 16);
    p.images << QStringLiteral("lamp.png") << QStringLiteral("spare.png");

    XPage* home = p.NewPage(TypeRegistry::kPage, QStringLiteral("Home"));
    XPage* lights = p.NewPage(TypeRegistry::kPage, QStringLiteral("Lights"));
    XPage* orphan = p.NewPage(TypeRegistry::kPage, QStringLiteral("Orphan"));
    XPage* panel = p.NewPage(TypeRegistry::kSubPage, QStringLiteral("Panel"));
    p.NewPage(TypeRegistry::kSubPage, QStringLiteral("Spare"));

    home->AddGroup(QStringLiteral("Scenes"));
    XButton* day = Button(home, QStringLiteral("Day"), 10, 10, 10, QStringLiteral("Day scene"));
    day->SetInterlockGroup(QStringLiteral("Scenes"));
    day->SetJumpTarget(lights);
    day->imageFile = QStringLiteral("lamp.png");
    Button(home, QStringLiteral("Night"), 10, 60, 10, QStringLiteral("Night scene"))
        ->SetInterlockGroup(QStringLiteral("Scenes"));
    XButton* power = Button(home, QStringLiteral("Power"), 10, 110, 20, QStringLiteral("Power, on/off"));
    power->commandString = QStringLiteral("PWR \"ON\";PWR \"OFF\"");
    Button(home, QStringLiteral("Power2"), 10, 160, 20, QStringLiteral("Power"));
    Place<XPageContainer>(home, QStringLiteral("Box"), 300, 10)->SetSubPage(panel);
    Place<XFontText>(home, QStringLiteral("Title"), 300, 300)->text = QStringLiteral("Welcome");

    Place<XSlider>(lights, QStringLiteral("Dimmer"), 10, 10)->sendCode = 30;
    Button(lights, QStringLiteral("Back"), 10, 60, 10, QStringLiteral("Back"))->SetJumpTarget(home);
    XButton* broken = Button(lights, QStringLiteral("Broken"), 10, 110, 0, QStringLiteral("Lost"));
    broken->Fields()->Find("jumpTargetName")->setText(*broken, QStringLiteral("Nowhere"));
    Place<XVideoPreviewFrame>(lights, QStringLiteral("Cam"), 200, 10)->streamAddresses =
        QStringLiteral("rtsp://10.0.0.5:554/1;rtsp://10.0.0.5:2554/352");
    Place<XPhoto>(lights, QStringLiteral("Lamp"), 200, 200)->imageFile = QStringLiteral("lamp.png");

    Place<XFontText>(orphan, QStringLiteral("Note"), 10, 10)->text = QStringLiteral("Welcome back");
}

XPage* OverviewExample::Page(const QString& name) const
{
    return project->FindPage(name);
}
