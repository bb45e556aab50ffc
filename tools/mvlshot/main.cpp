// Starts the editor on a project, opens one of its pages and saves a picture of the main
// window: the screenshot of the README. Usage:
//   mvlshot PROJECT.mvl OUT.png [PAGE-NAME] [WIDTHxHEIGHT]
#include "app/ApplicationLook.h"
#include "app/CMainFrame.h"
#include "app/CMarvolentaApp.h"
#include "model/ProjectData.h"
#include "model/XPage.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: mvlshot PROJECT.mvl OUT.png [PAGE-NAME] [WIDTHxHEIGHT]\n");
        return 2;
    }
    const QString project = args[1];
    const QString out = args[2];
    const QString pageName = args.size() > 3 ? args[3] : QString();
    QSize size(1400, 860);
    if (args.size() > 4) {
        const QStringList wh = args[4].split(u'x');
        if (wh.size() == 2)
            size = QSize(wh[0].toInt(), wh[1].toInt());
    }

    // The picture shows the editor as it first starts: no window layout of this user.
    QTemporaryDir settings;
    SetFrameworkSettingsPath(settings.filePath(QStringLiteral("framework.conf")));

    CMarvolentaApp app;
    if (!app.InitInstance({args[0], project}))
        return 1;
    CMainFrame* frame = app.MainFrame();
    frame->resize(size);
    ProjectData* data = frame->CurrentProject();
    if (!data || data->pages.isEmpty()) {
        std::fprintf(stderr, "mvlshot: %s has no page to show\n", qPrintable(project));
        return 1;
    }
    XPage* page = data->pages.front();
    for (XPage* p : data->pages)
        if (p->name == pageName)
            page = p;
    frame->ActivatePage(page, true);

    int status = 1;
    QTimer::singleShot(800, [&] {
        const QPixmap picture = frame->grab();
        status = picture.save(out, "PNG") ? 0 : 1;
        if (status != 0)
            std::fprintf(stderr, "mvlshot: cannot write %s\n", qPrintable(out));
        // Leave without the exit path: a picture must not change the settings.
        std::fflush(nullptr);
        std::_Exit(status);
    });
    return QApplication::exec();
}
