#include "app/CAboutDlg.h"
#include "app/CMarvolentaApp.h"
#include "app/CVersionRecordDlg.h"
#include "app/CrashHandler.h"
#include "app/MessageBoxDlg.h"
#include "app/VersionNotes.h"
#include "app/WidgetUi.h"
#include "base/Translation.h"
#include "support/TestFolders.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct ButtonInfo {
    int id;
    QString label;
    int result;
    bool operator==(const ButtonInfo& o) const { return id == o.id && label == o.label && result == o.result; }
};

std::vector<ButtonInfo> ButtonsOf(const MessageBoxDlg& dlg)
{
    std::vector<ButtonInfo> out;
    for (QPushButton* b : dlg.Buttons())
        out.push_back({b->property("id").toInt(), b->text(), b->property("result").toInt()});
    return out;
}

// Runs the box and presses a key once it is up; returns the box's answer.
int AnswerWithKey(int buttonSet, Qt::Key key)
{
    MessageBoxDlg dlg(QStringLiteral("text"), QStringLiteral("caption"), buttonSet);
    QTimer::singleShot(0, &dlg, [&dlg, key] { QTest::keyClick(&dlg, key); });
    return dlg.Run();
}

} // namespace

TEST(MessageBox, FourButtonSetsInTheirOrderWithTranslatedLabels)
{
    const QString ok = Translate("66"), cancel = Translate("67"), yes = Translate("68"), no = Translate("69");
    {
        MessageBoxDlg dlg(QStringLiteral("t"), QStringLiteral("c"), kButtonsOk);
        EXPECT_EQ(ButtonsOf(dlg), (std::vector<ButtonInfo>{{36001, ok, 1}}));
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("c"));
    }
    {
        MessageBoxDlg dlg(QStringLiteral("t"), QStringLiteral("c"), kButtonsCancelOk);
        EXPECT_EQ(ButtonsOf(dlg), (std::vector<ButtonInfo>{{36001, cancel, 2}, {36002, ok, 1}}));
    }
    {
        MessageBoxDlg dlg(QStringLiteral("t"), QStringLiteral("c"), kButtonsCancelNoYes);
        EXPECT_EQ(ButtonsOf(dlg), (std::vector<ButtonInfo>{{36001, cancel, 2}, {36002, no, 7}, {36003, yes, 6}}));
    }
    {
        MessageBoxDlg dlg(QStringLiteral("t"), QStringLiteral("c"), kButtonsNoYes);
        EXPECT_EQ(ButtonsOf(dlg), (std::vector<ButtonInfo>{{36001, no, 7}, {36002, yes, 6}}));
    }
}

TEST(MessageBox, EnterAndEscapeGiveEachSetsAnswers)
{
    EXPECT_EQ(AnswerWithKey(kButtonsOk, Qt::Key_Return), kIdOk);
    EXPECT_EQ(AnswerWithKey(kButtonsOk, Qt::Key_Escape), kIdOk);
    EXPECT_EQ(AnswerWithKey(kButtonsCancelOk, Qt::Key_Return), kIdOk);
    EXPECT_EQ(AnswerWithKey(kButtonsCancelOk, Qt::Key_Escape), kIdCancel);
    EXPECT_EQ(AnswerWithKey(kButtonsCancelNoYes, Qt::Key_Return), kIdYes);
    EXPECT_EQ(AnswerWithKey(kButtonsCancelNoYes, Qt::Key_Escape), kIdCancel);
    EXPECT_EQ(AnswerWithKey(kButtonsNoYes, Qt::Key_Enter), kIdYes);
    EXPECT_EQ(AnswerWithKey(kButtonsNoYes, Qt::Key_Escape), kIdNo);
    // A question whose Yes destroys something is not answered Yes by a stray Enter.
    EXPECT_EQ(AnswerWithKey(kButtonsNoYesDefaultNo, Qt::Key_Return), kIdNo);
    EXPECT_EQ(AnswerWithKey(kButtonsNoYesDefaultNo, Qt::Key_Escape), kIdNo);
}

TEST(MessageBox, ClickingAButtonGivesItsResult)
{
    MessageBoxDlg dlg(QStringLiteral("text"), QStringLiteral("caption"), kButtonsCancelNoYes);
    QTimer::singleShot(0, &dlg, [&dlg] { dlg.Buttons()[1]->click(); });
    EXPECT_EQ(dlg.Run(), kIdNo);
}

TEST(WidgetUiFilters, DesignFiltersBecomeQtNameFilters)
{
    EXPECT_EQ(WidgetUi::ConvertFilter(QStringLiteral("Project files|*.mvl||")),
              QStringLiteral("Project files (*.mvl *.MVL)"));
    EXPECT_EQ(WidgetUi::ConvertFilter(QStringLiteral("(*.jpg)(*.png)(*.bmp)|*.jpg;*.png;*.bmp||")),
              QStringLiteral("(*.jpg)(*.png)(*.bmp) (*.jpg *.JPG *.png *.PNG *.bmp *.BMP)"));
    EXPECT_EQ(WidgetUi::ConvertFilter(QStringLiteral("Images|*.png|All|*.*||")),
              QStringLiteral("Images (*.png *.PNG);;All (*.*)"));
    EXPECT_EQ(WidgetUi::ConvertFilter(QString()), QString());
}

