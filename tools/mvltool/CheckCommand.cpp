#include "ToolCommands.h"

#include "editor/ProjectCheck.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

constexpr int kClean = 0;
constexpr int kHasErrors = 1;
constexpr int kNotLoaded = 2;

QString Severity(const CheckFinding& f)
{
    return f.IsError() ? QStringLiteral("error") : QStringLiteral("warning");
}

// "error: PAGE-0 / BUTTON-1: message", the place left out where it is the project.
QString Line(const CheckFinding& f)
{
    QString place = f.pageName;
    if (!f.elementName.isEmpty())
        place += QStringLiteral(" / ") + f.elementName;
    return Severity(f) + QStringLiteral(": ") + (place.isEmpty() ? QString() : place + QStringLiteral(": ")) + f.Text();
}

QJsonObject Json(const std::vector<CheckFinding>& findings, int errors)
{
    QJsonArray list;
    for (const CheckFinding& f : findings) {
        QJsonObject o;
        o.insert(QStringLiteral("severity"), Severity(f));
        o.insert(QStringLiteral("kind"), f.kind);
        o.insert(QStringLiteral("page"), f.pageName);
        o.insert(QStringLiteral("element"), f.elementName);
        o.insert(QStringLiteral("key"), f.textKey);
        o.insert(QStringLiteral("message"), f.Text());
        list.append(o);
    }
    QJsonObject root;
    root.insert(QStringLiteral("errors"), errors);
    root.insert(QStringLiteral("warnings"), static_cast<int>(findings.size()) - errors);
    root.insert(QStringLiteral("findings"), list);
    return root;
}

} // namespace

int RunCheck(const QStringList& argsIn)
{
    QStringList args = argsIn;
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    if (args.size() != 1)
        return UsageError("check");
    HeadlessMainDelegate delegate;
    ProjectData project;
    if (!LoadProjectForTool(args[0], delegate, project))
        return kNotLoaded;
    const std::vector<CheckFinding> findings = CheckProject(project);
    int errors = 0;
    for (const CheckFinding& f : findings)
        errors += f.IsError() ? 1 : 0;
    if (json) {
        std::fputs(QJsonDocument(Json(findings, errors)).toJson().constData(), stdout);
    } else {
        for (const CheckFinding& f : findings)
            std::printf("%s\n", Line(f).toUtf8().constData());
        std::printf("%d errors, %d warnings\n", errors, static_cast<int>(findings.size()) - errors);
    }
    return errors > 0 ? kHasErrors : kClean;
}
