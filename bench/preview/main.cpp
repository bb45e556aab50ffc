// Press-to-redraw in the preview on a page of 1,000 controls (a full-page backdrop, font
// texts, rectangles, buttons with images in interlock groups, sliders and page
// containers showing a sub-page), and the prototype export of the demo project.
// Prints milliseconds: the model's touch plus the drawing of the area it returns, the
// same through the preview widget (mouse event to finished paint), the whole page for
// comparison, and the demo's prototype written to a temporary folder.
//
//   bench_preview [touches]   (default 200 touches per measurement)

#include "base/Translation.h"
#include "controls/ApplicationFont.h"
#include "controls/ControlClasses.h"
#include "controls/XButton.h"
#include "controls/XFontText.h"
#include "controls/XPageContainer.h"
#include "controls/XPhoto.h"
#include "controls/XRectangle.h"
#include "controls/XSlider.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/XPage.h"
#include "preview/PreviewModel.h"
#include "preview/PreviewRenderer.h"
#include "preview/PreviewSnapshot.h"
#include "preview/PrototypeWriter.h"
#include "preview/ui/CPreviewView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

void Place(XControl* c, int x, int y, int w, int h)
{
    c->x1 = x;
    c->y1 = y;
    c->x2 = x + w;
    c->y2 = y + h;
}

bool WritePicture(const QString& path, QColor colour, int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, colour.lighter(140));
    g.setColorAt(1, colour.darker(140));
    p.setBrush(g);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 8, 8);
    p.end();
    return image.save(path, "PNG");
}

// 1,000 controls on a 1920 × 1080 page: the backdrop, then 40 × 25 cells less one.
bool BuildPage(ProjectData& project, const QString& folder, QList<QPoint>& buttons)
{
    project.folder = folder;
    project.screen = {QStringLiteral("1920x1080"), 1920, 1080};
    if (!QDir().mkpath(project.GetImageFolder()))
        return false;
    const struct {
        const char* name;
        QColor colour;
        int w, h;
    } pictures[] = {{"backdrop.png", QColor(30, 50, 80), 1920, 1080},
                    {"up.png", QColor(60, 90, 140), 160, 90},
                    {"down.png", QColor(240, 170, 60), 160, 90}};
    for (const auto& p : pictures) {
        const QString name = QString::fromLatin1(p.name);
        if (!WritePicture(project.ImagePath(name), p.colour, p.w, p.h))
            return false;
        project.images << name;
    }
    XPage* sub = project.NewPage(1, QStringLiteral("Zone"));
    sub->x2 = 200;
    sub->y2 = 150;
    sub->backgroundColor = MakeRgb(30, 40, 60);
    auto* inner = new XButton;
    sub->AddControl(inner);
    inner->imageFile = QStringLiteral("up.png");
    inner->pressedImageFile = QStringLiteral("down.png");
    Place(inner, 4, 4, 60, 30);

    XPage* page = project.NewPage(0, QStringLiteral("Main"));
    auto* backdrop = new XPhoto;
    page->AddControl(backdrop);
    backdrop->imageFile = QStringLiteral("backdrop.png");
    Place(backdrop, 0, 0, 1920, 1080);
    for (int n = 1; n < 1000; ++n) {
        const int x = (n % 40) * 48;
        const int y = (n / 40) * 43;
        XControl* c = nullptr;
        switch (n % 5) {
        case 0: {
            auto* text = new XFontText;
            text->text = QStringLiteral("Room %1").arg(n);
            text->fontSize = 10 + n % 5;
            c = text;
            break;
        }
        case 1: {
            auto* rect = new XRectangle;
            rect->hollow = 0;
            rect->fillColor = MakeRgb(n % 255, 120, 200);
            rect->lineWidth = 1 + n % 3;
            c = rect;
            break;
        }
        case 2:
        case 3: {
            auto* b = new XButton;
            b->imageFile = QStringLiteral("up.png");
            b->pressedImageFile = QStringLiteral("down.png");
            b->text = QStringLiteral("B%1").arg(n);
            b->fontSize = 12;
            b->sendCode = n % 4000;
            c = b;
            break;
        }
        default: {
            if (n % 10 == 4) {
                auto* container = new XPageContainer;
                container->SetSubPage(sub);
                c = container;
            } else {
                auto* slider = new XSlider;
                slider->sendCode = n;
                c = slider;
            }
            break;
        }
        }
        page->AddControl(c);
        Place(c, x + 2, y + 2, 44, 38);
        if (n % 5 == 0)
            c->NormalizeBounds();
        if (auto* b = dynamic_cast<XButton*>(c)) {
            // Buttons of a row of cells form an interlock group.
            const QString group = QStringLiteral("Row%1").arg(n / 40);
            if (!page->FindGroup(group))
                page->AddGroup(group);
            b->SetInterlockGroup(group);
            buttons << QPoint(x + 24, y + 21);
        }
    }
    return page->controls.size() == 1000;
}

