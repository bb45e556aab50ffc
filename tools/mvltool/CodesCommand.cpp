#include "ToolCommands.h"

#include "editor/ProjectOverview.h"
#include "editor/SendCodeList.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"

#include <cstdio>

int RunCodes(const QStringList& argsIn)
{
    QStringList args = argsIn;
    const bool csv = args.removeAll(QStringLiteral("--csv")) > 0;
    if (args.size() != 1) {
        return UsageError("codes");
    }
    HeadlessMainDelegate delegate;
    ProjectData project;
    if (!LoadProjectForTool(args[0], delegate, project))
        return 1;
    ProjectOverview overview;
    overview.Refresh(project);
    const QString text = csv ? SendCodeList::Csv(overview.SendCodesByCode()) : SendCodeList::Table(overview.SendCodesByCode());
    std::fputs(text.toUtf8().constData(), stdout);
    return 0;
}
