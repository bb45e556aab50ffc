// mvltool: scriptable checks and conversions of Marvolenta projects over the editor's core.

#include "ToolCommands.h"

#include "base/CommandLine.h"
#include "base/Translation.h"
#include "controls/ApplicationFont.h"
#include "controls/ControlClasses.h"

#include <QDir>
#include <QGuiApplication>
#include <QLocale>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

const QString kProgram = QStringLiteral("mvltool");

// One row per command: its name, its arguments as the usage shows them, what it does
// (further lines after "\n"), and the function that runs it. The help, the per-command
// usage and the shell completion are all read off this table.
struct ToolCommand {
    const char* name;
    const char* arguments;
    const char* summary;
    int (*run)(const QStringList&);
};

constexpr ToolCommand kCommands[] = {
    {"info", "FILE.mvl", "print the project as JSON", &RunInfo},
    {"resave", "FILE.mvl", "load and save the project in place", &RunResave},
    {"new", "FOLDER WIDTH HEIGHT", "create an empty project", &RunNew},
    {"render", "FILE.mvl PAGE OUT.png [--zoom Z]", "draw a page as the design view shows it", &RunRender},
    {"pack", "FOLDER OUT.zip", "pack a project folder as it is sent to a panel", &RunPack},
    {"send", "FOLDER HOST[:PORT]", "send a project folder to a panel (port 48688)", &RunSend},
    {"check", "FILE.mvl [--json]",
     "report what would go wrong on the panel\n(exit 0 clean or warnings, 1 errors, 2 not loaded)", &RunCheck},
    {"prototype", "FILE.mvl OUTDIR [--page PAGE]", "write a clickable prototype (OUTDIR/index.html)", &RunPrototype},
    {"preview", "FILE.mvl [--page PAGE] [ELEMENT...]",
     "touch elements in turn; print the page shown,\nthe buttons shown pressed and the log", &RunPreview},
    {"import", "FILE.json FOLDER [--force]", "build the project a JSON description gives", &RunImport},
    {"diff", "A.mvl B.mvl [--json]",
     "print what differs between two projects\n(exit 0 same, 1 differ, 2 not loaded)", &RunDiff},
    {"codes", "FILE.mvl [--csv]", "list the send codes for the control system", &RunCodes},
};

constexpr int kSummaryColumn = 32;

const ToolCommand* FindCommand(const QString& name)
{
    for (const ToolCommand& c : kCommands)
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

QString Synopsis(const ToolCommand& c)
{
    return QLatin1String(c.name) + u' ' + QLatin1String(c.arguments);
}

// "  name ARGS   summary", the summary in its column (on a line of its own when the
// arguments reach it) and its further lines below it.
QString CommandLines(const ToolCommand& c)
{
    const QString head = QStringLiteral("  ") + Synopsis(c);
    const QStringList summary = QString::fromUtf8(c.summary).split(u'\n');
    const QString indent(kSummaryColumn, u' ');
    QString text = head.size() + 2 <= kSummaryColumn ? head.leftJustified(kSummaryColumn) + summary.first()
                                                     : head + u'\n' + indent + summary.first();
    for (qsizetype i = 1; i < summary.size(); ++i)
        text += u'\n' + indent + summary[i];
    return text + u'\n';
}

QString HelpText()
{
    QString text = QStringLiteral("Usage: mvltool [--lang LANG] COMMAND ARGS...\n"
                                  "Checks, converts, draws, packs and sends Marvolenta projects.\n"
                                  "\n"
                                  "Commands:\n");
    for (const ToolCommand& c : kCommands)
        text += CommandLines(c);
    text += QStringLiteral("\n"
                           "Options:\n"
                           "  --lang LANG     language of the messages: zh_cn, zh_tw or en\n"
                           "                  (default: the language of the locale)\n"
                           "  -h, --help      show this help; after a command, its usage\n"
                           "  -v, --version   show the version\n"
                           "\n"
                           "Exit status: 0 done, 1 failed, 2 the command line is wrong.\n"
                           "See mvltool(1).\n");
    return text;
}

// Without a session the GUI library warns about XDG_RUNTIME_DIR on every run; give it
// the private folder it would fall back to anyway.
void QuietRuntimeDir()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray dir = QDir::tempPath().toLocal8Bit() + "/runtime-" + QByteArray::number(getuid());
    if (mkdir(dir.constData(), 0700) == 0 || errno == EEXIST)
        qputenv("XDG_RUNTIME_DIR", dir);
}

