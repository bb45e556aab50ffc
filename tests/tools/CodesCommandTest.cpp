// mvltool codes: the send-code table for the control system, as CSV and aligned.

#include "support/OverviewExample.h"
#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int status;
    QString out;
};

ToolRun Codes(const QStringList& args)
{
    QProcess p;
    p.start(qEnvironmentVariable("MVLTOOL", QStringLiteral(MVL_BIN_DIR "/mvltool")),
            QStringList{QStringLiteral("codes")} + args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput())};
}

// Records as a spreadsheet reads them: quoted fields may hold commas, quotes and breaks.
std::vector<QStringList> ReadCsv(const QString& text)
{
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else if (ch == u'"')
                quoted = false;
            else
                field += ch;
        } else if (ch == u'"') {
            quoted = true;
        } else if (ch == u',') {
            record << field;
            field.clear();
        } else if (ch == u'\n') {
            records.push_back(record << field);
            record.clear();
            field.clear();
        } else {
            field += ch;
        }
    }
    return records;
}

} // namespace

TEST(CodesCommand, ListsEverySendCodeAsCsvAndAsATable)
{
    ScriptedUi ui;
    TestFolder dir;
    OverviewExample venue(dir.Path(QStringLiteral("Venue")));
    ASSERT_TRUE(venue.Save());
    const QString file = dir.Path(QStringLiteral("Venue/Venue.mvl"));

    const ToolRun csv = Codes({file, QStringLiteral("--csv")});
    ASSERT_EQ(csv.status, 0) << csv.out.toStdString();
    const std::vector<QStringList> expected{
        {"page", "element", "type", "code", "kind", "group", "command", "shared"},
        {"Home", "Day", "BUTTON", "10", "interlocked", "Scenes", "", "1"},
        {"Home", "Night", "BUTTON", "10", "interlocked", "Scenes", "", "1"},
        {"Lights", "Back", "BUTTON", "10", "plain", "", "", "2"},
        {"Home", "Power", "BUTTON", "20", "plain", "", "PWR \"ON\";PWR \"OFF\"", "1"},
        {"Home", "Power2", "BUTTON", "20", "plain", "", "", "1"},
        {"Lights", "Dimmer", "SLIDER", "30", "", "", "", "0"},
    };
    EXPECT_EQ(ReadCsv(csv.out), expected) << csv.out.toStdString();
    EXPECT_TRUE(csv.out.startsWith(QStringLiteral("page,element,type,code,")));
    EXPECT_TRUE(csv.out.contains(QStringLiteral(",\"PWR \"\"ON\"\";PWR \"\"OFF\"\"\",")));

    const ToolRun table = Codes({file});
    ASSERT_EQ(table.status, 0);
    const QStringList lines = table.out.trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), static_cast<int>(expected.size())) << table.out.toStdString();
    // Aligned: every column starts where its header does.
    const int codeColumn = lines[0].indexOf(QStringLiteral("code"));
    EXPECT_EQ(lines[1].indexOf(QStringLiteral("10")), codeColumn) << table.out.toStdString();
    EXPECT_EQ(lines[6].indexOf(QStringLiteral("30")), codeColumn) << table.out.toStdString();

    EXPECT_NE(Codes({dir.Path(QStringLiteral("none.mvl"))}).status, 0);
    EXPECT_NE(Codes({}).status, 0);
}
