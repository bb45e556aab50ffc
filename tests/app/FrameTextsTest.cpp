#include "FrameFixture.h"

#include "app/CMyMenuBar.h"
#include "app/CMyToolBar.h"
#include "editor/ui/CProjectTree.h"
#include "editor/ui/CPropertyView.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QStyle>
#include <QTreeWidget>

namespace {

QStringList TopMenuTitles(QMenuBar* bar)
{
    QStringList titles;
    for (QAction* a : bar->actions())
        titles << a->text();
    return titles;
}

QStringList Translated(std::initializer_list<const char*> keys)
{
    QStringList texts;
    for (const char* k : keys)
        texts << Translate(QString::fromLatin1(k));
    return texts;
}

} // namespace

using FrameTexts = FrameFixture;

TEST_F(FrameTexts, LanguageSwitchRelabelsEverythingAtOnce)
{
    NewProject(work.Path(QStringLiteral("Hall")));
    NewPage(QStringLiteral("Lobby"));
    const QStringList chineseMenus = TopMenuTitles(frame->MyMenuBar());
    EXPECT_EQ(chineseMenus, Translated({"4", "2200", "5", "220", "6", "7"}));
    const QStringList chineseRows = frame->PropPane()->RowTexts();

    frame->OnCommand(32904);
    ASSERT_EQ(Translation::LanguageIndex(), 2);
    EXPECT_EQ(TopMenuTitles(frame->MyMenuBar()),
              (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&View"), QStringLiteral("&Controls"),
                           QStringLiteral("&Operations"), QStringLiteral("&Help")}));
    EXPECT_EQ(frame->Action(32771)->text(), Translate("8"));
    EXPECT_EQ(frame->Action(32836)->text(), QStringLiteral("Button"));
    EXPECT_EQ(frame->Action(32836)->toolTip(), QStringLiteral("Button"));
    EXPECT_EQ(frame->Action(32774)->toolTip(), QStringLiteral("Save Project")) << "tool tips lose the mnemonic";
    EXPECT_EQ(frame->Action(32867)->toolTip(), Translate("49"));
    EXPECT_EQ(frame->TreePane()->windowTitle(), QStringLiteral("Project View"));
    EXPECT_EQ(frame->PropPane()->windowTitle(), QStringLiteral("Properties"));
    QStringList barTitles;
    for (CMyToolBar* bar : frame->ToolBars())
        barTitles << bar->windowTitle();
    EXPECT_EQ(barTitles, Translated({"21", "20", "917", "17", "19", "18", "2214"}));
    const QStringList englishRows = frame->PropPane()->RowTexts();
    EXPECT_NE(englishRows, chineseRows);
    EXPECT_TRUE(englishRows.contains(QStringLiteral("Name: Lobby"))) << englishRows.join(u'|').toStdString();
    EXPECT_TRUE(frame->Action(32904)->isChecked());
    EXPECT_FALSE(frame->Action(32903)->isChecked());
    EXPECT_EQ(frame->ChildFrames().front()->CaptionMenu()->actions().front()->text(), Translate("223"));

    // Choosing the language already in use relabels nothing.
    frame->Action(32771)->setText(QStringLiteral("marker"));
    frame->OnCommand(32904);
    EXPECT_EQ(frame->Action(32771)->text(), QStringLiteral("marker"));

    frame->OnCommand(32906);
    EXPECT_EQ(frame->TreePane()->windowTitle(), Translate("15"));
    EXPECT_EQ(Translate("15"), QStringLiteral("工程檢視"));
    frame.reset();
    EXPECT_TRUE(SettingsValue(QStringLiteral("Translation")).isEmpty())
        << "the language index is written at the end of the process, not by the window";
}

TEST_F(FrameTexts, EveryMenuItemAndButtonHasATranslatedText)
{
    for (int language : {0, 1, 2}) {
        Translation::SetLanguage(language);
        frame.reset();
        MakeFrame();
        QList<QMenu*> menus;
        for (QAction* a : frame->MyMenuBar()->actions())
            if (a->menu())
                menus << a->menu();
        for (int i = 0; i < menus.size(); ++i) {
            QMenu* m = menus[i];
            Q_EMIT m->aboutToShow();
            for (QAction* a : m->actions()) {
                if (a->isSeparator())
                    continue;
                EXPECT_FALSE(a->text().isEmpty()) << language << " " << a->data().toInt();
                if (a->menu())
                    menus << a->menu();
            }
        }
        for (CMyToolBar* bar : frame->ToolBars()) {
            EXPECT_FALSE(bar->windowTitle().isEmpty());
            for (QAction* a : bar->actions())
                EXPECT_FALSE(a->toolTip().isEmpty()) << language << " " << a->data().toInt();
        }
    }
}

