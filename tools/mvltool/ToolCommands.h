#pragma once

#include <QStringList>

class ProjectData;
class HeadlessMainDelegate;

// The sub-commands of mvltool. Each takes the arguments after its name and returns the
// process exit status; failures are reported on stderr.
int RunInfo(const QStringList& args);
int RunResave(const QStringList& args);
int RunNew(const QStringList& args);
int RunRender(const QStringList& args);
int RunPack(const QStringList& args);
int RunSend(const QStringList& args);
// Exit status 0 without errors (warnings allowed), 1 with errors, 2 when the project does
// not load.
int RunCheck(const QStringList& args);
int RunPrototype(const QStringList& args);
int RunPreview(const QStringList& args);

// A command line the command cannot use: the reason (when given) and the command's usage
// line from the command table on stderr; returns the usage-error exit status.
int UsageError(const char* command, const QString& reason = {});
// Exit status 0 with the project written, 1 when the description is refused or the
// project cannot be written, 2 for a usage error.
int RunImport(const QStringList& args);
// Exit status 0 when the projects are the same, 1 when they differ, 2 when one does not
// load.
int RunDiff(const QStringList& args);
// The send-code table, aligned or as CSV.
int RunCodes(const QStringList& args);

// Shared by the commands: loads a project file, printing the load message on failure.
bool LoadProjectForTool(const QString& path, HeadlessMainDelegate& delegate, ProjectData& project);
void PrintError(const QString& text);
