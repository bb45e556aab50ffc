#include "CheckExample.h"

#include "TestFolders.h"
#include "controls/XButton.h"
#include "controls/XFontText.h"
#include "controls/XPageContainer.h"
#include "controls/XRectangle.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QDir>

#include <algorithm>

namespace {

// A control holding a device's stream and network addresses, as the video controls do.
class AddressProbe : public XControl {
public:
    int GetType() const override { return ElementType::kVideoPreviewFrame; }
    void Draw(QPainter&) override {}
    void Refresh() override {}
    const FieldTable* Fields() const override
    {
        static const FieldTable table(0, 0, &IsA<AddressProbe>, {
            Field::Name(),
            Field::Bounds(),
            Field::String<&AddressProbe::streams>("streams", FieldFlag::StreamAddress),
            Field::String<&AddressProbe::host>("host", FieldFlag::Ipv4Address),
        });
        return &table;
    }
    QString streams = QStringLiteral("rtsp://192.168.1.20:554/1;rtsp://admin:x@192.168.1.20/2");
    QString host = QStringLiteral("192.168.1.20");
};

template <class T>
T* Place(XPage* page, const QString& name, int x, int y, int w, int h)
{
    auto* c = new T;
    page->AddControl(c);
    c->name = name;
    c->SetBounds({x, y, x + w, y + h});
    return c;
}

void SetText(XControl* c, const char* field, const QString& value)
{
    c->Fields()->Find(field)->setText(*c, value);
}

} // namespace

const char* CheckKindOf(CheckFault fault)
{
    switch (fault) {
    case CheckFault::MissingPage:
    case CheckFault::MissingSubPage:
    case CheckFault::MissingGroup: return "missing-reference";
    case CheckFault::MissingImage: return "missing-image";
    case CheckFault::UnusedImage: return "unused-image";
    case CheckFault::Outside: return "outside-page";
    case CheckFault::ZeroSize: return "zero-size";
    case CheckFault::LargerSubPage: return "subpage-larger";
    case CheckFault::ContainerLoop: return "container-loop";
    case CheckFault::TextImageClash: return "text-image-clash";
    case CheckFault::DuplicateSendCode: return "duplicate-send-code";
    case CheckFault::OutOfRange: return "out-of-range";
    case CheckFault::BadStreamAddress:
    case CheckFault::BadIpAddress: return "bad-address";
    }
    return "";
}

CheckExample::CheckExample(const QString& folder, const std::vector<CheckFault>& faults)
    : project(std::make_unique<ProjectData>())
{
    auto has = [&](CheckFault f) { return std::find(faults.begin(), faults.end(), f) != faults.end(); };
    ProjectData& p = *project;
    p.mainDelegate = &delegate;
    p.folder = QDir::cleanPath(folder);
    p.screen = {QStringLiteral("800x480"), 800, 480};
    QDir().mkpath(p.GetImageFolder());
    WriteTestPng(p.ImagePath(QStringLiteral("lamp.png")), 40, 40);
    p.images << QStringLiteral("lamp.png");
    if (has(CheckFault::UnusedImage)) {
        WriteTestPng(p.ImagePath(QStringLiteral("spare.png")), 8, 8);
        p.images << QStringLiteral("spare.png");
    }

    XPage* main = p.NewPage(TypeRegistry::kPage, QStringLiteral("Main"));
    XPage* second = p.NewPage(TypeRegistry::kPage, QStringLiteral("Second"));
    XPage* panel = p.NewPage(TypeRegistry::kSubPage, QStringLiteral("Panel"));
    panel->x2 = 200;
    panel->y2 = 100;

    Place<XFontText>(main, QStringLiteral("Title"), 10, 10, 200, 30)->text = QStringLiteral("Welcome");
    if (has(CheckFault::TextImageClash))
        Place<XFontText>(main, QStringLiteral("TITLE"), 10, 50, 200, 30)->text = QStringLiteral("Again");

    main->AddGroup(QStringLiteral("Scenes"));
    for (const char* name : {"SceneA", "SceneB"}) {
        auto* b = Place<XButton>(main, QString::fromLatin1(name), 10, 100, 120, 40);
        b->sendCode = 5;
        b->SetInterlockGroup(QStringLiteral("Scenes"));
    }
    if (has(CheckFault::DuplicateSendCode))
        Place<XButton>(main, QStringLiteral("Loose"), 150, 100, 120, 40)->sendCode = 5;

    auto* go = Place<XButton>(main, QStringLiteral("GoSecond"), 10, 160, 60, 60);
    go->imageFile = QStringLiteral("lamp.png");
    go->SetJumpTarget(second);
    if (has(CheckFault::MissingPage))
        SetText(go, "jumpTargetName", QStringLiteral("Nowhere"));
    if (has(CheckFault::MissingGroup))
        SetText(go, "interlockGroupName", QStringLiteral("Ghost"));
    if (has(CheckFault::MissingImage))
        go->pressedImageFile = QStringLiteral("gone.png");
    if (has(CheckFault::OutOfRange))
        go->auxNumber = 99;

    const bool small = has(CheckFault::LargerSubPage);
    auto* container = Place<XPageContainer>(main, QStringLiteral("Frame"), 300, 100, small ? 100 : 300,
                                            small ? 50 : 200);
    container->SetSubPage(panel);
    if (has(CheckFault::MissingSubPage)) {
        auto* lost = Place<XPageContainer>(main, QStringLiteral("Frame2"), 300, 320, 300, 150);
        SetText(lost, "subPageName", QStringLiteral("NoSuchPanel"));
    }

    Place<XRectangle>(panel, QStringLiteral("Box"), 10, 10, 50, 50);
    if (has(CheckFault::ContainerLoop))
        Place<XPageContainer>(panel, QStringLiteral("Again"), 0, 0, 200, 100)->SetSubPage(panel);

    Place<XRectangle>(second, QStringLiteral("Band"), 0, 0, 800, 40);
    if (has(CheckFault::Outside))
        Place<XRectangle>(second, QStringLiteral("Far"), 900, 500, 40, 40);
    if (has(CheckFault::ZeroSize))
        Place<XRectangle>(second, QStringLiteral("Flat"), 10, 100, 0, 40);

    // The device is a stand-in no file can hold, so it is there only for address faults.
    if (has(CheckFault::BadStreamAddress) || has(CheckFault::BadIpAddress)) {
        auto* device = Place<AddressProbe>(second, QStringLiteral("Camera"), 100, 100, 320, 240);
        if (has(CheckFault::BadStreamAddress))
            device->streams += QStringLiteral(";http://192.168.1.20/3");
        if (has(CheckFault::BadIpAddress))
            device->host = QStringLiteral("192.168.1.256");
    }
}

bool CheckExample::Save()
{
    return project->SaveProjectFile();
}
