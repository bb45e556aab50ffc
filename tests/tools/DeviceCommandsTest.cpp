#include "base/Translation.h"
#include "devicelink/DeviceLinkTestUtil.h"
#include "panelsim/PanelSimulator.h"
#include "support/TestFolders.h"

#include <QEventLoop>
#include <QProcess>
#include <QTcpServer>
#include <QTimer>

#include <gtest/gtest.h>

using namespace DeviceLinkTest;

namespace {

struct ToolResult {
    int status = -1;
    QString err;
};

// Runs mvltool while this thread's event loop keeps serving an in-process simulator. Its
// messages are in the language of this test program's Translate.
ToolResult RunTool(const QStringList& args)
{
    QProcess p;
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&p, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    p.start(qEnvironmentVariable("MVLTOOL", QStringLiteral(MVL_BIN_DIR "/mvltool")),
            QStringList{QStringLiteral("--lang"), Translation::FileNameForIndex(Translation::LanguageIndex())} + args);
    loop.exec();
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
}

void MakeProject(const QString& folder)
{
    WriteFile(folder + QStringLiteral("/Hall.mvl"), PatternBytes(4000, 1));
    WriteFile(folder + QStringLiteral("/PHOTO/a.png"), PatternBytes(90000, 2));
    WriteFile(folder + QStringLiteral("/.cache"), "x");
}

} // namespace

TEST(DeviceCommands, PackWritesAValidPackageWithProgress)
{
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("Hall.v2"));
    MakeProject(folder);
    const QString zip = dir.Path(QStringLiteral("out.zip"));
    const ToolResult r = RunTool({QStringLiteral("pack"), folder, zip});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.trimmed().endsWith(QStringLiteral("100%"))) << r.err.toStdString();
    EXPECT_EQ(UnzipTest(zip).status, 0);
    const CheckRun listing = RunProgram(QStringLiteral("unzip"), {QStringLiteral("-Z1"), zip});
    // The order of the files is the file system's; the set is fixed.
    QStringList names = listing.output.split(u'\n', Qt::SkipEmptyParts);
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("Hall/"), QStringLiteral("Hall/Hall.mvl"), QStringLiteral("Hall/PHOTO/"),
                                  QStringLiteral("Hall/PHOTO/a.png")}));
}

TEST(DeviceCommands, PackRefusesBadArguments)
{
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("Hall"));
    MakeProject(folder);
    EXPECT_EQ(RunTool({QStringLiteral("pack"), dir.Path(QStringLiteral("missing")), dir.Path(QStringLiteral("o.zip"))}).status, 1);
    const ToolResult inside = RunTool({QStringLiteral("pack"), folder, folder + QStringLiteral("/o.zip")});
    EXPECT_EQ(inside.status, 1);
    EXPECT_FALSE(inside.err.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/o.zip")));
    const ToolResult unwritable = RunTool({QStringLiteral("pack"), folder, dir.Path(QStringLiteral("no/such/o.zip"))});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(unwritable.err.contains(Translate("190"))) << unwritable.err.toStdString();
    EXPECT_EQ(RunTool({QStringLiteral("pack"), folder}).status, 2) << "a usage error";
}

TEST(DeviceCommands, SendDeliversTheProjectAndReportsFailures)
{
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("Hall"));
    MakeProject(folder);
    PanelSimOptions options;
    options.tcpPort = 0;
    options.discovery = false;
    options.outputFolder = dir.Path(QStringLiteral("device"));
    PanelSimulator sim(options);
    ASSERT_TRUE(sim.Start());

    const ToolResult ok = RunTool({QStringLiteral("send"), folder, QStringLiteral("127.0.0.1:%1").arg(sim.TcpPort())});
    EXPECT_EQ(ok.status, 0) << ok.err.toStdString();
    EXPECT_TRUE(ok.err.contains(QStringLiteral("100%")));
    ASSERT_EQ(sim.Reports().size(), 1);
    EXPECT_TRUE(sim.Reports().first().complete);
    EXPECT_EQ(ReadFile(dir.Path(QStringLiteral("device/Hall/PHOTO/a.png"))), PatternBytes(90000, 2));

    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 closedPort = probe.serverPort();
    probe.close();
    const ToolResult refused = RunTool({QStringLiteral("send"), folder, QStringLiteral("127.0.0.1:%1").arg(closedPort)});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.trimmed().endsWith(Translate("197"))) << refused.err.toStdString();

    EXPECT_EQ(RunTool({QStringLiteral("send"), folder, QStringLiteral("127.0.0.1:99999")}).status, 2) << "a usage error";
    // The address rule: a zero-padded part (octal to the resolver: 127.0.0.8), a short
    // form or text after the address reaches no device.
    for (const char* host : {"127.0.0.010", "127.1", "127.0.0.1 abc", "0x7f.0.0.1"}) {
        const ToolResult r = RunTool({QStringLiteral("send"), folder, QString::fromLatin1(host)});
        EXPECT_EQ(r.status, 1) << host;
        EXPECT_TRUE(r.err.contains(QStringLiteral("not an IPv4 address"))) << r.err.toStdString();
    }
    EXPECT_EQ(sim.Reports().size(), 1);
    EXPECT_EQ(RunTool({QStringLiteral("send"), dir.Path(QStringLiteral("missing")), QStringLiteral("127.0.0.1")}).status, 1);
}
