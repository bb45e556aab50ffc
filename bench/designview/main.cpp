// Full repaints of a design view showing a page with 1,000 mixed controls (font texts,
// rectangles, buttons with images, page containers showing a sub-page) at zoom 1 and 2.
// Prints milliseconds per repaint: the page drawn into the view's off-screen image, and
// the whole paint pass of the widget (drawing plus the copy to the window). Then one step
// of a snapping drag of a button with the grid shown: the pointer's move (the snap lines
// hit) and the paint pass that follows (dragged control, guides, grid).
//
//   bench_designview [repaints] [--png FILE] [--drag]
//       default 40 repaints per measurement (five times as many drag steps); --png saves
//       the page drawn at zoom 1; --drag measures the drag alone (for a profiler)

#include "base/AppPaths.h"
#include "base/Translation.h"
#include "controls/ApplicationFont.h"
#include "controls/ControlClasses.h"
#include "controls/XButton.h"
#include "controls/XFontText.h"
#include "controls/XPageContainer.h"
#include "controls/XRectangle.h"
#include "editor/DesignViewLogic.h"
#include "editor/LayoutSettings.h"
#include "editor/MarvolentaViewMainDelegate.h"
#include "editor/ViewZoom.h"
#include "editor/ui/CMarvolentaView.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLinearGradient>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The main frame as far as drawing and the view need it.
class BenchDelegate : public HeadlessMainDelegate, public MarvolentaViewMainDelegate {
public:
    int GetFrameExtraWidth() const override { return 0; }
    int GetFrameExtraHeight() const override { return 0; }
    IntRect PageRectToView(const IntRect& r) const override { return ViewZoom::PageToView(r, zoom); }
    QPoint ViewPointToPage(int x, int y) const override { return ViewZoom::ViewToPage(QPoint(x, y), zoom); }
    QPoint PagePointToView(int x, int y) const override { return ViewZoom::PageToView(QPoint(x, y), zoom); }
    int GetToolMode() const override { return 101; }
    void SetToolMode(int) override {}
    void SelectControl(XControl*) override {}
    void InsertTreeItem(ProjectData*, XControl*, const QString&, int, int) override {}
    void MoveTreeItemDown(XControl*) override {}
    void MoveTreeItemUp(XControl*) override {}
    void ClearCurrentControl() override {}
    void RefreshProperties() override {}
    XControl* CreateControl(int typeNumber) override { return ::CreateElement(typeNumber); }
    XControl* GetCurrentControl() const override { return nullptr; }
    int NextSendCode() override { return 1; }
    COLORREF GetBrushColour() const override { return 0; }
    void CopyToClipboard(XPage*) override {}
    int GetClipboardCount() const override { return 0; }
    void PasteFromClipboard(XPage*) override {}
    FontDesc GetBrushFont() const override { return {}; }
    QString GetBrushText() const override { return {}; }
    QString NextBrushAddress() override { return {}; }
    QString NextBrushStreamUrl() override { return {}; }
    XPage* GetInterlockPage() const override { return nullptr; }
    QString GetInterlockName() const override { return {}; }
    XControl* CloneControl(XControl* c, bool identity) override { return DuplicateElement(c, identity); }
    void ZoomStep(int) override {}
    XControl* GetFormatSource() const override { return nullptr; }
    const LayoutSettings* GetLayoutSettings(const XPage*) const override { return &layout; }

    LayoutSettings layout;
};

bool WriteButtonImage(const QString& path, int variant)
{
    QImage image(160, 90, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 90);
    g.setColorAt(0, QColor::fromHsv(variant * 70 % 360, 120, 250));
    g.setColorAt(1, QColor::fromHsv(variant * 70 % 360, 200, 140));
    p.setBrush(g);
    p.setPen(QPen(QColor(40, 40, 40), 3));
    p.drawRoundedRect(QRectF(2, 2, 156, 86), 14, 14);
    p.end();
    return image.save(path, "PNG");
}

void Place(XControl* c, int x, int y, int w, int h)
{
    c->x1 = x;
    c->y1 = y;
    c->x2 = x + w;
    c->y2 = y + h;
}

struct Scene {
    ProjectData project;
    XPage* page = nullptr;
    XPage* subPage = nullptr;
};