// What the options before the command ask for.
struct GlobalOptions {
    bool help = false;
    bool version = false;
    int language = -1;
    QStringList rest; // the command and its arguments
};

// False (after a usage message) when an option is unknown or lacks its value.
bool ParseGlobalOptions(QStringList args, GlobalOptions& options, int& status)
{
    while (!args.isEmpty() && args.first().startsWith(u'-')) {
        const QString arg = args.takeFirst();
        if (arg == QLatin1String("--"))
            break;
        if (CommandLine::IsHelpOption(arg)) {
            options.help = true;
        } else if (CommandLine::IsVersionOption(arg)) {
            options.version = true;
        } else if (arg == QLatin1String("--lang") || arg.startsWith(QLatin1String("--lang="))) {
            const QString name = arg.contains(u'=') ? arg.section(u'=', 1) : (args.isEmpty() ? QString() : args.takeFirst());
            options.language = Translation::LanguageForName(name);
            if (options.language < 0) {
                status = CommandLine::UsageError(kProgram, QStringLiteral("--lang is zh_cn, zh_tw or en"), {});
                return false;
            }
        } else {
            status = CommandLine::UsageError(kProgram, QStringLiteral("unknown option '%1'").arg(arg), {});
            return false;
        }
    }
    options.rest = args;
    return true;
}

} // namespace

int UsageError(const char* command, const QString& reason)
{
    const ToolCommand* c = FindCommand(QLatin1String(command));
    return CommandLine::UsageError(kProgram + u' ' + QLatin1String(command), reason,
                                   c ? QStringLiteral("usage: mvltool ") + Synopsis(*c) : QString());
}

int main(int argc, char** argv)
{
    // Text measuring and rendering need a GUI application, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QuietRuntimeDir();
    QGuiApplication app(argc, argv);

    GlobalOptions options;
    int status = CommandLine::kUsageError;
    if (!ParseGlobalOptions(app.arguments().mid(1), options, status))
        return status;
    if (options.help) {
        CommandLine::Print(HelpText());
        return CommandLine::kSuccess;
    }
    if (options.version) {
        CommandLine::Print(CommandLine::VersionText(kProgram));
        return CommandLine::kSuccess;
    }
    if (options.rest.isEmpty())
        return CommandLine::UsageError(kProgram, QStringLiteral("no command given"), {});
    const QString name = options.rest.takeFirst();
    const ToolCommand* command = FindCommand(name);
    if (!command)
        return CommandLine::UsageError(kProgram, QStringLiteral("unknown command '%1'").arg(name), {});
    if (std::any_of(options.rest.cbegin(), options.rest.cend(), CommandLine::IsHelpOption)) {
        CommandLine::Print(QStringLiteral("Usage: mvltool [--lang LANG] ") + Synopsis(*command) + u'\n' +
                           QString::fromUtf8(command->summary));
        return CommandLine::kSuccess;
    }

    // The messages speak the language asked for, else the one the locale gives messages
    // (LANGUAGE, LC_ALL, LC_MESSAGES, LANG); the editor's language setting is the editor's.
    Translation::SetLanguage(options.language >= 0
                                 ? options.language
                                 : Translation::LanguageForLocale(QLocale(QLocale::system().uiLanguages().value(0))));
    RegisterControlClasses();
    RegisterApplicationFont();
    return command->run(options.rest);
}