struct Figure {
    double mean = 0;
    double median = 0;
    double worst = 0;
};

Figure Summarise(std::vector<double> v)
{
    Figure f;
    if (v.empty())
        return f;
    double sum = 0;
    for (double t : v)
        sum += t;
    std::sort(v.begin(), v.end());
    f.mean = sum / v.size();
    f.median = v[v.size() / 2];
    f.worst = v.back();
    return f;
}

void Print(const char* what, const Figure& f)
{
    std::printf("%-48s mean %7.3f ms  median %7.3f ms  worst %7.3f ms\n", what, f.mean, f.median, f.worst);
}

void SendMouse(QWidget& w, QEvent::Type type, QPoint p)
{
    QMouseEvent e(type, QPointF(p), w.mapToGlobal(QPointF(p)), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Translation::SetLanguage(0);
    RegisterControlClasses();
    RegisterApplicationFont();
    const int touches = argc > 1 ? std::max(10, atoi(argv[1])) : 200;

    QTemporaryDir dir;
    HeadlessMainDelegate delegate;
    ProjectData project;
    project.mainDelegate = &delegate;
    QList<QPoint> buttons;
    if (!dir.isValid() || !BuildPage(project, dir.filePath(QStringLiteral("Bench")), buttons)) {
        std::fprintf(stderr, "cannot build the page\n");
        return 1;
    }
    PreviewSnapshot snapshot(project);
    PreviewModel model(snapshot);
    model.Reset(QStringLiteral("Main"));
    QImage screen = PreviewRenderer::RenderShownPage(model); // also warms the image cache
    std::printf("page of %d controls, %lld buttons, 1920 x 1080 at zoom 1\n",
                static_cast<int>(model.ShownPage()->controls.size()), static_cast<long long>(buttons.size()));

    QElapsedTimer timer;
    std::vector<double> whole;
    for (int i = 0; i < 10; ++i) {
        timer.start();
        screen = PreviewRenderer::RenderShownPage(model);
        whole.push_back(timer.nsecsElapsed() / 1e6);
    }

    // The model's touch and the drawing of the area it returns, into the screen picture.
    std::vector<double> press, release;
    auto redraw = [&](const QRect& area) {
        QPainter painter(&screen);
        painter.setClipRect(area);
        PreviewRenderer::DrawPage(painter, *model.ShownPage(), PreviewRenderer::LooksOf(model), area);
    };
    for (int i = 0; i < touches; ++i) {
        const QPoint p = buttons[(i * 37) % buttons.size()];
        timer.start();
        redraw(model.Press(p));
        press.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        redraw(model.Release(p));
        release.push_back(timer.nsecsElapsed() / 1e6);
    }
    Print("press to redraw (model + area drawn)", Summarise(press));
    Print("release to redraw (interlock, log)", Summarise(release));

    // The same through the preview widget: mouse event to finished paint.
    CPreviewView view;
    view.SetModel(&model);
    view.show();
    QApplication::processEvents();
    std::vector<double> widgetPress, widgetRelease;
    for (int i = 0; i < touches; ++i) {
        const QPoint p = buttons[(i * 53) % buttons.size()];
        timer.start();
        SendMouse(view, QEvent::MouseButtonPress, p);
        QApplication::processEvents();
        widgetPress.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        SendMouse(view, QEvent::MouseButtonRelease, p);
        QApplication::processEvents();
        widgetRelease.push_back(timer.nsecsElapsed() / 1e6);
    }
    Print("widget: press to painted", Summarise(widgetPress));
    Print("widget: release to painted", Summarise(widgetRelease));
    Print("whole page drawn (for comparison)", Summarise(whole));
    std::printf("log entries: %d\n", static_cast<int>(model.Log().size()));

    // The demo's prototype.
    HeadlessMainDelegate demoDelegate;
    ProjectData demo;
    demo.mainDelegate = &demoDelegate;
    QString message;
    const QString demoFile = QCoreApplication::applicationDirPath() + QStringLiteral("/../../examples/Lobby/Lobby.mvl");
    if (demo.LoadProjectFile(QDir::cleanPath(demoFile), message)) {
        std::vector<double> writes, processor;
        for (int i = 0; i < 5; ++i) {
            QTemporaryDir out;
            PrototypeWriter writer(demo);
            QString error;
            timer.start();
            const std::clock_t started = std::clock();
            if (!writer.Write(out.path(), error)) {
                std::fprintf(stderr, "prototype: %s\n", qPrintable(error));
                break;
            }
            writes.push_back(timer.nsecsElapsed() / 1e6);
            processor.push_back((std::clock() - started) * 1000.0 / CLOCKS_PER_SEC);
        }
        Print("prototype of the demo written", Summarise(writes));
        // Processor time: what the figure is on a machine doing nothing else.
        Print("prototype of the demo, processor time", Summarise(processor));
    } else {
        std::printf("demo project not found beside the build (%s)\n", qPrintable(demoFile));
    }
    return 0;
}
