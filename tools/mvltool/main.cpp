// mvltool: scriptable checks and conversions of Marvolenta projects over the editor's core.

#include "ToolCommands.h"

#include "base/Translation.h"
#include "controls/ApplicationFont.h"
#include "controls/ControlClasses.h"

#include <QDir>
#include <QGuiApplication>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <cstdio>
#include <functional>
#include <map>

namespace {

const std::map<QString, std::function<int(const QStringList&)>>& Commands()
{
    static const std::map<QString, std::function<int(const QStringList&)>> commands{
        {QStringLiteral("info"), &RunInfo},
        {QStringLiteral("resave"), &RunResave},
        {QStringLiteral("new"), &RunNew},
        {QStringLiteral("render"), &RunRender},
        {QStringLiteral("pack"), &RunPack},
        {QStringLiteral("send"), &RunSend},
        {QStringLiteral("check"), &RunCheck},
        {QStringLiteral("codes"), &RunCodes},
    };
    return commands;
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

int Usage()
{
    std::fprintf(stderr,
                 "usage: mvltool COMMAND ARGS\n"
                 "  info FILE.mvl                 print the project as JSON\n"
                 "  resave FILE.mvl               load and save the project in place\n"
                 "  new FOLDER WIDTH HEIGHT       create an empty project\n"
                 "  render FILE.mvl PAGE OUT.png [--zoom Z]\n"
                 "                                draw a page as the design view shows it\n"
                 "  pack FOLDER OUT.zip           pack a project folder as it is sent to a panel\n"
                 "  send FOLDER HOST[:PORT]       send a project folder to a panel (port 48688)\n"
                 "  check FILE.mvl [--json]       report what would go wrong on the panel\n"
                 "                                (exit 0 clean or warnings, 1 errors, 2 not loaded)\n"
                 "  codes FILE.mvl [--csv]        list the send codes for the control system\n");
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    // Text measuring and rendering need a GUI application, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QuietRuntimeDir();
    QGuiApplication app(argc, argv);
    Translation::LoadLanguage();
    RegisterControlClasses();
    RegisterApplicationFont();

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return Usage();
    const QString name = args.takeFirst();
    const auto it = Commands().find(name);
    if (it == Commands().end())
        return Usage();
    return it->second(args);
}
