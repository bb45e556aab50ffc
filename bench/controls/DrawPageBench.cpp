// Draws a page of 1,000 controls (buttons with images and labels, font buttons, font
// texts, rectangles, pictures, a page container) the way the design view repaints it,
// and prints the time per frame. Usage: bench_controls [frames] [zoom] [kinds]
// kinds picks the mix by digit: 0 button, 1 font button, 2 font text, 3 rectangle,
// 4 picture, 5 page container (default all six).

#include "controls/ApplicationFont.h"
#include "controls/ControlClasses.h"
#include "controls/XButton.h"
#include "controls/XFontButton.h"
#include "controls/XFontText.h"
#include "controls/XPageContainer.h"
#include "controls/XPhoto.h"
#include "controls/XRectangle.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    RegisterControlClasses();
    RegisterApplicationFont();
    const int frames = argc > 1 ? std::max(1, atoi(argv[1])) : 60;
    const double zoom = argc > 2 ? atof(argv[2]) : 1.0;
    const QString kinds = argc > 3 ? QString::fromLatin1(argv[3]) : QStringLiteral("012345");

    QTemporaryDir dir;
    HeadlessMainDelegate delegate;
    delegate.zoom = zoom;
    ProjectData project;
    project.mainDelegate = &delegate;
    project.folder = dir.path();
    project.screen = {QString(), 1920, 1080};
    QDir().mkpath(project.GetImageFolder());
    QImage art(400, 300, QImage::Format_RGB32);
    art.fill(QColor(40, 90, 160));
    art.save(project.GetImageFolder() + QStringLiteral("/art.png"));
    project.AddImage(project.GetImageFolder() + QStringLiteral("/art.png"), QStringLiteral("art.png"));

    XPage* page = project.NewPage(TypeRegistry::kPage, QStringLiteral("Bench"));
    XPage* sub = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("Sub"));
    sub->x2 = 300;
    sub->y2 = 200;
    for (int i = 0; i < 20; ++i) {
        auto* r = new XRectangle;
        sub->AddControl(r);
        r->SetBounds({i * 12, i * 8, i * 12 + 60, i * 8 + 30});
    }

    for (int i = 0; i < 1000; ++i) {
        const int x = (i % 40) * 47;
        const int y = (i / 40) * 42;
        XControl* c = nullptr;
        switch (kinds.at(i % kinds.size()).digitValue()) {
        case 0: {
            auto* b = new XButton;
            b->imageFile = QStringLiteral("art.png");
            b->sendCode = i;
            b->text = QStringLiteral("B%1").arg(i);
            c = b;
            break;
        }
        case 1: {
            auto* b = new XFontButton;
            b->text = QStringLiteral("按钮 %1").arg(i);
            b->hollow = 0;
            c = b;
            break;
        }
        case 2: {
            auto* t = new XFontText;
            t->text = QStringLiteral("Text %1").arg(i);
            t->fontSize = 12;
            c = t;
            break;
        }
        case 3: c = new XRectangle; break;
        case 4: {
            auto* p = new XPhoto;
            p->imageFile = (i % 12 == 4) ? QStringLiteral("NONE") : QStringLiteral("art.png");
            c = p;
            break;
        }
        default: {
            auto* pc = new XPageContainer;
            if (i % 60 == 5)
                pc->SetSubPage(sub);
            c = pc;
            break;
        }
        }
        page->AddControl(c);
        c->SetBounds({x, y, x + 44, y + 38});
        if (auto* t = dynamic_cast<XFontText*>(c); t && t->GetType() == 14)
            t->NormalizeBounds();
    }

    QImage target(delegate.ScaleLength(1920), delegate.ScaleLength(1080), QImage::Format_ARGB32_Premultiplied);
    auto frame = [&] {
        QPainter p(&target);
        page->Draw(p);
    };
    frame(); // warm the caches as the first paint of a view does
    std::vector<double> times;
    for (int i = 0; i < frames; ++i) {
        QElapsedTimer t;
        t.start();
        frame();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double v : times)
        sum += v;
    std::printf("1000 controls (kinds %s), zoom %.2f, %d frames: mean %.2f ms, median %.2f ms, worst %.2f ms\n", qPrintable(kinds), zoom, frames,
                sum / frames, times[times.size() / 2], times.back());
    return 0;
}
