#include "ToolCommands.h"

#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/XPage.h"
#include "preview/PreviewModel.h"
#include "preview/PreviewSnapshot.h"
#include "preview/PrototypeWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

// Takes "--page NAME" out of the arguments; false when the option lacks its value.
bool TakePage(QStringList& args, QString& page)
{
    const int at = static_cast<int>(args.indexOf(QStringLiteral("--page")));
    if (at < 0)
        return true;
    if (at + 1 >= args.size())
        return false;
    page = args[at + 1];
    args.remove(at, 2);
    return true;
}

QJsonObject StateJson(const PreviewModel& model, const PreviewSnapshot& snapshot)
{
    QJsonArray pressed;
    for (const XPage* page : snapshot.Project().pages)
        for (const XControl* c : page->controls)
            if (model.ShowsPressed(c))
                pressed.append(page->name + u'/' + c->name);
    QJsonArray log;
    for (const PreviewLogEntry& e : model.Log())
        log.append(PreviewLog::Format(e));
    return {{QStringLiteral("page"), model.ShownPage() ? model.ShownPage()->name : QString()},
            {QStringLiteral("pressed"), pressed},
            {QStringLiteral("log"), log}};
}

}

// mvltool prototype FILE.mvl OUTDIR [--page PAGE]: a clickable prototype in OUTDIR.
int RunPrototype(const QStringList& argsIn)
{
    QStringList args = argsIn;
    QString page;
    if (!TakePage(args, page) || args.size() != 2) {
        return UsageError("prototype");
    }
    HeadlessMainDelegate delegate;
    ProjectData project;
    if (!LoadProjectForTool(args[0], delegate, project))
        return 1;
    PrototypeWriter writer(project);
    writer.SetStartPage(page);
    QString error;
    if (!writer.Write(args[1], error)) {
        PrintError(error);
        return 1;
    }
    return 0;
}

// mvltool preview FILE.mvl [--page PAGE] [ELEMENT...]: touches each named element as the
// preview shows it, in turn, and prints the state after each as one JSON line (the first
// line is the state before any touch): the page shown, the buttons shown pressed and
// the log.
int RunPreview(const QStringList& argsIn)
{
    QStringList args = argsIn;
    QString page;
    if (!TakePage(args, page) || args.isEmpty()) {
        return UsageError("preview");
    }
    HeadlessMainDelegate delegate;
    ProjectData project;
    if (!LoadProjectForTool(args.takeFirst(), delegate, project))
        return 1;
    PreviewSnapshot snapshot(project);
    PreviewModel model(snapshot);
    model.Reset(page);
    auto print = [&] {
        std::printf("%s\n", QJsonDocument(StateJson(model, snapshot)).toJson(QJsonDocument::Compact).constData());
    };
    print();
    for (const QString& name : args) {
        QPoint centre;
        if (!model.FindOnScreen(name, centre)) {
            PrintError(QStringLiteral("no element \"%1\" is shown on page \"%2\"")
                           .arg(name, model.ShownPage() ? model.ShownPage()->name : QString()));
            return 1;
        }
        model.Tap(centre);
        print();
    }
    return 0;
}