bool BuildScene(Scene& scene, BenchDelegate& delegate, const QString& folder, QStringList& images)
{
    ProjectData& project = scene.project;
    project.mainDelegate = &delegate;
    project.folder = folder;
    project.screen = {QStringLiteral("1920x1080"), 1920, 1080};
    if (!QDir().mkpath(project.GetImageFolder()))
        return false;
    for (int i = 0; i < 4; ++i) {
        const QString name = QStringLiteral("button%1.png").arg(i);
        if (!WriteButtonImage(project.ImagePath(name), i))
            return false;
        project.images << name;
        images << name;
    }

    // The sub-page the containers show: a background, a title, a frame and a button.
    scene.subPage = project.NewPage(1, QStringLiteral("SUBPAGE-0"));
    scene.subPage->x2 = 320;
    scene.subPage->y2 = 240;
    scene.subPage->backgroundColor = MakeRgb(30, 40, 60);
    auto* title = new XFontText;
    title->text = QStringLiteral("Zone");
    title->fontSize = 14;
    title->textColor = MakeRgb(255, 255, 255);
    Place(title, 4, 4, 60, 20);
    scene.subPage->AddControl(title);
    title->NormalizeBounds();
    auto* frame = new XRectangle;
    Place(frame, 2, 26, 300, 200);
    frame->color = MakeRgb(200, 200, 200);
    frame->lineWidth = 2;
    scene.subPage->AddControl(frame);
    auto* inner = new XButton;
    inner->imageFile = images[0];
    inner->text = QStringLiteral("On");
    Place(inner, 10, 30, 80, 40);
    scene.subPage->AddControl(inner);

    // The page: 40 × 25 cells of 48 × 43 pixels, one control each, the four kinds in turn.
    scene.page = project.NewPage(0, QStringLiteral("PAGE-0"));
    scene.page->backgroundColor = MakeRgb(235, 238, 242);
    int n = 0;
    for (int row = 0; row < 25; ++row) {
        for (int col = 0; col < 40; ++col, ++n) {
            const int x = col * 48;
            const int y = row * 43;
            XControl* c = nullptr;
            switch (n % 4) {
            case 0: {
                auto* text = new XFontText;
                text->text = QStringLiteral("Room %1").arg(n);
                text->fontSize = 10 + n % 5;
                text->textColor = MakeRgb(20, 20 + n % 100, 80);
                c = text;
                Place(c, x + 1, y + 1, 46, 20);
                break;
            }
            case 1: {
                auto* rect = new XRectangle;
                rect->hollow = n % 8 == 1 ? 1 : 0;
                rect->fillColor = MakeRgb(n % 255, 120, 200);
                rect->color = MakeRgb(40, 40, 40);
                rect->lineWidth = 1 + n % 3;
                c = rect;
                Place(c, x + 2, y + 2, 44, 38);
                break;
            }
            case 2: {
                auto* button = new XButton;
                button->imageFile = images[n % images.size()];
                button->text = QStringLiteral("B%1").arg(n);
                button->fontSize = 12;
                button->sendCode = n % 3 == 0 ? n : 0;
                c = button;
                Place(c, x + 2, y + 2, 44, 38);
                break;
            }
            default: {
                auto* container = new XPageContainer;
                container->SetSubPage(scene.subPage);
                c = container;
                Place(c, x + 1, y + 1, 46, 41);
                break;
            }
            }
            scene.page->AddControl(c);
            if (n % 4 == 0)
                c->NormalizeBounds(); // a font text takes the size of its text
        }
    }
    // A few selected controls, as while editing: frames and handles are drawn too.
    for (int i = 0; i < 20; ++i)
        scene.page->controls[i * 37]->selected = true;
    return scene.page->controls.size() == 1000;
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Mean(const std::vector<double>& v)
{
    double sum = 0;
    for (double t : v)
        sum += t;
    return v.empty() ? 0 : sum / v.size();
}

// The view shown at a zoom, its page window fitted and laid out.
void ShowAt(CMarvolentaView& view, BenchDelegate& delegate, double zoom)
{
    delegate.zoom = zoom;
    view.FitToPage(false);
    QApplication::processEvents();
}

struct Figures {
    double drawMean = 0;
    double drawMedian = 0;
    double paintMean = 0;
    double paintMedian = 0;
};

Figures Measure(CMarvolentaView& view, BenchDelegate& delegate, double zoom, int repaints)
{
    ShowAt(view, delegate, zoom);

    // The page drawn into the view's off-screen image (what each paint does first).
    QImage buffer;
    for (int i = 0; i < 3; ++i)
        buffer = view.RenderPage();
    Figures f;
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < repaints; ++i) {
        timer.start();
        const QImage image = view.RenderPage();
        times.push_back(timer.nsecsElapsed() / 1e6);
        if (image.isNull())
            std::fprintf(stderr, "nothing was drawn\n");
    }
    f.drawMean = Mean(times);
    f.drawMedian = Median(times);

    // The whole paint pass of the widget, synchronously.
    times.clear();
    for (int i = 0; i < 3; ++i)
        view.viewport()->repaint();
    for (int i = 0; i < repaints; ++i) {
        timer.start();
        view.viewport()->repaint();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    f.paintMean = Mean(times);
    f.paintMedian = Median(times);
    return f;
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Counts the paint passes of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Milliseconds of processor time this thread has used: on a machine shared with other
// work, what a step costs apart from the time it waits for a processor.
double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct DragFigures {
    double first = 0;
    double mean = 0;
    double median = 0;
    double cpuMedian = 0;
    int withGuides = 0;
    int steps = 0;
};

// Presses on a button in the middle of the page and drags it one page pixel at a time, each
// step a move event and the paint pass it causes, as the window system would deliver them.
DragFigures MeasureSnappingDrag(CMarvolentaView& view, BenchDelegate& delegate, double zoom, int steps)
{
    ShowAt(view, delegate, zoom);
    QWidget* surface = view.viewport();
    XPage* page = view.GetPage();
    XControl* button = page->controls[12 * 40 + 22]; // row 12, column 22: a button
    const IntRect b = button->Bounds();
    const QPoint start = delegate.PagePointToView(b.left + b.Width() / 2, b.top + b.Height() / 2);
    SendMouse(surface, QEvent::MouseButtonPress, start, Qt::LeftButton);
    // The press selected the button: that paint pass is not part of a step.
    surface->repaint();
    QApplication::processEvents();

    PaintCounter counter;
    surface->installEventFilter(&counter);
    DragFigures f;
    f.steps = steps;
    std::vector<double> times;
    std::vector<double> cpuTimes;
    QElapsedTimer timer;
    for (int i = 1; i <= steps; ++i) {
        // One page pixel further each step, so that every step moves the button.
        const QPoint at = start + delegate.PagePointToView(i, i / 3);
        timer.start();
        const double cpuStart = ThreadCpuMs();
        const int paintsBefore = counter.paints;
        SendMouse(surface, QEvent::MouseMove, at, Qt::LeftButton);
        // The paint pass the move asked for, of what it marked for painting.
        for (int spin = 0; counter.paints == paintsBefore && spin < 1000; ++spin)
            QApplication::processEvents();
        const double ms = timer.nsecsElapsed() / 1e6;
        if (i == 1) {
            f.first = ms;
        } else {
            times.push_back(ms);
            cpuTimes.push_back(ThreadCpuMs() - cpuStart);
        }
        if (!view.Logic().Guides().empty())
            ++f.withGuides;
    }
    surface->removeEventFilter(&counter);
    SendMouse(surface, QEvent::MouseButtonRelease, start + delegate.PagePointToView(steps, steps / 3), Qt::NoButton);
    page->Undo(); // the control goes back for the next measurement
    f.mean = Mean(times);
    f.median = Median(times);
    f.cpuMedian = Median(cpuTimes);
    return f;
}

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Paint passes asked for by update() follow at once instead of after a frame timer.
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    QApplication app(argc, argv);
    int repaints = 40;
    QString png;
    bool dragOnly = false;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--png") && i + 1 < args.size())
            png = args[++i];
        else if (args[i] == QLatin1String("--drag"))
            dragOnly = true;
        else
            repaints = std::max(1, args[i].toInt());
    }
    Translation::SetLanguage(0);
    RegisterControlClasses();
    RegisterApplicationFont();

    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    BenchDelegate delegate;
    Scene scene;
    QStringList images;
    if (!BuildScene(scene, delegate, folder.path() + QStringLiteral("/Bench"), images)) {
        std::fprintf(stderr, "the page could not be built\n");
        return 1;
    }

    QMdiArea area;
    area.resize(4000, 2300);
    area.show();
    auto* view = new CMarvolentaView(scene.page, &delegate);
    area.addSubWindow(view)->show();

    std::printf("design view, page 1920 x 1080 with %lld controls (250 font texts, 250 rectangles,\n"
                "250 buttons with images, 250 page containers showing a sub-page), %d repaints each\n",
                static_cast<long long>(scene.page->controls.size()), repaints);
    std::printf("%-6s %22s %22s\n", "zoom", "page draw ms (mean/med)", "view paint ms (mean/med)");
    if (!png.isEmpty()) {
        delegate.zoom = 1.0;
        view->FitToPage(false);
        if (!view->RenderPage().save(png))
            std::fprintf(stderr, "could not write %s\n", qPrintable(png));
    }
    for (double zoom : {1.0, 2.0}) {
        if (dragOnly)
            break;
        const Figures f = Measure(*view, delegate, zoom, repaints);
        std::printf("%-6.1f %12.2f / %-8.2f %12.2f / %-8.2f\n", zoom, f.drawMean, f.drawMedian, f.paintMean,
                    f.paintMedian);
    }

    delegate.layout.showGrid = true;
    delegate.layout.snapToGrid = false;
    delegate.layout.smartGuides = true;
    std::printf("\nsnapping drag of one button (smart guides, grid shown), one step = move event + paint\n");
    std::printf("%-6s %10s %26s %14s %18s\n", "zoom", "first ms", "later steps ms (mean/med)", "cpu ms (med)",
                "steps with guides");
    for (double zoom : {1.0, 2.0}) {
        const DragFigures f = MeasureSnappingDrag(*view, delegate, zoom, std::max(repaints * 5, 50));
        std::printf("%-6.1f %10.2f %14.2f / %-8.2f %14.2f %10d of %d\n", zoom, f.first, f.mean, f.median,
                    f.cpuMedian, f.withGuides, f.steps);
    }
    return 0;
}
