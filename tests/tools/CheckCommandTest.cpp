// mvltool check: exit statuses, the text lines and the JSON shape.

#include "support/CheckExample.h"
#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int status;
    QByteArray out;
    QByteArray err;
};

ToolRun Check(const QStringList& args)
{
    QProcess p;
    p.start(qEnvironmentVariable("MVLTOOL", QStringLiteral(MVL_BIN_DIR "/mvltool")),
            QStringList{QStringLiteral("check")} + args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace

TEST(CheckCommand, ExitStatusTellsCleanWarningsErrorsAndUnreadable)
{
    ScriptedUi ui;
    TestFolder dir;
    EXPECT_EQ(Check({QStringLiteral(MVL_SOURCE_DIR "/examples/Lobby/Lobby.mvl")}).status, 0) << "the demo checks clean";

    CheckExample warned(dir.Path(QStringLiteral("Warned")), {CheckFault::UnusedImage, CheckFault::Outside});
    ASSERT_TRUE(warned.Save());
    const ToolRun w = Check({dir.Path(QStringLiteral("Warned/Warned.mvl"))});
    EXPECT_EQ(w.status, 0) << w.out.toStdString();
    EXPECT_TRUE(w.out.contains("0 errors, 2 warnings")) << w.out.toStdString();

    CheckExample broken(dir.Path(QStringLiteral("Broken")), {CheckFault::MissingPage, CheckFault::ZeroSize});
    ASSERT_TRUE(broken.Save());
    const ToolRun e = Check({dir.Path(QStringLiteral("Broken/Broken.mvl"))});
    EXPECT_EQ(e.status, 1);
    const QList<QByteArray> lines = e.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3) << e.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("error: Main / GoSecond: ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("warning: Second / Flat: ")) << lines[1].toStdString();

    ASSERT_TRUE(dir.Write(QStringLiteral("Bad/Bad.mvl"), "8001800a"));
    const ToolRun bad = Check({dir.Path(QStringLiteral("Bad/Bad.mvl"))});
    EXPECT_EQ(bad.status, 2);
    EXPECT_FALSE(bad.err.isEmpty());
    EXPECT_EQ(Check({dir.Path(QStringLiteral("none.mvl"))}).status, 2);
    EXPECT_EQ(Check({}).status, 2);
}

TEST(CheckCommand, JsonListsEveryFindingWithItsPlace)
{
    ScriptedUi ui;
    TestFolder dir;
    CheckExample example(dir.Path(QStringLiteral("J")), {CheckFault::MissingGroup, CheckFault::DuplicateSendCode});
    ASSERT_TRUE(example.Save());
    const ToolRun run = Check({dir.Path(QStringLiteral("J/J.mvl")), QStringLiteral("--json")});
    EXPECT_EQ(run.status, 1);
    QJsonParseError error{};
    const QJsonObject root = QJsonDocument::fromJson(run.out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    EXPECT_EQ(root.value(QStringLiteral("errors")).toInt(), 1);
    EXPECT_EQ(root.value(QStringLiteral("warnings")).toInt(), 1);
    const QJsonArray findings = root.value(QStringLiteral("findings")).toArray();
    ASSERT_EQ(findings.size(), 2);
    const QJsonObject first = findings[0].toObject();
    EXPECT_EQ(first.value(QStringLiteral("severity")).toString(), QStringLiteral("error"));
    EXPECT_EQ(first.value(QStringLiteral("kind")).toString(), QStringLiteral("missing-reference"));
    EXPECT_EQ(first.value(QStringLiteral("page")).toString(), QStringLiteral("Main"));
    EXPECT_EQ(first.value(QStringLiteral("element")).toString(), QStringLiteral("GoSecond"));
    EXPECT_TRUE(first.value(QStringLiteral("message")).toString().contains(QStringLiteral("Ghost")));
    const QJsonObject second = findings[1].toObject();
    EXPECT_EQ(second.value(QStringLiteral("severity")).toString(), QStringLiteral("warning"));
    EXPECT_EQ(second.value(QStringLiteral("element")).toString(), QStringLiteral("Loose"));
}
