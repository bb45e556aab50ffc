// Start-up time of the editor: from the start of the process to the main window shown
// with the first page of a project drawn. Runs the editor's own start-up in child
// processes (so every run pays for loading the program and its libraries) and prints
// each run and the median. Needs a display: xvfb-run -a build/bin/bench_startup
//   bench_startup [PROJECT.mvl] [RUNS]
#include "app/ApplicationLook.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CMarvolentaApp.h"
#include "editor/ui/CMarvolentaView.h"
#include "model/ProjectData.h"
#include "model/XPage.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Reports once the watched widget has painted.
class PaintWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !done) {
            done = true;
            // After this paint has reached the window.
            QTimer::singleShot(0, [] {
                std::printf("drawn\n");
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }
    bool done = false;
};

int RunChild(int argc, char** argv, const QString& project)
{
    QApplication application(argc, argv);
    QTemporaryDir settings;
    SetFrameworkSettingsPath(settings.filePath(QStringLiteral("framework.conf")));
    CMarvolentaApp app;
    if (!app.InitInstance({QApplication::applicationFilePath(), project}))
        return 1;
    CMainFrame* frame = app.MainFrame();
    ProjectData* data = frame->CurrentProject();
    if (!data || data->pages.isEmpty()) {
        std::fprintf(stderr, "no page in %s\n", qPrintable(project));
        return 1;
    }
    frame->ActivatePage(data->pages.front(), true);
    CChildFrame* child = frame->ChildFrameFor(data->pages.front());
    PaintWatch watch;
    child->View()->viewport()->installEventFilter(&watch);
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && QByteArray(argv[1]) == "--child")
        return RunChild(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication core(argc, argv);
    const QStringList args = core.arguments();
    const QString project = args.size() > 1 ? args[1]
                                            : QDir(QCoreApplication::applicationDirPath())
                                                  .absoluteFilePath(QStringLiteral("../../examples/Lobby/Lobby.mvl"));
    const int runs = args.size() > 2 ? std::max(1, args[2].toInt()) : 5;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), project});
        bool drawn = false;
        while (child.waitForReadyRead(20000)) {
            if (child.readAll().contains("drawn")) {
                drawn = true;
                break;
            }
        }
        const double ms = clock.nsecsElapsed() / 1e6;
        child.waitForFinished(5000);
        if (!drawn) {
            std::fprintf(stderr, "run %d: the page was not drawn\n", i + 1);
            return 1;
        }
        times.push_back(ms);
        std::printf("run %d: %.1f ms\n", i + 1, ms);
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("start-up to first page drawn, median of %d: %.1f ms\n", runs, sorted[sorted.size() / 2]);
    return 0;
}
