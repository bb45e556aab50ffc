#include "support/TestFolders.h"

#include <QFileInfo>
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

ToolRun Tool(const QStringList& args)
{
    QProcess p;
    p.start(qEnvironmentVariable("MVLTOOL", QStringLiteral(MVL_BIN_DIR "/mvltool")), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace

TEST(MvlTool, NewInfoAndResaveWorkTogether)
{
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("Hall.v2"));
    ToolRun created = Tool({QStringLiteral("new"), folder, QStringLiteral("1280"), QStringLiteral("800")});
    ASSERT_EQ(created.status, 0) << created.err.toStdString();
    const QString file = folder + QStringLiteral("/Hall.mvl");
    EXPECT_EQ(created.out.trimmed(), file.toUtf8());
    const QByteArray before = dir.Read(QStringLiteral("Hall.v2/Hall.mvl"));

    ToolRun info = Tool({QStringLiteral("info"), file});
    ASSERT_EQ(info.status, 0) << info.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(info.out).object();
    EXPECT_EQ(root.value(QStringLiteral("headerVersion")).toInt(), 1);
    EXPECT_EQ(root.value(QStringLiteral("buildVersion")).toString(), QStringLiteral("3.8.2"));
    EXPECT_EQ(root.value(QStringLiteral("dataVersion")).toInt(), 6);
    EXPECT_EQ(root.value(QStringLiteral("width")).toInt(), 1280);
    EXPECT_EQ(root.value(QStringLiteral("height")).toInt(), 800);
    EXPECT_TRUE(root.value(QStringLiteral("images")).toArray().isEmpty());
    EXPECT_TRUE(root.value(QStringLiteral("pages")).toArray().isEmpty());

    ToolRun resaved = Tool({QStringLiteral("resave"), file});
    ASSERT_EQ(resaved.status, 0) << resaved.err.toStdString();
    EXPECT_EQ(dir.Read(QStringLiteral("Hall.v2/Hall.mvl")), before);
}

TEST(MvlTool, FailuresExitWithStatusOneAndAReason)
{
    TestFolder dir;
    ASSERT_TRUE(dir.Write(QStringLiteral("Bad/Bad.mvl"), "8001800a"));
    ToolRun info = Tool({QStringLiteral("info"), dir.Path(QStringLiteral("Bad/Bad.mvl"))});
    EXPECT_EQ(info.status, 1);
    EXPECT_TRUE(info.out.isEmpty());
    EXPECT_TRUE(info.err.contains("8")) << info.err.toStdString(); // names the offset

    ToolRun missing = Tool({QStringLiteral("resave"), dir.Path(QStringLiteral("none.mvl"))});
    EXPECT_EQ(missing.status, 1);
    EXPECT_FALSE(missing.err.isEmpty());

    ToolRun tooSmall = Tool({QStringLiteral("new"), dir.Path(QStringLiteral("S")), QStringLiteral("199"), QStringLiteral("600")});
    EXPECT_EQ(tooSmall.status, 1);
    EXPECT_FALSE(tooSmall.err.isEmpty());

    // A project already there is never replaced; a folder whose name is hidden (its data
    // file would be too, and packing leaves it out) is refused as the dialog refuses it.
    for (const QString& target : {dir.Path(QStringLiteral("Bad")), dir.Path(QStringLiteral(".hidden"))}) {
        ToolRun refused = Tool({QStringLiteral("new"), target, QStringLiteral("800"), QStringLiteral("600")});
        EXPECT_EQ(refused.status, 1) << target.toStdString();
        EXPECT_TRUE(refused.err.contains(target.toUtf8())) << refused.err.toStdString();
    }
    EXPECT_EQ(dir.Read(QStringLiteral("Bad/Bad.mvl")), QByteArray("8001800a"));
    EXPECT_FALSE(QFileInfo::exists(dir.Path(QStringLiteral(".hidden"))));

    EXPECT_EQ(Tool({QStringLiteral("frobnicate")}).status, 1);
}
