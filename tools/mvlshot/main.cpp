// Starts the editor on a project, opens one of its pages and saves a picture of the main
// window: the screenshot of the README. Usage:
//   mvlshot PROJECT.mvl OUT.png [PAGE-NAME] [WIDTHxHEIGHT] [--select CONTROL] [--lang zh_cn|zh_tw|en]
// --select shows a control of the page in the property pane (without it the pane is as
// the editor leaves it after opening the page); --lang switches the language first.
#include "app/ApplicationLook.h"
#include "app/CMainFrame.h"
#include "app/CMarvolentaApp.h"
#include "app/Commands.h"
#include "model/ProjectData.h"
#include "model/XPage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QStringList args;
    QString selectName;
    QString language;
    const QStringList all = QApplication::arguments();
    for (int i = 0; i < all.size(); ++i) {
        if (all[i] == QStringLiteral("--select") && i + 1 < all.size())
            selectName = all[++i];
        else if (all[i] == QStringLiteral("--lang") && i + 1 < all.size())
            language = all[++i].toLower();
        else
            args << all[i];
    }
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: mvlshot PROJECT.mvl OUT.png [PAGE-NAME] [WIDTHxHEIGHT] [--select CONTROL]"
                             " [--lang zh_cn|zh_tw|en]\n");
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
    // Nor recovery copies this user's editor left behind.
    qputenv("XDG_CACHE_HOME", QFile::encodeName(settings.path()));

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
    if (language == QStringLiteral("zh_cn"))
        frame->OnCommand(Cmd::LanguageZhCn);
    else if (language == QStringLiteral("zh_tw"))
        frame->OnCommand(Cmd::LanguageZhTw);
    else if (language == QStringLiteral("en"))
        frame->OnCommand(Cmd::LanguageEn);
    frame->ActivatePage(page, true);
    if (!selectName.isEmpty()) {
        XControl* control = page->FindControl(selectName);
        if (!control) {
            std::fprintf(stderr, "mvlshot: page %s has no control %s\n", qPrintable(page->name), qPrintable(selectName));
            return 1;
        }
        frame->SelectControl(control);
    }

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
