// mvltool check: exit statuses, the text lines and the JSON shape.

#include "base/Translation.h"
#include "model/ElementTypes.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/XPage.h"
#include "support/CheckExample.h"
#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <functional>

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
            QStringList{QStringLiteral("--lang"), Translation::FileNameForIndex(Translation::LanguageIndex()),
                        QStringLiteral("check")} + args);
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

// Files the editor would never write: pages that cannot be told apart are loaded (the
// user renames them) and reported as errors; a page among a page's controls is refused at
// load, naming the element and where it lies, and the file is left as it is.
TEST(CheckCommand, PagesThatCannotBeReferredToAreErrorsAndNestedPagesAreRefused)
{
    ScriptedUi ui;
    TestFolder dir;
    const struct {
        const char* file;
        std::function<void(ProjectData&)> shape;
        int status;
        const char* kind; // the error reported, or empty when the file does not load
    } rows[] = {
        {"Twice",
         [](ProjectData& p) {
             p.NewPage(ElementType::kPage, QStringLiteral("Main"));
             p.NewPage(ElementType::kSubPage, QStringLiteral("Main"));
         },
         1, "duplicate-page-name"},
        {"Reserved", [](ProjectData& p) { p.NewPage(ElementType::kPage, QStringLiteral("NONE")); }, 1,
         "reserved-page-name"},
        {"Nested",
         [](ProjectData& p) {
             XPage* main = p.NewPage(ElementType::kPage, QStringLiteral("Main"));
             XPage* inner = p.NewPage(ElementType::kSubPage, QStringLiteral("Inner"));
             p.pages.removeOne(inner);
             main->controls.append(inner);
         },
         2, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const QString folder = dir.Path(QLatin1String(row.file));
        const QString file = folder + u'/' + QLatin1String(row.file) + QStringLiteral(".mvl");
        {
            HeadlessMainDelegate delegate;
            ProjectData project;
            project.mainDelegate = &delegate;
            project.folder = folder;
            project.screen = {QStringLiteral("CUSTOM"), 800, 600};
            row.shape(project);
            ASSERT_TRUE(project.SaveProjectFile());
        }
        const QByteArray written = dir.Read(QLatin1String(row.file) + u'/' + QLatin1String(row.file) + QStringLiteral(".mvl"));
        const ToolRun run = Check({file, QStringLiteral("--json")});
        EXPECT_EQ(run.status, row.status) << run.err.toStdString();

        ProjectData loaded;
        QString message;
        const bool loads = loaded.LoadProjectFile(file, message);
        EXPECT_EQ(loads, *row.kind != 0);
        if (loads) {
            const QJsonArray findings = QJsonDocument::fromJson(run.out).object().value(QStringLiteral("findings")).toArray();
            ASSERT_EQ(findings.size(), 1) << run.out.toStdString();
            EXPECT_EQ(findings[0].toObject().value(QStringLiteral("kind")).toString(), QLatin1String(row.kind));
        } else {
            // "... a SUBPAGE element (at character N) ...", the offset being where its record begins.
            static const QRegularExpression digits(QStringLiteral("\\d+"));
            EXPECT_EQ(QString(message).remove(digits),
                      TranslateFormat("1404", {QStringLiteral("SUBPAGE"), QStringLiteral("0")}).remove(digits))
                << message.toStdString();
            EXPECT_TRUE(QString::fromUtf8(run.err).contains(message)) << run.err.toStdString();
        }
        EXPECT_EQ(dir.Read(QLatin1String(row.file) + u'/' + QLatin1String(row.file) + QStringLiteral(".mvl")), written)
            << "checking changes nothing";
    }
}
