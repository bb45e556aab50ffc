// The command-line conventions of marvolenta, mvltool and panelsim: --help and --version,
// exit status 2 for a command line that cannot be used, mvltool's message language, and
// mvltool's manual page keeping step with its command table.

#include "base/AppPaths.h"
#include "base/IniFile.h"
#include "base/Translation.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
};

QString Program(const QString& name)
{
    if (name == QLatin1String("mvltool") && qEnvironmentVariableIsSet("MVLTOOL"))
        return qEnvironmentVariable("MVLTOOL");
    return QStringLiteral(MVL_BIN_DIR "/") + name;
}

// Runs a program with the locale variables replaced by the given ones.
ProgramRun Start(const QString& name, const QStringList& args, const QStringList& locale = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        env.remove(QString::fromLatin1(variable));
    for (const QString& setting : locale)
        env.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(Program(name), args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// The width message of a translation file, filled in as mvltool fills it.
QString WidthMessage(const char* file)
{
    const QString text = Profile::ReadString(AppPaths::GetTranslationPath(QString::fromLatin1(file)),
                                             QStringLiteral("Info"), QStringLiteral("209"));
    return FormatText(text, RangeArgs(200, 5000));
}

enum class Stream { Out, Err };

struct Row {
    const char* program;
    QStringList args;
    QStringList locale;
    int status;
    Stream stream;
    QString expected; // a part of what the program writes there
};

} // namespace

TEST(CommandLine, HelpVersionUsageErrorsAndMessageLanguage)
{
    TestFolder dir;
    const QString lobby = QStringLiteral(MVL_SOURCE_DIR "/examples/Lobby/Lobby.mvl");
    const QString folder = dir.Path(QStringLiteral("Hall"));
    const QString version = QStringLiteral("(Marvolenta) 3.8.2\n");
    const QStringList narrow = {QStringLiteral("new"), folder, QStringLiteral("199"), QStringLiteral("600")};
    const std::vector<Row> rows = {
#ifdef MVL_HAVE_UI
        {"marvolenta", {QStringLiteral("--help")}, {}, 0, Stream::Out, QStringLiteral("Usage: marvolenta")},
        {"marvolenta", {QStringLiteral("-v")}, {}, 0, Stream::Out, QStringLiteral("marvolenta ") + version},
        {"marvolenta", {QStringLiteral("--frobnicate")}, {}, 2, Stream::Err, QStringLiteral("unknown option '--frobnicate'")},
#endif
        {"mvltool", {QStringLiteral("--help")}, {}, 0, Stream::Out, QStringLiteral("\nCommands:\n  info FILE.mvl")},
        {"mvltool", {QStringLiteral("--version")}, {}, 0, Stream::Out, QStringLiteral("mvltool ") + version},
        {"mvltool", {QStringLiteral("check"), QStringLiteral("-h")}, {}, 0, Stream::Out, QStringLiteral("check FILE.mvl [--json]")},
        {"mvltool", {}, {}, 2, Stream::Err, QStringLiteral("no command given")},
        {"mvltool", {QStringLiteral("frobnicate")}, {}, 2, Stream::Err, QStringLiteral("unknown command 'frobnicate'")},
        {"mvltool", {QStringLiteral("--verbose"), QStringLiteral("info"), lobby}, {}, 2, Stream::Err, QStringLiteral("unknown option")},
        {"mvltool", {QStringLiteral("info")}, {}, 2, Stream::Err, QStringLiteral("usage: mvltool info FILE.mvl")},
        {"mvltool", {QStringLiteral("render"), lobby, QStringLiteral("Lobby"), dir.Path(QStringLiteral("x.png")),
                     QStringLiteral("--zoom"), QStringLiteral("9")}, {}, 2, Stream::Err, QStringLiteral("0.25 to 4")},
        {"mvltool", {QStringLiteral("send"), folder, QStringLiteral("127.0.0.1:0")}, {}, 2, Stream::Err, QStringLiteral("1 to 65535")},
        {"mvltool", QStringList{QStringLiteral("--lang"), QStringLiteral("fr")} + narrow, {}, 2, Stream::Err, QStringLiteral("zh_cn, zh_tw or en")},
        {"mvltool", QStringList{QStringLiteral("--lang"), QStringLiteral("en")} + narrow, {QStringLiteral("LANG=zh_CN.UTF-8")}, 2, Stream::Err, WidthMessage("EN")},
        {"mvltool", QStringList{QStringLiteral("--lang=ZH_TW")} + narrow, {}, 2, Stream::Err, WidthMessage("ZH_TW")},
        {"mvltool", QStringList{QStringLiteral("--lang"), QStringLiteral("zh-cn")} + narrow, {}, 2, Stream::Err, WidthMessage("ZH_CN")},
        {"mvltool", narrow, {QStringLiteral("LANG=zh_TW.UTF-8")}, 2, Stream::Err, WidthMessage("ZH_TW")},
        {"mvltool", narrow, {QStringLiteral("LANG=en_US.UTF-8"), QStringLiteral("LC_MESSAGES=zh_CN.UTF-8")}, 2, Stream::Err, WidthMessage("ZH_CN")},
        {"mvltool", narrow, {QStringLiteral("LC_ALL=C")}, 2, Stream::Err, WidthMessage("EN")},
        {"panelsim", {QStringLiteral("--help")}, {}, 0, Stream::Out, QStringLiteral("--stop-ack-after <n>")},
        {"panelsim", {QStringLiteral("--version")}, {}, 0, Stream::Out, QStringLiteral("panelsim ") + version},
        {"panelsim", {QStringLiteral("--frobnicate")}, {}, 2, Stream::Err, QStringLiteral("frobnicate")},
        {"panelsim", {QStringLiteral("--port"), QStringLiteral("x")}, {}, 2, Stream::Err, QStringLiteral("--port needs a number")},
        {"panelsim", {QStringLiteral("leftover")}, {}, 2, Stream::Err, QStringLiteral("unexpected argument 'leftover'")},
    };
    for (const Row& row : rows) {
        const QString program = QString::fromLatin1(row.program);
        const QString line = program + u' ' + row.args.join(u' ') + u' ' + row.locale.join(u' ');
        const ProgramRun run = Start(program, row.args, row.locale);
        EXPECT_EQ(run.status, row.status) << line.toStdString() << "\n" << run.err.toStdString();
        const QString& text = row.stream == Stream::Out ? run.out : run.err;
        EXPECT_TRUE(text.contains(row.expected)) << line.toStdString() << "\nwanted: " << row.expected.toStdString()
                                                 << "\ngot: " << text.toStdString();
        // Help and version go to stdout alone; a usage error names the way to the help.
        if (row.status == 0)
            EXPECT_TRUE(run.err.isEmpty()) << line.toStdString() << "\n" << run.err.toStdString();
        else
            EXPECT_TRUE(run.err.contains(QStringLiteral("Try '%1 --help'").arg(program))) << line.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder)) << "a refused command line creates nothing";
}