TEST(VersionNotes, BlocksAreSeparatedByOneEmptyLineWithoutATrailingLineEnd)
{
    for (int language : {0, 1, 2}) {
        const QString text = BuildVersionNotes(language);
        EXPECT_TRUE(text.startsWith(QStringLiteral("3.8.2\r\n  "))) << language;
        EXPECT_TRUE(text.endsWith(QStringLiteral("3.7.1\r\n  1:")) == false);
        EXPECT_FALSE(text.endsWith(QStringLiteral("\r\n"))) << language;
        EXPECT_FALSE(text.contains(QStringLiteral("\r\n\r\n\r\n"))) << language;
        EXPECT_EQ(text.count(QStringLiteral("\r\n\r\n")), 11) << "twelve releases";
        EXPECT_EQ(text.count(u'\n'), text.count(u'\r')) << "every line ends in CR LF";
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        int noteLines = 0;
        for (const QString& line : lines)
            if (line.startsWith(QStringLiteral("  ")))
                ++noteLines;
        EXPECT_EQ(noteLines, language == 2 ? 37 : 38) << language;
    }
    const QStringList english = BuildVersionNotes(2).split(QStringLiteral("\r\n"));
    EXPECT_EQ(english[1], QStringLiteral("  Use Lumora 1.9.8 or later or IOS Quenta unknown or later to explain"));
    EXPECT_TRUE(english[2].isEmpty()) << "3.8.2 has no numbered note in English";
    EXPECT_TRUE(BuildVersionNotes(1).contains(QStringLiteral("\r\n  6:添加搜索控件\r\n")));
    EXPECT_TRUE(BuildVersionNotes(0).endsWith(QStringLiteral("3.7.1\r\n  1:增加显示墙修改屏幕水平分辨率和垂直分辨率功能")));
    EXPECT_TRUE(BuildVersionNotes(3).isEmpty());
    EXPECT_TRUE(BuildVersionNotes(-1).isEmpty());
}

TEST(VersionHistoryDialog, ShowsTheNotesOfTheCurrentLanguage)
{
    Translation::SetLanguage(2);
    {
        CVersionRecordDlg dlg;
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Version History"));
        EXPECT_EQ(dlg.OkButton()->text(), QStringLiteral("OK"));
        EXPECT_EQ(dlg.NotesText(), BuildVersionNotes(2));
        EXPECT_TRUE(dlg.NotesBox()->isReadOnly());
        EXPECT_TRUE(dlg.NotesBox()->toPlainText().startsWith(QStringLiteral("3.8.2\n  Use Lumora")));
    }
    // An unknown language is Simplified Chinese, notes included.
    Translation::SetLanguage(7);
    {
        CVersionRecordDlg dlg;
        EXPECT_EQ(dlg.NotesText(), BuildVersionNotes(0));
        QTimer::singleShot(0, &dlg, [&dlg] { dlg.OkButton()->click(); });
        EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    }
    Translation::SetLanguage(0);
}

TEST(AboutBox, NamesTheProductAndOpensTheHistory)
{
    CAboutDlg about;
    EXPECT_EQ(about.OkButton()->text(), Translate("66"));
    QString opened;
    QTimer::singleShot(0, &about, [&] {
        if (auto* history = qobject_cast<CVersionRecordDlg*>(QApplication::activeModalWidget())) {
            opened = history->NotesText().left(5);
            history->accept();
        }
    });
    about.HistoryButton()->click();
    EXPECT_EQ(opened, QStringLiteral("3.8.2"));
    bool productShown = false;
    for (QLabel* l : about.findChildren<QLabel*>())
        productShown = productShown || l->text() == QStringLiteral("Marvolenta 3.8.2");
    EXPECT_TRUE(productShown);
}

TEST(CommandLine, OnlyAnExactProjectExtensionOpensAProject)
{
    EXPECT_EQ(CMarvolentaApp::ProjectFromCommandLine({QStringLiteral("marvolenta"), QStringLiteral("/p/Hall/Hall.mvl")}),
              QStringLiteral("/p/Hall/Hall.mvl"));
    EXPECT_TRUE(CMarvolentaApp::ProjectFromCommandLine({QStringLiteral("marvolenta"), QStringLiteral("/p/Hall/Hall.MVL")}).isEmpty());
    EXPECT_TRUE(CMarvolentaApp::ProjectFromCommandLine({QStringLiteral("marvolenta"), QStringLiteral("/p/Hall.mvl/notes")}).isEmpty());
    EXPECT_TRUE(CMarvolentaApp::ProjectFromCommandLine({QStringLiteral("marvolenta")}).isEmpty());
}

TEST(CrashHandler, AFatalSignalWritesTheReportAndEndsTheProcess)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer keeps fatal signals to itself";
#endif
    TestFolder folder;
    const QString dump = folder.Path(QStringLiteral("ErrorData.dmp"));
    int errPipe[2];
    ASSERT_EQ(pipe(errPipe), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(errPipe[1], STDERR_FILENO);
        close(errPipe[0]);
        if (!InstallCrashHandler(dump))
            _exit(3);
        volatile int* nowhere = nullptr;
        *nowhere = 1; // the fault the handler is for
        _exit(4);
    }
    close(errPipe[1]);
    QByteArray err;
    char buffer[256];
    ssize_t n;
    while ((n = read(errPipe[0], buffer, sizeof buffer)) > 0)
        err.append(buffer, static_cast<int>(n));
    close(errPipe[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGSEGV);
    EXPECT_EQ(err, QByteArray("Application error!\n"));
    const QByteArray report = folder.Read(QStringLiteral("ErrorData.dmp"));
    EXPECT_TRUE(report.startsWith("Marvolenta 3.8.2 crash report\nsignal: 11 (SIGSEGV)\n")) << report.constData();
    EXPECT_TRUE(report.contains("address: 0x0\n"));
    EXPECT_TRUE(report.contains("backtrace:\n"));
    EXPECT_GT(report.count('\n'), 8) << "the backtrace has frames";
}
