#include "CMarvolentaApp.h"

#include "base/CommandLine.h"

#include <QApplication>

namespace {

const QString kProgram = QStringLiteral("marvolenta");

const QString kHelp = QStringLiteral(
    "Usage: marvolenta [QT-OPTION...] [FILE.mvl]\n"
    "Opens the touch-panel project editor on the project FILE.mvl, or else on the\n"
    "project that was open when it last closed.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help\n"
    "  -v, --version  show the version\n"
    "The options of every Qt application (-platform NAME, -style NAME, ...) apply.\n"
    "\n"
    "Exit status: 0 closed normally, 1 could not start, 2 the command line is wrong.\n"
    "See marvolenta(1).\n");

} // namespace

int main(int argc, char** argv)
{
    // Answered before the application exists, so that they need no display.
    for (const QString& arg : CommandLine::RawArguments(argc, argv).mid(1)) {
        if (CommandLine::IsHelpOption(arg)) {
            CommandLine::Print(kHelp);
            return CommandLine::kSuccess;
        }
        if (CommandLine::IsVersionOption(arg)) {
            CommandLine::Print(CommandLine::VersionText(kProgram));
            return CommandLine::kSuccess;
        }
    }
    QApplication application(argc, argv);
    // Qt has taken its own options out; any other option is a mistake, not a file name.
    for (const QString& arg : QApplication::arguments().mid(1))
        if (arg.startsWith(u'-'))
            return CommandLine::UsageError(kProgram, QStringLiteral("unknown option '%1'").arg(arg), {});
    CMarvolentaApp app;
    if (!app.InitInstance(QApplication::arguments()))
        return CommandLine::kFailure;
    return app.ExitInstance(QApplication::exec());
}