// Every command of the help has its entry in the manual page, with the same arguments.
TEST(CommandLine, ManualPageDescribesEveryCommandOfTheTable)
{
    const ProgramRun help = Start(QStringLiteral("mvltool"), {QStringLiteral("--help")});
    ASSERT_EQ(help.status, 0);
    const QString commands = help.out.section(QStringLiteral("Commands:\n"), 1).section(QStringLiteral("\n\n"), 0, 0);
    QStringList synopses;
    for (const QString& line : commands.split(u'\n'))
        if (line.startsWith(QLatin1String("  ")) && line.at(2).isLetter())
            synopses << line.mid(2).section(QStringLiteral("  "), 0, 0);
    ASSERT_GE(synopses.size(), 7) << help.out.toStdString();

    QFile man(QStringLiteral(MVL_SOURCE_DIR "/data/man/mvltool.1"));
    ASSERT_TRUE(man.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(man.readAll());
    QStringList entries; // the tag lines under COMMANDS, font changes and escapes taken out
    const QString section = page.section(QStringLiteral(".SH COMMANDS\n"), 1).section(QStringLiteral("\n.SH "), 0, 0);
    const QRegularExpression tag(QStringLiteral("^\\.TP\\n(.*)$"), QRegularExpression::MultilineOption);
    for (auto m = tag.globalMatch(section); m.hasNext();)
        entries << m.next().captured(1).remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]"))).replace(QStringLiteral("\\-"), QStringLiteral("-"));
    EXPECT_EQ(entries, synopses);
}