TEST_F(FrameTexts, ApplicationLookIsKeptInTheSettings)
{
    EXPECT_EQ(frame->ApplicationLookId(), 210);
    EXPECT_TRUE(frame->Action(210)->isChecked());
    frame->OnCommand(212);
    EXPECT_EQ(frame->ApplicationLookId(), 212);
    EXPECT_TRUE(frame->Action(212)->isChecked());
    EXPECT_FALSE(frame->Action(210)->isChecked());
    EXPECT_LT(QApplication::palette().color(QPalette::Window).lightness(), 128) << "212 is the dark look";
    EXPECT_EQ(FrameworkSettings().value(QStringLiteral("ApplicationLook")).toInt(), 212);

    frame->OnCommand(205);
    EXPECT_EQ(QApplication::style()->name().toLower(), QStringLiteral("windows"));
    frame.reset();
    MakeFrame();
    EXPECT_EQ(frame->ApplicationLookId(), 205);

    // An id that is not a look falls back to the default.
    FrameworkSettings().setValue(QStringLiteral("ApplicationLook"), 999);
    frame.reset();
    MakeFrame();
    EXPECT_EQ(frame->ApplicationLookId(), 210);
    frame->OnCommand(210);
}

TEST_F(FrameTexts, KeysGoToTheActiveViewButNotFromThePropertyPane)
{
    NewProject(work.Path(QStringLiteral("Hall")));
    NewPage(QStringLiteral("Lobby"));
    QTreeWidget* tree = frame->TreePane()->Tree();
    QTreeWidget* grid = frame->PropPane()->Grid();

    // Escape sets the select tool wherever the focus is in the window...
    frame->OnCommand(32836);
    tree->setFocus();
    QApplication::processEvents();
    QTest::keyClick(tree, Qt::Key_Escape);
    EXPECT_EQ(frame->GetToolMode(), 101);

    // ...the property grid included...
    frame->OnCommand(32836);
    grid->setFocus();
    QApplication::processEvents();
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(frame->GetToolMode(), 101);

    // ...but not while an editor of the property pane has the focus.
    frame->OnCommand(32836);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Return);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_TRUE(editor && grid->viewport()->isAncestorOf(editor));
    QTest::keyClick(editor, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(frame->GetToolMode(), 6);

    // With the focus in the view the key acts once, not twice.
    XPage* page = frame->ActiveView()->GetPage();
    Drag(page, {100, 100}, {200, 150});
    frame->OnCommand(32825);
    ASSERT_EQ(page->SelectedCount(), 1);
    const int x = page->controls[0]->x1;
    frame->ActiveView()->setFocus();
    QApplication::processEvents();
    QTest::keyClick(frame->ActiveView(), Qt::Key_Right);
    EXPECT_EQ(page->controls[0]->x1, x + 10);
    tree->setFocus();
    QApplication::processEvents();
    QTest::keyClick(tree, Qt::Key_Right);
    EXPECT_EQ(page->controls[0]->x1, x + 20);
    frame->ActiveView()->setFocus();
    QApplication::processEvents();
    QTest::keyClick(frame->ActiveView(), Qt::Key_Right);
    EXPECT_EQ(page->controls[0]->x1, x + 30) << "a key routed from elsewhere must not swallow the next one";
}

TEST_F(FrameTexts, F2OpensTheTransmissionDialog)
{
    NewProject(work.Path(QStringLiteral("Hall")));
    frame->TreePane()->Tree()->setFocus();
    QApplication::processEvents();
    QString opened;
    // Close the dialog as soon as it is up.
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* dlg = QApplication::activeModalWidget()) {
            opened = QString::fromLatin1(dlg->metaObject()->className());
            dlg->close();
            poll.stop();
        }
    });
    poll.start();
    QTest::keyClick(frame->TreePane()->Tree(), Qt::Key_F2);
    EXPECT_EQ(opened, QStringLiteral("CTransmissionProjectDlg"));
}
