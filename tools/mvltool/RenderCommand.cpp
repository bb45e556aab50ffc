#include "ToolCommands.h"

#include "controls/PageRendering.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/XPage.h"

#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

// mvltool render FILE.mvl PAGE OUT.png [--zoom Z]: the page drawn as the design view
// draws it at that zoom (0.25 to 4, default 1), without selection marks.
int RunRender(const QStringList& argsIn)
{
    QStringList args = argsIn;
    double zoom = 1.0;
    const int zoomAt = static_cast<int>(args.indexOf(QStringLiteral("--zoom")));
    if (zoomAt >= 0) {
        bool ok = false;
        zoom = args.value(zoomAt + 1).toDouble(&ok);
        if (!ok || zoom < 0.25 - 1e-9 || zoom > 4.0 + 1e-9)
            return UsageError("render", QStringLiteral("the zoom must be a number from 0.25 to 4"));
        args.remove(zoomAt, std::min<qsizetype>(2, args.size() - zoomAt));
    }
    if (args.size() != 3)
        return UsageError("render");
    HeadlessMainDelegate delegate;
    delegate.zoom = zoom;
    ProjectData project;
    if (!LoadProjectForTool(args[0], delegate, project))
        return 1;
    XPage* page = project.FindPage(args[1]);
    if (!page) {
        QStringList names;
        for (const XPage* p : project.pages)
            names << p->name;
        PrintError(QStringLiteral("%1: no page or sub-page named \"%2\" (pages: %3)")
                       .arg(args[0], args[1], names.join(QStringLiteral(", "))));
        return 1;
    }
    const QImage image = RenderPageImage(*page, delegate);
    if (image.isNull()) {
        PrintError(QStringLiteral("page \"%1\" has no area to draw").arg(args[1]));
        return 1;
    }
    QSaveFile out(args[2]);
    if (!(out.open(QIODevice::WriteOnly) && image.save(&out, "PNG") && out.commit())) {
        PrintError(QStringLiteral("%1: cannot write the image").arg(args[2]));
        return 1;
    }
    return 0;
}
